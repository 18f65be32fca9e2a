// The folder list's path resolution and folder changes over a fake machine, with requests made
// of path pieces, failures injected between them: the folder is never empty, a failure changes
// nothing, and the process's current directory always ends where the list is.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/errors.h"
#include "core/folder_list.h"
#include "fuzz_input.h"
#include "support/fake_os.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

const char* const kPieces[] = {"C:",       "D:", "E:",       "\\",     "A",      "b",
                               "\x95\x5C", "..", ".",        "*.txt",  "f.txt",  "?",
                               "[",        "]",  "\\\\S\\P", "Hidden", "Locked", "gone"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  fake::Machine machine;
  machine.SetDoubleByte(in.Byte() & 1);
  machine.AddDrive('d', os::kDriveCdRom).hasMedium = false;
  machine.AddDrive('e', os::kDriveRemovable);
  machine.AddShare("\\\\S\\P");
  for (const char* folder :
       {"C:\\A\\b", "C:\\A\\\x95\x5C\\A", "E:\\A", "\\\\S\\P\\A\\b", "C:\\b"}) {
    machine.AddFolder(folder);
  }
  machine.AddFolder("C:\\A\\Hidden", os::kAttrDirectory | os::kAttrHidden);
  machine.AddFolder("C:\\A\\Locked");
  machine.Forbid("C:\\A\\Locked");
  machine.AddFile("C:\\A\\f.txt", 1);
  machine.SetCurrent(in.Byte() & 1 ? "\\\\S\\P\\A" : "C:\\A");

  folderctl::FolderList list(machine);
  list.Rebuild();
  for (int step = 0; step < 8 && !in.Empty(); ++step) {
    std::string request;
    for (int n = in.Byte() % 5; n > 0; --n) {
      request += kPieces[in.Byte() % (sizeof kPieces / sizeof *kPieces)];
      if (in.Byte() & 1) request += "\\";
    }
    if (in.Byte() % 4 == 0) {
      machine.Fail(static_cast<fake::Service>(in.Byte() % 10), 5, 1 + in.Byte() % 3);
    }
    if (in.Byte() % 5 == 0) machine.Remove("C:\\A\\b");
    const std::string before = list.CurrentFolder();
    const auto items = list.Items().size();
    const int selected = list.Selected();
    try {
      if (in.Byte() & 1) {
        list.SetCurrentDrive(static_cast<char>(in.Byte()));
      } else {
        list.SetCurrentFolder(request);
      }
    } catch (const zolt::EInOutError&) {
      if (list.CurrentFolder() != before || list.Items().size() != items ||
          list.Selected() != selected) {
        Fail("a failed change moved the list");
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      Fail("a change raised something other than the I/O error");
    }
    machine.Heal();
    if (list.CurrentFolder().empty()) Fail("the current folder is empty");
    // Once the list's own folder has vanished there is nowhere to go back to.
    const bool listFolderExists =
        machine.FileAttributes(list.CurrentFolder()) != os::kInvalidAttributes;
    if (listFolderExists && machine.Current() != list.CurrentFolder()) {
      Fail("the process is not in the list's folder");
    }
  }
  return 0;
}
