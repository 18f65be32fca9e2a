// The drive list over an arbitrary fake drive table (any letters and types, labels and network
// names of any bytes, missing media, unconnected network drives, failing services), rebuilt and
// then driven by arbitrary drive writes and user picks. After each step: one entry per listed
// drive, in letter order, each text of its type's shape with its name folded; a selection inside
// the entries; a stored drive that is NUL or a lower-case letter; labels asked only of drives that
// are not removable, with critical-error prompts off, and the error mode restored.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/drive_list.h"
#include "core/text.h"
#include "fuzz_input.h"
#include "support/fake_os.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// The glyph a drive type is listed with; false for the types the list leaves out.
bool GlyphOf(unsigned type, folders::DriveGlyph& glyph) {
  using G = folders::DriveGlyph;
  static const G glyphs[] = {G::kFloppy, G::kHard, G::kNetwork, G::kCdRom, G::kRam};
  if (type < os::kDriveRemovable || type > os::kDriveRamDisk) return false;
  glyph = glyphs[type - os::kDriveRemovable];
  return true;
}

// Draws drive n from the input into the machine; its type is kept in types.
void MakeDrive(fuzz::Input& in, fake::Machine& machine, unsigned types[26], int n) {
  types[n] = in.Byte() % 9;  // 0, 1, 7 and 8 are types the list leaves out
  fake::Drive& drive = machine.AddDrive(static_cast<char>('a' + n), types[n], in.Text(40).c_str());
  const uint8_t flags = in.Byte();
  drive.hasMedium = !(flags & 1);
  if (flags & 2) drive.remote = in.Text(40).c_str();  // as the platform hands it: up to a NUL
}

// The entries against the drive table they were built from (none when it could not be read).
void CheckEntries(fake::Machine& machine, const folders::DriveList& list, const unsigned types[26],
                  bool tableMayFail) {
  const auto& entries = list.Entries();
  if (entries.empty() && tableMayFail) return;
  size_t at = 0;
  for (int n = 0; n < 26; ++n) {
    folders::DriveGlyph glyph;
    if (!GlyphOf(types[n], glyph)) continue;
    if (at == entries.size()) Fail("a listed drive has no entry");
    const folders::DriveEntry& e = entries[at++];
    if (e.text.size() < 2 || e.text[0] != 'a' + n || e.text[1] != ':') Fail("entry out of order");
    if (e.glyph != glyph) Fail("wrong glyph");
    if (types[n] == os::kDriveRemovable) {
      if (e.text.size() != 2) Fail("a removable drive shows more than its letter");
      continue;
    }
    if (e.text.size() < 3 || e.text[2] != ' ') Fail("no space after the letter");
    std::string name = e.text.substr(3);
    const bool bracketed = name.size() >= 2 && name.front() == '[' && name.back() == ']';
    if (!bracketed && types[n] != os::kDriveRemote) Fail("a label without its brackets");
    if (bracketed) name = name.substr(1, name.size() - 2);
    if (text::FoldFileName(machine, name) != name) Fail("a name not folded");
  }
  if (at != entries.size()) Fail("an entry for a drive not listed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  fake::Machine machine;
  machine.SetDoubleByte(in.Byte() & 1);
  unsigned types[26] = {};     // as the machine holds them
  types[2] = os::kDriveFixed;  // the machine's own C:
  uint32_t letters = 0;
  for (int i = 0; i < 4; ++i) letters = letters << 8 | in.Byte();
  for (int n = 0; n < 26; ++n) {
    if (letters & (1u << n)) MakeDrive(in, machine, types, n);
  }
  const uint8_t where = in.Byte();
  if (where % 3 == 1) {
    machine.AddShare("\\\\S\\P");
    machine.SetCurrent("\\\\S\\P\\");
  } else if (where % 3 == 2) {
    machine.SetCurrent(std::string(1, static_cast<char>('A' + (where >> 2) % 26)) + ":\\");
  }
  bool tableMayFail = false;
  for (const fake::Service service :
       {fake::Service::kReadCurrentDirectory, fake::Service::kLogicalDrives,
        fake::Service::kVolumeInformation, fake::Service::kNetworkConnection}) {
    const uint8_t b = in.Byte();
    if (!(b & 1)) continue;
    machine.Fail(service, 21, (b >> 4) & 3 ? (b >> 4) & 3 : -1, (b >> 1) & 7);
    tableMayFail = tableMayFail || service == fake::Service::kLogicalDrives;
  }
  machine.SetErrorMode(in.Byte() | in.Byte() << 8);

  folders::DriveList list(machine);
  std::string events;  // k: click, c: OnChange
  list.OnClick = [&] { events += 'k'; };
  list.OnChange = [&] { events += 'c'; };
  unsigned built[26];  // the table at the last rebuild
  for (int step = 0; step < 64 && (step == 0 || !in.Empty()); ++step) {
    const uint8_t op = step == 0 ? 0 : in.Byte() % 4;
    const unsigned mode = machine.ErrorMode();
    const size_t asked = machine.volumeQueries.size();
    int picked = -1;
    events.clear();
    if (op == 0) {  // the window is (re)created
      std::copy(types, types + 26, built);
      list.Rebuild();
    } else if (op == 1) {
      list.SetCurrentDrive(static_cast<char>(in.Byte()));
    } else if (op == 2) {
      picked = static_cast<int>(in.Byte() % (list.Entries().size() + 2)) - 1;
      list.Pick(picked);
      if (events != "kc" && events != "kcc") Fail("a pick fires other than a click, then changes");
    } else {  // the machine changes under the list; it shows only after the next rebuild
      MakeDrive(in, machine, types, in.Byte() % 26);
      machine.SetErrorMode(in.Byte());
      continue;
    }
    CheckEntries(machine, list, built, tableMayFail);
    const int selected = list.Selected();
    const char drive = list.CurrentDrive();
    if (selected < -1 || selected >= static_cast<int>(list.Entries().size())) {
      Fail("selection outside the entries");
    }
    if (drive != '\0' && !(drive >= 'a' && drive <= 'z')) Fail("stored drive not a lower case");
    if (picked >= 0 && picked < static_cast<int>(list.Entries().size()) &&
        (selected != picked || drive != list.Entries()[size_t(picked)].text[0])) {
      Fail("a pick did not select its drive");
    }
    for (size_t q = asked; q < machine.volumeQueries.size(); ++q) {
      if (built[machine.volumeQueries[q][0] - 'a'] == os::kDriveRemovable) {
        Fail("a removable medium was touched");
      }
      if (machine.errorModeAtVolumeQuery[q] != os::kFailCriticalErrors) {
        Fail("a label was asked with critical-error prompts on");
      }
    }
    if (machine.ErrorMode() != mode) Fail("the error mode was not restored");
  }
  return 0;
}
