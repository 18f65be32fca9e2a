#include "core/folder_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

#include "core/drive_list.h"
#include "core/errors.h"
#include "support/fake_os.h"

namespace folders {
bool operator==(const FolderItem& a, const FolderItem& b) {
  return a.text == b.text && a.kind == b.kind;
}
std::ostream& operator<<(std::ostream& out, const FolderItem& item) {
  return out << item.text << "/" << static_cast<int>(item.kind);
}
}  // namespace folders

namespace {

using folders::FolderItem;
using folders::FolderKind;
using folders::FolderList;

constexpr FolderKind kRoot = FolderKind::kRoot;
constexpr FolderKind kAncestor = FolderKind::kAncestor;
constexpr FolderKind kCurrent = FolderKind::kCurrent;
constexpr FolderKind kSub = FolderKind::kSubfolder;

// The window's side of a list, attached to it: counts the rebuilds, checking that the items are
// final at the end of each, and the changes, checking that the items were rebuilt for the new
// folder before each.
struct RecordingView : folders::FolderListView {
  explicit RecordingView(FolderList& list) : list(list) {
    list.SetView(this);
    list.OnChange = [this] {
      EXPECT_FALSE(open);
      EXPECT_EQ(builtFor, this->list.CurrentFolder()) << "a change fired before its rebuild";
      ++changes;
    };
  }
  void RebuildStarted() override {
    EXPECT_FALSE(open);
    open = true;
  }
  void RebuildFinished() override {
    EXPECT_TRUE(open);
    open = false;
    ++rebuilds;
    shownItems = list.Items();
    shownSelection = list.Selected();
    builtFor = list.CurrentFolder();
  }
  const FolderList& list;
  bool open = false;
  int rebuilds = 0, changes = 0;
  std::string builtFor;  // the folder of the latest rebuild
  std::vector<FolderItem> shownItems;
  int shownSelection = -1;
};

// A machine with C:\A\B with two subfolders, C:\DATA with a file and a subfolder, a share \\S\P
// with A\Q, and D: with a medium; the process in current when one is given.
struct TreeMachine : fake::Machine {
  explicit TreeMachine(const std::string& current = "") {
    AddFolder("C:\\A\\B\\X");
    AddFolder("C:\\A\\B\\Y");
    AddFolder("C:\\DATA\\SUB");
    AddFile("C:\\DATA\\x.txt", 10);
    AddShare("\\\\S\\P");
    AddFolder("\\\\S\\P\\A\\Q");
    AddDrive('d', os::kDriveFixed, "D");
    AddFolder("D:\\W");
    if (!current.empty()) SetCurrent(current);
  }
};

TEST(FolderList, ItemsKindsIndentsAndCurrentIndex) {
  const struct {
    const char* folder;
    std::vector<FolderItem> items;
    int current;
    std::vector<int> indents;
  } cases[] = {
      {"C:\\", {{"C:\\", kCurrent}, {"A", kSub}, {"DATA", kSub}}, 0, {2, 6, 6}},
      {"C:\\A\\B",
       {{"C:\\", kRoot}, {"A", kAncestor}, {"B", kCurrent}, {"X", kSub}, {"Y", kSub}},
       2,
       {2, 6, 10, 14, 14}},
      {"\\\\S\\P\\A", {{"\\\\S\\P\\", kRoot}, {"A", kCurrent}, {"Q", kSub}}, 1, {2, 6, 10}},
      {"\\\\S\\P\\A\\Q", {{"\\\\S\\P\\", kRoot}, {"A", kAncestor}, {"Q", kCurrent}}, 2, {2, 6, 10}},
      {"\\\\S\\P", {{"\\\\S\\P\\", kRoot}, {"A", kSub}}, 0, {2, 6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    TreeMachine m(c.folder);
    FolderList list(m);
    RecordingView view(list);
    list.Rebuild();
    EXPECT_EQ(list.Items(), c.items);
    EXPECT_EQ(list.CurrentIndex(), c.current);
    EXPECT_EQ(list.Selected(), c.current);
    EXPECT_EQ(view.shownItems, c.items);
    EXPECT_EQ(view.shownSelection, c.current);
    std::vector<int> indents;
    for (size_t i = 0; i < list.Items().size(); ++i) indents.push_back(list.Indent(int(i)));
    EXPECT_EQ(indents, c.indents);
  }
}

TEST(FolderList, NothingIsSelectedWithoutAWindow) {
  TreeMachine m;
  FolderList list(m);
  list.Rebuild();
  EXPECT_EQ(list.Items().size(), 3u);
  EXPECT_EQ(list.Selected(), -1);
}

TEST(FolderList, ItemPaths) {
  const struct {
    const char* folder;
    std::vector<std::string> paths;
  } cases[] = {
      {"C:\\A\\B\\C", {"C:\\", "C:\\A", "C:\\A\\B", "C:\\A\\B\\C", "C:\\A\\B\\C\\Z", ""}},
      {"C:\\", {"C:\\", "C:\\A", ""}},
      {"\\\\S\\P\\A\\Q", {"\\\\S\\P\\", "\\\\S\\P\\A", "\\\\S\\P\\A\\Q", "\\\\S\\P\\A\\Q\\R", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    fake::Machine m;
    m.AddFolder("C:\\A\\B\\C\\Z");
    m.AddShare("\\\\S\\P");
    m.AddFolder("\\\\S\\P\\A\\Q\\R");
    m.SetCurrent(c.folder);
    FolderList list(m);
    list.Rebuild();
    std::vector<std::string> paths;
    for (size_t i = 0; i <= list.Items().size(); ++i) paths.push_back(list.ItemPath(int(i)));
    EXPECT_EQ(paths, c.paths);
  }
}

// A machine whose listing of one folder is given entry by entry, for names that a
// case-insensitive volume could not hold side by side.
class ScriptedListing : public fake::Machine {
 public:
  std::vector<os::FindEntry> listing;
  std::unique_ptr<os::FileSearch> FindFiles(const std::string& pattern, os::SearchFor) override {
    struct Search : os::FileSearch {
      std::vector<os::FindEntry> entries;
      size_t at = 0;
      bool Next(os::FindEntry& e) override {
        if (at == entries.size()) return false;
        e = entries[at++];
        return true;
      }
    };
    auto search = std::make_unique<Search>();
    if (pattern == "C:\\*.*") search->entries = listing;
    return search;
  }
};

os::FindEntry Entry(const std::string& name, uint32_t attributes = os::kAttrDirectory) {
  return {name, attributes};
}

std::vector<std::string> SubfolderNames(const FolderList& list) {
  std::vector<std::string> names;
  for (const FolderItem& item : list.Items()) {
    if (item.kind == kSub) names.push_back(item.text);
  }
  return names;
}

TEST(FolderList, SubfoldersSortedWithoutCaseDuplicatesOrHiddenEntriesNamesWithoutASortKeyLast) {
  ScriptedListing m;
  m.listing = {Entry("."),
               Entry(".."),
               Entry("gamma"),
               Entry("Beta"),
               Entry("secret", os::kAttrDirectory | os::kAttrHidden),
               Entry("alpha"),
               Entry("BETA"),
               Entry("System Volume", os::kAttrDirectory | os::kAttrSystem),
               Entry("LABEL", os::kAttrDirectory | os::kAttrVolumeLabel),
               Entry("notes.txt", os::kAttrArchive),
               Entry("Alpha"),
               Entry("GAMMA", os::kAttrDirectory | os::kAttrReadOnly)};
  FolderList list(m);
  list.Rebuild();
  EXPECT_EQ(SubfolderNames(list), (std::vector<std::string>{"alpha", "Beta", "gamma"}));
  // Names without a sort key show after the others in the order of their bytes, none dropped.
  m.Fail(fake::Service::kSortKey, 0, 2, 1);  // no key for Beta and alpha
  list.Rebuild();
  EXPECT_EQ(SubfolderNames(list),
            (std::vector<std::string>{"Alpha", "BETA", "gamma", "Beta", "alpha"}));
}

TEST(FolderList, SubfoldersAreTheFirstSpellingsSortedOnRandomNames) {
  std::mt19937 random(5);
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE(round);
    ScriptedListing m;
    std::uniform_int_distribution<int> length(1, 3), letter(0, 5), upper(0, 1);
    const int count = 1 + round * 4;
    for (int i = 0; i < count; ++i) {
      std::string name;
      for (int n = length(random); n > 0; --n) {
        name += static_cast<char>((upper(random) ? 'A' : 'a') + letter(random));
      }
      m.listing.push_back(Entry(name));
    }
    // Reference: the first spelling of each name, in case-insensitive order.
    std::vector<std::string> expected;
    std::set<std::string> seen;
    for (const os::FindEntry& e : m.listing) {
      if (seen.insert(m.LowerCase(e.name)).second) expected.push_back(e.name);
    }
    std::sort(expected.begin(), expected.end(), [&](const std::string& a, const std::string& b) {
      return m.CompareText(a, b, true) == os::Order::kLess;
    });
    FolderList list(m);
    list.Rebuild();
    EXPECT_EQ(SubfolderNames(list), expected);
  }
}

// As the platform's list box searches its texts (the Browse dialog's tests compare the two over
// every byte, at both code pages): a beginning ignores the case of ASCII letters only, and "[x"
// and "[-x" begin with x; an exact text follows the locale's comparison; the search starts after
// the item given (from the first when it names none) and goes round past the end; a lead byte
// alone is no character.
TEST(FolderList, SearchesAsThePlatformsListBox) {
  // The items: 0 C:\, 1 [-c-], 2 [x], 3 Alpha, 4 Beta, 5 beta2, 6 \x83a, 7 \xC9a. A row: the
  // text, the item after which the search starts, exact, the item found at 1252 and at 932.
  const std::tuple<const char*, int, bool, int, int> cases[] = {
      {"b", -1, false, 4, 4},       {"B", 4, false, 5, 5},       {"b", 5, false, 4, 4},
      {"a", 1000, false, 3, 3},     {"x", -1, false, 2, 2},      {"c", 0, false, 1, 1},
      {"c", 1, false, 0, 0},        {"\xE9", -1, false, -1, -1}, {"\x83", -1, false, 6, -1},
      {"", -1, false, -1, -1},      {"BETA", 5, true, 4, 4},     {"bet", -1, true, -1, -1},
      {"\xE9\x41", -1, true, 7, -1}};
  for (const bool doubleByte : {false, true}) {
    fake::Machine m;
    m.SetDoubleByte(doubleByte);
    FolderList list(m);
    EXPECT_EQ(list.FindItem("a", -1, false), -1) << "no items yet";
    for (const char* name : {"Alpha", "Beta", "beta2", "[x]", "[-c-]", "\x83\x61", "\xC9\x61"}) {
      m.AddFolder(std::string("C:\\") + name);
    }
    list.Rebuild();
    for (const auto& [text, after, exact, found, foundAt932] : cases) {
      SCOPED_TRACE(std::string(text) + (exact ? " exact" : "") + (doubleByte ? " at 932" : ""));
      EXPECT_EQ(list.FindItem(text, after, exact), doubleByte ? foundAt932 : found);
    }
  }
}

TEST(FolderList, HiddenAndSystemFoldersOnTheMachineNeverShow) {
  fake::Machine m;
  m.AddFolder("C:\\Shown");
  m.AddFolder("C:\\Hidden", os::kAttrDirectory | os::kAttrHidden);
  m.AddFolder("C:\\Sys", os::kAttrDirectory | os::kAttrSystem);
  m.AddFile("C:\\file.txt");
  FolderList list(m);
  list.Rebuild();
  EXPECT_EQ(SubfolderNames(list), std::vector<std::string>{"Shown"});
}

TEST(FolderList, AFolderThatCannotBeListedShowsNoSubfolders) {
  TreeMachine m;
  m.Unlistable("C:\\A\\B");
  FolderList list(m);
  RecordingView view(list);
  list.SetCurrentFolder("C:\\A\\B");
  EXPECT_EQ(list.Items(),
            (std::vector<FolderItem>{{"C:\\", kRoot}, {"A", kAncestor}, {"B", kCurrent}}));
  EXPECT_EQ(view.changes, 1);
}

TEST(FolderList, ResolvingRequestedPaths) {
  const struct {
    const char* from;
    const char* request;
    const char* folder;
  } cases[] = {
      {"C:\\", "C:\\DATA\\", "C:\\DATA"},
      {"C:\\", "DATA", "C:\\DATA"},
      {"C:\\", "c:\\data\\sub", "C:\\DATA\\SUB"},
      {"C:\\", "DATA\\SUB", "C:\\DATA\\SUB"},
      {"C:\\", "A\\B", "C:\\A\\B"},  // a one-letter folder on the way
      {"C:\\A", "B", "C:\\A\\B"},
      {"C:\\", "C:\\DATA\\x.txt", "C:\\DATA"},
      {"C:\\", "C:\\DATA\\*.txt", "C:\\DATA"},
      {"C:\\", "DATA\\x.txt", "C:\\DATA"},
      {"C:\\", "[DATA]", "C:\\DATA"},
      {"C:\\DATA", "SUB", "C:\\DATA\\SUB"},
      {"C:\\DATA\\SUB", "..", "C:\\DATA"},
      {"C:\\DATA\\SUB", "\\A", "C:\\A"},
      {"C:\\DATA", "C:\\", "C:\\"},
      {"C:\\DATA", "D:\\W", "D:\\W"},
      {"C:\\DATA", "\\\\S\\P\\A", "\\\\S\\P\\A"},
      {"C:\\DATA", "\\\\S\\P\\A\\", "\\\\S\\P\\A"},
      {"\\\\S\\P\\A", "\\\\S\\P\\A\\Q", "\\\\S\\P\\A\\Q"},
      {"\\\\S\\P\\A", "C:\\A\\B", "C:\\A\\B"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " <- " + c.request);
    TreeMachine m(c.from);
    FolderList list(m);
    RecordingView view(list);
    list.SetCurrentFolder(c.request);
    EXPECT_EQ(list.CurrentFolder(), c.folder);
    EXPECT_EQ(m.Current(), c.folder);
    EXPECT_EQ(view.changes, 1);
    EXPECT_EQ(list.Selected(), list.CurrentIndex());
    EXPECT_EQ(list.Items()[size_t(list.CurrentIndex())].kind, kCurrent);
  }
}

TEST(FolderList, TheCurrentFolderAgainChangesNothing) {
  const struct {
    uint32_t flags;
    const char* request;
    bool changes;
  } cases[] = {
      {os::kCasePreservedNames, "C:\\DATA", false},
      {os::kCasePreservedNames, "c:\\data", false},
      {0, "C:\\Data", false},
      {os::kCaseSensitiveSearch | os::kCasePreservedNames, "C:\\DATA", false},
      // On a case-sensitive volume another case is another folder: it is entered.
      {os::kCaseSensitiveSearch | os::kCasePreservedNames, "c:\\data", true},
      {os::kCasePreservedNames, "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.request) + " flags " + std::to_string(c.flags));
    TreeMachine m("C:\\DATA");
    m.AddDrive('c', os::kDriveFixed, "SYSTEM").flags = c.flags;
    FolderList list(m);
    RecordingView view(list);
    list.Rebuild();
    const size_t enters = m.enteredPaths.size();
    list.SetCurrentFolder(c.request);
    EXPECT_EQ(view.changes, c.changes ? 1 : 0);
    EXPECT_EQ(view.rebuilds, c.changes ? 2 : 1);
    EXPECT_EQ(m.enteredPaths.size() > enters, c.changes);
  }
}

TEST(FolderList, OpeningItems) {
  const struct {
    int select;
    const char* folder;
    bool changes;
  } cases[] = {
      {0, "C:\\", true},        {1, "C:\\A", true},      {2, "C:\\A\\B", false},
      {3, "C:\\A\\B\\X", true}, {-1, "C:\\A\\B", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.select);
    TreeMachine m("C:\\A\\B");
    FolderList list(m);
    RecordingView view(list);
    list.Rebuild();
    list.SetSelected(c.select);
    list.OpenSelected();
    EXPECT_EQ(list.CurrentFolder(), c.folder);
    EXPECT_EQ(m.Current(), c.folder);
    EXPECT_EQ(view.changes, c.changes ? 1 : 0);
    EXPECT_EQ(view.rebuilds, c.changes ? 2 : 1);
  }
}

TEST(FolderList, DriveWrites) {
  const struct {
    const char* from;
    char write;
    const char* folder;
    bool changes;
  } cases[] = {
      {"C:\\A\\B", 'd', "D:\\", true},
      {"C:\\A\\B", 'D', "D:\\", true},
      {"C:\\A\\B", 'c', "C:\\A\\B", false},
      {"C:\\A\\B", 'C', "C:\\A\\B", false},
      {"C:\\A\\B", '\0', "C:\\A\\B", false},
      {"\\\\S\\P\\A", '\\', "\\\\S\\P\\A", false},
      {"\\\\S\\P\\A", '\0', "\\\\S\\P\\A", false},
      {"\\\\S\\P\\A", 'c', "C:\\", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " <- " + (c.write ? std::string(1, c.write) : "NUL"));
    TreeMachine m(c.from);
    FolderList list(m);
    RecordingView view(list);
    list.Rebuild();
    list.SetCurrentDrive(c.write);
    EXPECT_EQ(list.CurrentFolder(), c.folder);
    EXPECT_EQ(m.Current(), c.folder);
    EXPECT_EQ(view.changes, c.changes ? 1 : 0);
  }
}

TEST(FolderList, ADriveKeepsItsOwnCurrentFolder) {
  TreeMachine m("D:\\W");
  m.SetCurrent("C:\\A");
  FolderList list(m);
  list.SetCurrentDrive('d');
  EXPECT_EQ(list.CurrentFolder(), "D:\\W");
  EXPECT_EQ(list.CurrentDrive(), 'D');
}

TEST(FolderList, FailedEntersLeaveEverythingAsItWas) {
  const struct {
    const char* name;
    int select;  // the selection the failing action starts from
    std::function<void(fake::Machine&, FolderList&)> act;
    uint32_t code;
    const char* message;
  } cases[] = {
      {"a drive without a medium", 1,
       [](fake::Machine& m, FolderList& list) {
         m.AddDrive('e', os::kDriveCdRom).hasMedium = false;
         list.SetCurrentDrive('e');
       },
       21, "I/O エラー (21)"},
      {"a subfolder deleted after the list was built", 3,
       [](fake::Machine& m, FolderList& list) {
         m.Remove("C:\\A\\B\\X");
         list.OpenSelected();
       },
       2, "ファイルが見つかりません"},
      {"the list's own folder deleted with its parent", 4,
       [](fake::Machine& m, FolderList& list) {
         m.Remove("C:\\A");
         list.OpenSelected();
       },
       3, "不正なファイル名です"},
      {"a folder without access rights", 4,
       [](fake::Machine& m, FolderList& list) {
         m.Forbid("C:\\A\\B\\Y");
         list.OpenSelected();
       },
       5, "ファイルへのアクセスが拒否されました"},
      {"a path that is not there", 1,
       [](fake::Machine&, FolderList& list) { list.SetCurrentFolder("C:\\NOWHERE\\DEEP"); }, 2,
       "ファイルが見つかりません"},
      {"the folder vanishes after it was checked", 0,
       [](fake::Machine& m, FolderList& list) {
         bool armed = true;
         m.beforeEnter = [&m, armed](const std::string& path) mutable {
           if (armed && path == "C:\\A\\B") {
             armed = false;
             m.Remove("C:\\A\\B\\X");
           }
         };
         list.SetCurrentFolder("C:\\A\\B\\X");
       },
       2, "ファイルが見つかりません"},
      {"the disc is taken out after the drive switch", 1,
       [](fake::Machine& m, FolderList& list) {
         fake::Drive& e = m.AddDrive('e', os::kDriveCdRom);
         m.beforeEnter = [&e](const std::string& path) {
           if (path == "E:\\") e.hasMedium = false;
         };
         list.SetCurrentDrive('e');
       },
       21, "I/O エラー (21)"},
      {"the folder cannot be read back", 2,
       [](fake::Machine& m, FolderList& list) {
         m.beforeEnter = [&m](const std::string& path) {
           if (path == "\\A\\B\\Y") m.Fail(fake::Service::kReadCurrentDirectory, 4, 1);
         };
         list.SetCurrentFolder("Y");
       },
       4, "オープンしたファイルが多すぎます"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TreeMachine m("C:\\A\\B");
    FolderList list(m);
    RecordingView view(list);
    list.Rebuild();
    list.SetSelected(c.select);
    const std::vector<FolderItem> items = list.Items();
    try {
      c.act(m, list);
      ADD_FAILURE() << "no exception";
    } catch (const zolt::EInOutError& e) {
      EXPECT_EQ(e.ErrorCode(), c.code);
      EXPECT_STREQ(e.what(), c.message);
    }
    m.beforeEnter = nullptr;
    EXPECT_EQ(list.CurrentFolder(), "C:\\A\\B");
    EXPECT_EQ(m.Current(), "C:\\A\\B");
    EXPECT_EQ(list.CurrentDrive(), 'C');
    EXPECT_EQ(list.Items(), items);
    EXPECT_EQ(view.rebuilds, 1);
    EXPECT_EQ(view.changes, 0);
    EXPECT_EQ(list.Selected(), c.select);
  }
}

TEST(FolderList, LowerCaseTextsOnVolumesThatKeepNoCase) {
  const struct {
    uint32_t flags;
    const char* shown;
  } cases[] = {
      {0, "mixedname"},
      {os::kCasePreservedNames, "MixedName"},
      {os::kCaseSensitiveSearch, "MixedName"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    fake::Machine m;
    m.AddDrive('c', os::kDriveFixed).flags = c.flags;
    m.AddFolder("C:\\MixedName");
    FolderList list(m);
    list.Rebuild();
    ASSERT_EQ(list.Items().size(), 2u);
    EXPECT_EQ(list.Items()[1].text, "MixedName");
    EXPECT_EQ(list.DisplayText(1), c.shown);
  }
}

TEST(FolderList, ShiftJisNameWithBackslashTrailByteStaysOneName) {
  const std::string hyou = "\x95\x5C";  // its trail byte is "\"
  fake::Machine m;
  m.SetDoubleByte(true);
  m.AddFolder("C:\\" + hyou + "\\sub");
  FolderList list(m);
  list.Rebuild();
  ASSERT_EQ(list.Items(), (std::vector<FolderItem>{{"C:\\", kCurrent}, {hyou, kSub}}));
  EXPECT_EQ(list.ItemPath(1), "C:\\" + hyou);

  list.SetSelected(1);
  list.OpenSelected();
  EXPECT_EQ(list.CurrentFolder(), "C:\\" + hyou);
  EXPECT_EQ(list.Items(),
            (std::vector<FolderItem>{{"C:\\", kRoot}, {hyou, kCurrent}, {"sub", kSub}}));

  list.SetCurrentFolder("sub");
  EXPECT_EQ(list.CurrentFolder(), "C:\\" + hyou + "\\sub");
  EXPECT_EQ(list.Items(),
            (std::vector<FolderItem>{{"C:\\", kRoot}, {hyou, kAncestor}, {"sub", kCurrent}}));
  EXPECT_EQ(list.ItemPath(1), "C:\\" + hyou);

  list.SetCurrentFolder("C:\\" + hyou + "\\");
  EXPECT_EQ(list.CurrentFolder(), "C:\\" + hyou);
  list.SetCurrentFolder("C:\\");
  list.SetCurrentFolder(hyou);
  EXPECT_EQ(list.CurrentFolder(), "C:\\" + hyou);
}

// The browse dialog's drive change handler, as that dialog runs it between the two lists.
struct Exchange {
  Exchange(folders::DriveList& drives, FolderList& folders) : drives(drives), folders(folders) {
    drives.OnChange = [this] { Run(); };
  }
  void Run() {
    ++runs;
    const char old = folders.CurrentDrive();
    try {
      folders.SetCurrentDrive(drives.CurrentDrive());
    } catch (const zolt::EInOutError&) {
      drives.SetCurrentDrive(old);
      folders.SetCurrentDrive(old);
    }
  }
  int Index(char letter) const {
    for (size_t i = 0; i < drives.Entries().size(); ++i) {
      if (drives.Entries()[i].text[0] == letter) return static_cast<int>(i);
    }
    return -1;
  }
  folders::DriveList& drives;
  FolderList& folders;
  int runs = 0;
};

TEST(FolderList, AProcessDirectoryThatCannotBeReadStartsTheListAtItsRoot) {
  const struct {
    const char* start;
    const char* folder;
  } cases[] = {{"C:\\A\\B", "C:\\"}, {"D:\\W", "D:\\"}, {"\\\\S\\P\\A\\Q", "\\\\S\\P\\"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    TreeMachine m(c.start);
    m.Fail(fake::Service::kReadCurrentDirectory, 206, 1);
    FolderList list(m);
    EXPECT_EQ(list.CurrentFolder(), c.folder);
    EXPECT_EQ(m.Current(), c.folder);
    list.Rebuild();
    EXPECT_EQ(list.Items()[0].text, c.folder);
    EXPECT_EQ(list.CurrentIndex(), 0);
  }
}

TEST(FolderList, StartInANetworkFolderComesToRestThere) {
  TreeMachine m("\\\\S\\P\\A");
  m.AddDrive('e', os::kDriveCdRom).hasMedium = false;
  folders::DriveList drives(m);
  FolderList folders(m);
  EXPECT_EQ(drives.CurrentDrive(), '\0');
  EXPECT_EQ(folders.CurrentDrive(), '\\');
  Exchange exchange(drives, folders);

  // The dialog is shown: both windows are created.
  folders.Rebuild();
  drives.Rebuild();
  EXPECT_EQ(exchange.runs, 1);
  EXPECT_EQ(folders.Items()[0], (FolderItem{"\\\\S\\P\\", kRoot}));
  EXPECT_EQ(folders.CurrentFolder(), "\\\\S\\P\\A");
  EXPECT_EQ(drives.Selected(), -1);

  // A pick of the drive without a disc: both lists stay in the network folder, silently.
  exchange.runs = 0;
  EXPECT_NO_THROW(drives.Pick(exchange.Index('e')));
  EXPECT_EQ(folders.CurrentFolder(), "\\\\S\\P\\A");
  EXPECT_EQ(m.Current(), "\\\\S\\P\\A");
  EXPECT_EQ(drives.CurrentDrive(), '\0');
  EXPECT_EQ(drives.Selected(), -1);
  EXPECT_EQ(exchange.runs, 3);

  // A pick of C moves both.
  drives.Pick(exchange.Index('c'));
  EXPECT_EQ(folders.CurrentFolder(), "C:\\");
  EXPECT_EQ(drives.CurrentDrive(), 'c');
  EXPECT_EQ(drives.Selected(), exchange.Index('c'));
}

TEST(FolderList, APickOfAnEmptyDriveReturnsBothListsToTheOldDrive) {
  TreeMachine m("C:\\A\\B");
  m.AddDrive('e', os::kDriveCdRom).hasMedium = false;
  folders::DriveList drives(m);
  FolderList folders(m);
  Exchange exchange(drives, folders);
  folders.Rebuild();
  drives.Rebuild();
  EXPECT_NO_THROW(drives.Pick(exchange.Index('e')));
  EXPECT_EQ(folders.CurrentFolder(), "C:\\A\\B");
  EXPECT_EQ(m.Current(), "C:\\A\\B");
  EXPECT_EQ(drives.CurrentDrive(), 'c');
  EXPECT_EQ(drives.Selected(), exchange.Index('c'));
  drives.Pick(exchange.Index('d'));
  EXPECT_EQ(folders.CurrentFolder(), "D:\\");
  EXPECT_EQ(drives.CurrentDrive(), 'd');
}

}  // namespace
