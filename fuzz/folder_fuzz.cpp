// The folder list's path resolution and folder changes over a fake machine, with requests made
// of path pieces, failures of every service injected between them: the folder is never empty, a
// failure changes nothing, the process's current directory always ends where the list is, and
// after each change the items are the chain down to the folder and the folder's visible
// subfolders on the machine.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/folder_list.h"
#include "core/text.h"
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

// The folder's subfolders as the machine holds them, without hidden or system ones, sorted
// without regard to case, of names that differ only in case the first one found.
std::vector<std::string> VisibleSubfolders(fake::Machine& machine, const std::string& folder) {
  std::vector<std::string> names;
  auto search = machine.FindFiles(text::JoinPath(machine, folder, "*.*"), os::SearchFor::kAnything);
  os::FindEntry entry;
  while (search->Next(entry)) {
    const bool hidden = entry.attributes & (os::kAttrHidden | os::kAttrSystem);
    const bool dots = entry.name == "." || entry.name == "..";
    if ((entry.attributes & os::kAttrDirectory) && !hidden && !dots) names.push_back(entry.name);
  }
  const auto less = [&](const std::string& a, const std::string& b) {
    return machine.CompareText(a, b, true) == os::Order::kLess;
  };
  std::stable_sort(names.begin(), names.end(), less);
  names.erase(std::unique(names.begin(), names.end(),
                          [&](const std::string& a, const std::string& b) {
                            return machine.CompareText(a, b, true) == os::Order::kEqual;
                          }),
              names.end());
  return names;
}

// The items after a change: the chain joins up to the current folder, and the rest are the
// folder's visible subfolders (only some of them, in order, when a search failed meanwhile; all
// of them and perhaps more spellings, those without a sort key last, when sort keys failed).
void CheckItems(fake::Machine& machine, const folders::FolderList& list, bool complete,
                bool keysFailed) {
  const auto& items = list.Items();
  const int current = list.CurrentIndex();
  if (current < 0 || current >= static_cast<int>(items.size())) Fail("no current item");
  std::string chain = items[0].text;
  for (int i = 1; i <= current; ++i) chain = text::JoinPath(machine, chain, items[size_t(i)].text);
  if (chain != list.CurrentFolder() && chain != list.CurrentFolder() + "\\") {
    Fail("the chain does not lead to the current folder");
  }
  std::vector<std::string> shown;
  for (size_t i = size_t(current) + 1; i < items.size(); ++i) shown.push_back(items[i].text);
  const std::vector<std::string> expected = VisibleSubfolders(machine, list.CurrentFolder());
  if (keysFailed) {
    for (const std::string& name : expected) {
      if (std::find(shown.begin(), shown.end(), name) == shown.end()) {
        Fail("a subfolder without a sort key was dropped");
      }
    }
    return;
  }
  const bool inOrder = std::includes(expected.begin(), expected.end(), shown.begin(), shown.end(),
                                     [&](const std::string& a, const std::string& b) {
                                       return machine.CompareText(a, b, true) == os::Order::kLess;
                                     });
  if (complete ? shown != expected : !inOrder) Fail("the subfolders are not the folder's own");
}

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

  folders::FolderList list(machine);
  list.Rebuild();
  int changes = 0;
  list.OnChange = [&] { ++changes; };
  bool astray = false;  // the process may have been left outside the list's folder
  for (int step = 0; step < 8 && !in.Empty(); ++step) {
    std::string request;
    for (int n = in.Byte() % 5; n > 0; --n) {
      request += kPieces[in.Byte() % (sizeof kPieces / sizeof *kPieces)];
      if (in.Byte() & 1) request += "\\";
    }
    const bool failing = in.Byte() % 4 == 0;
    const auto service =
        static_cast<fake::Service>(in.Byte() % static_cast<int>(fake::Service::kCount));
    if (failing) machine.Fail(service, 5, 1 + in.Byte() % 3);
    if (in.Byte() % 5 == 0) machine.Remove("C:\\A\\b");
    const std::string before = list.CurrentFolder();
    const auto items = list.Items().size();
    const int selected = list.Selected();
    const int changesBefore = changes;
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
    // Once the list's own folder has vanished there is nowhere to go back to; nor is there when
    // the check whether it still exists failed, until a change enters a folder again.
    astray = (astray || (failing && service == fake::Service::kFileAttributes)) &&
             changes == changesBefore;
    const bool listFolderExists =
        machine.FileAttributes(list.CurrentFolder()) != os::kInvalidAttributes;
    if (listFolderExists && !astray && machine.Current() != list.CurrentFolder()) {
      Fail("the process is not in the list's folder");
    }
    if (changes != changesBefore) {
      CheckItems(machine, list, !failing, failing && service == fake::Service::kSortKey);
    }
  }
  return 0;
}
