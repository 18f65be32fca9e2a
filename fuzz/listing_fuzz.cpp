// The listing of arbitrary fake folders: names up to 259 bytes of any bytes the file system
// allows, any attributes, sizes and times.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/date_time_format.h"
#include "core/listing.h"
#include "fuzz_input.h"
#include "support/fake_os.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// A byte the file system allows in a name: not NUL, not a path or wildcard character.
bool Allowed(unsigned char c) {
  return c >= 0x20 && std::string("\\/:*?\"<>|").find(static_cast<char>(c)) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  fake::Machine machine;
  machine.SetDoubleByte(in.Byte() & 1);
  machine.SetOffsetMinutes(static_cast<int>(in.Number(1681)) - 840);
  machine.AddFolder("C:\\D");
  int plain = 0;
  const int entries = static_cast<int>(in.Number(30));
  for (int e = 0; e < entries && !in.Empty(); ++e) {
    std::string name;
    const size_t length = 1 + in.Number(259);
    while (name.size() < length && !in.Empty()) {
      const unsigned char c = in.Byte();
      if (Allowed(c)) name += static_cast<char>(c);
    }
    if (name.empty() || name == "." || name == ".." || name.back() == ' ') continue;
    const uint32_t attributes = in.Byte() & 0x3F;
    std::string path = "C:\\D\\" + name;
    if (machine.FileAttributes(path) != os::kInvalidAttributes) continue;  // a case twin
    if (attributes & os::kAttrDirectory) {
      machine.AddFolder(path, attributes);
    } else {
      machine.AddFile(path, in.Wide(), in.Wide() & 0x0FFFFFFFFFFFFFFFull, attributes);
      if (machine.FileAttributes(path) == os::kInvalidAttributes) continue;
      if (!(attributes & (os::kAttrHidden | os::kAttrSystem | os::kAttrVolumeLabel))) ++plain;
    }
  }
  listing::DateTimeFormat format(machine);
  zolt::CellTable grid(3, 2);
  const int32_t count = listing::ListFolder(machine, grid, "C:\\D\\", format);
  if (count != plain) Fail("the count is not the number of plain files");
  if (grid.RowCount() != (count == 0 ? 2 : count + 1)) Fail("row count is not count + 1 (2 empty)");
  for (int r = 1; r <= count; ++r) {
    const std::string_view dateTime = grid.Cell(2, r);
    // yyyy/mm/dd hh:mm:ss with even seconds.
    if (dateTime.size() < 19 || (dateTime.back() - '0') % 2 != 0) Fail("a date-time text");
    for (char c : grid.Cell(1, r)) {
      if (c < '0' || c > '9') Fail("a size text that is not a decimal number");
    }
  }
  return 0;
}
