// Each Windows service fails in turn while a user's action runs its handler: the program goes
// on, shows the error box only where the failure stops the handler, and leaves its state where
// the handler had got to. After each case the machine heals and the same action works again.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/browse_fixture.h"
#include "win32/ui/application.h"

namespace {

using fake::Service;
using gui::Step;
using Rows = std::vector<std::vector<std::string>>;
using Texts = std::vector<std::string>;

// A service failing with a code, for count calls (-1: until healed) once `after` calls succeeded.
struct Fault {
  Service service;
  uint32_t code;
  int count;
  int after;
};
Fault Fails(Service service, uint32_t code, int count, int after) {
  return Fault{service, code, count, after};
}

using Marks = std::vector<uint8_t>;
template <typename... Bytes>
Marks MarksOf(Bytes... bytes) {
  return Marks{static_cast<uint8_t>(bytes)...};
}

const char kDateError[] = "日付に変換できない値が渡されました.";
const std::vector<std::string> kTitles = {"FileName", "Size", "DateTime"};
// C:\DATA as the pane lists it when nothing fails: local time is nine hours ahead, and c.txt's
// odd second shows as the even one below it.
const Rows kData = {kTitles,
                    {"a.txt", "10", "2004/03/15 18:05:06"},
                    {"b.txt", "20", "2004/03/15 18:05:06"},
                    {"c.txt", "30", "2004/03/15 18:05:06"}};

class FaultsTest : public gui::BrowseTest {
 public:
  void SetUp() override {
    BrowseTest::SetUp();
    machine.SetOffsetMinutes(540);
    machine.AddFile("C:\\DATA\\c.txt", 30, fake::MakeFileTime(2004, 3, 15, 9, 5, 7));
    // A volume that neither keeps nor tells letter case, so the folder list's flags show.
    machine.AddDrive('c', os::kDriveFixed, "SYSTEM").flags = 0;
    machine.AddDrive('z', os::kDriveRemote, "NETLABEL").remote = "\\\\SERVER\\PUBLIC";
    machine.AddFolder("D:\\OLD");
    machine.AddFile("D:\\OLD\\a.txt", 11, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  }

  // A new browse dialog, not shown yet.
  void NewDialog() {
    form2.reset();
    form2 = std::make_unique<TForm2>(gui::App(), machine);
    form2->Create(form1->Handle());
    form1->SetBrowseDialog(*form2);
  }

  Step Fail(const Fault& f) {
    return [this, f] { machine.Fail(f.service, f.code, f.count, f.after); };
  }

  void Compare() { gui::ChooseMenuItem(form1->Handle(), 1); }

  // message: the error box's exact text, or nullptr for none.
  static void ExpectBox(const gui::ErrorBoxes& seen, const char* message) {
    Texts texts;
    for (const auto& box : seen.boxes) texts.push_back(box.text);
    EXPECT_EQ(texts, message ? Texts{message} : Texts{});
  }

  // Both windows are there and take input, no search is left open and the error mode is the
  // process's own again.
  void ExpectRunning() {
    EXPECT_TRUE(IsWindow(form2->Handle()));
    EXPECT_TRUE(IsWindowVisible(form1->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form1->Handle()));
    EXPECT_EQ(machine.openSearches, 0);
    EXPECT_EQ(machine.ErrorMode(), 0u);
  }

  // OK handed back folderPath, the left pane loaded it, no box appeared and the program runs on.
  void ExpectLoadedSilently(const gui::ErrorBoxes& watch, const char* folderPath,
                            const char* status) {
    EXPECT_EQ(form2->FolderPath, folderPath);
    EXPECT_EQ(Read(true).status, status);
    gui::Pump();
    ExpectBox(watch, nullptr);
    ExpectRunning();
  }

  Texts ItemTexts() {
    Texts texts;
    for (const auto& item : Folders().State().Items()) texts.push_back(item.text);
    return texts;
  }
  // The drive entries as the combo box holds them, checked against the state they mirror.
  Texts DriveTexts() {
    Texts texts;
    HWND combo = Drives().Handle();
    const LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      char text[300] = "";
      SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      texts.push_back(text);
    }
    Texts state;
    for (const auto& entry : Drives().State().Entries()) state.push_back(entry.text);
    EXPECT_EQ(texts, state);
    return texts;
  }
};

TEST_F(FaultsTest, PaneLoadingThroughTheDialogWhenTheSearchOrTheTimeFails) {
  Start();
  const Rows empty = {kTitles, {"", "", ""}};
  const Rows first = {kTitles, kData[1]};
  // The first file's name and size are written before its time is converted.
  const Rows halfWritten = {kTitles, {"a.txt", "10", "2001/01/01 09:00:00"}};
  const struct {
    const char* name;
    Fault fault;
    const char* box;
    const char* status;
    int32_t fileCount;
    Marks marks;
    const Rows& rows;
    Marks comparedLeft;  // both panes' marks after Compare(&C) then
    Marks comparedRight;
  } cases[] = {
      {"the search cannot start", Fails(Service::kFindFiles, 3, 1, 0), nullptr, " No File", 0,
       MarksOf(), empty, MarksOf(), MarksOf(6, 255, 255)},
      {"the search fails after the first file", Fails(Service::kFindNext, 5, 1, 5),
       "ファイルへのアクセスが拒否されました.", " 1 Files", 1, MarksOf(6), first, MarksOf(0),
       MarksOf(0, 255, 255)},
      // The first file is written over the old row 1, under the old row count.
      {"local time fails at the second file", Fails(Service::kFileTimeToLocal, 0, 1, 1), kDateError,
       " 1 Files", 1, MarksOf(6), first, MarksOf(0), MarksOf(0, 255, 255)},
      {"local time fails at the first file", Fails(Service::kFileTimeToLocal, 0, -1, 0), kDateError,
       " 1 Files", 1, MarksOf(6), halfWritten, MarksOf(4), MarksOf(4, 255, 255)},
      // The packed form is only a step on the way: the local time gives the same text.
      {"the packed time fails", Fails(Service::kFileTimeToDos, 87, -1, 0), nullptr, " 3 Files", 3,
       MarksOf(0, 0, 0), kData, MarksOf(0, 0, 0), MarksOf(0, 0, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Left D:\OLD\ against right C:\DATA\: the left a.txt differs in size and time.
    form1->LoadLeftPane("D:\\OLD\\");
    form1->LoadRightPane("C:\\DATA\\");
    Compare();
    ASSERT_EQ(form1->Marks1.Bytes(), Marks{6});
    Folders().SetCurrentFolder("C:\\DATA");
    {
      gui::ErrorBoxes watch;
      Browse(true, {Fail(c.fault), Press("Button1")});
      ExpectBox(watch, c.box);
    }
    const gui::PaneState left = Read(true);
    EXPECT_EQ(left.path, "C:\\DATA\\");
    EXPECT_EQ(left.status, c.status);
    EXPECT_EQ(left.rows, c.rows);
    EXPECT_EQ(left.fileCount, c.fileCount);
    EXPECT_EQ(left.marks, c.marks);
    {
      // The comparison reads what the grids show, within the kept counts: no range error.
      gui::ErrorBoxes watch;
      Compare();
      gui::Pump();
      ExpectBox(watch, nullptr);
    }
    EXPECT_EQ(form1->Marks1.Bytes(), c.comparedLeft);
    EXPECT_EQ(form1->Marks2.Bytes(), c.comparedRight);
    ExpectRunning();

    machine.Heal();
    Browse(true, {Press("Button1")});
    EXPECT_EQ(Read(true).rows, kData);
    EXPECT_EQ(Read(true).status, " 3 Files");
    EXPECT_EQ(form1->Marks1.Bytes(), Marks(3, 0));
  }
}

TEST_F(FaultsTest, FolderDoubleClickAndDrivePickWhenEnteringOrReadingBackFails) {
  Start();
  const Texts kept;  // not looked at: the list stays as it was
  const Texts unlisted = {"C:\\", "DATA", "SUB"};
  const Texts atSub = {"C:\\", "DATA", "SUB", "DEEP"};
  const struct {
    const char* name;
    bool pick;  // picks D: in the drive list; otherwise double-clicks SUB in the folder list
    Fault fault;
    const char* box;
    const char* folder;  // the folder list's folder afterwards; nullptr: all as it was
    const Texts& items;
    bool casePreserving;
  } cases[] = {
      {"no access", false, Fails(Service::kEnterDirectory, 5, -1, 0),
       "ファイルへのアクセスが拒否されました.", nullptr, kept, false},
      {"the subfolder has vanished", false, Fails(Service::kEnterDirectory, 2, 1, 2),
       "ファイルが見つかりません.", nullptr, kept, false},
      {"the last enter finds no medium", false, Fails(Service::kEnterDirectory, 21, 1, 5),
       "I/O エラー (21)", nullptr, kept, false},
      {"read-back before the change", false, Fails(Service::kReadCurrentDirectory, 6, 1, 0),
       "I/O エラー (6)", nullptr, kept, false},
      {"read-back after entering", false, Fails(Service::kReadCurrentDirectory, 3, 1, 1),
       "不正なファイル名です.", nullptr, kept, false},
      {"the subfolders cannot be listed", false, Fails(Service::kFindFiles, 5, 1, 0), nullptr,
       "C:\\DATA\\SUB", unlisted, false},
      {"the volume flags cannot be read", false, Fails(Service::kVolumeInformation, 5, 1, 0),
       nullptr, "C:\\DATA\\SUB", atSub, true},
      {"the drive cannot be entered", true, Fails(Service::kEnterDirectory, 21, -1, 0), nullptr,
       nullptr, kept, false},
      {"read-back while the drive is resolved", true,
       Fails(Service::kReadCurrentDirectory, 6, 1, 1), nullptr, nullptr, kept, false},
      {"read-back after the drive switch", true, Fails(Service::kReadCurrentDirectory, 6, 1, 2),
       nullptr, nullptr, kept, false},
      {"read-back at the end", true, Fails(Service::kReadCurrentDirectory, 6, 1, 3), nullptr,
       nullptr, kept, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Drives().SetCurrentDrive('c');
    Folders().SetCurrentFolder("C:\\DATA");
    const Step action = c.pick ? PickDrive('d') : ClickFolder("SUB", true);
    Texts items;
    int selected = -2;
    std::string folder;
    bool casePreserving = true;
    {
      gui::ErrorBoxes watch;
      Browse(false, {ClickFolder("SUB", false),
                     [&] {
                       items = ItemTexts();
                       selected = Folders().State().Selected();
                       casePreserving = Folders().State().CasePreserving();
                     },
                     Fail(c.fault), action, [&] { folder = Folders().CurrentFolder(); },
                     Press("Button1")});
      ExpectBox(watch, c.box);
    }
    machine.Heal();
    const auto& state = Folders().State();
    EXPECT_EQ(folder, c.folder ? c.folder : "C:\\DATA");
    EXPECT_EQ(form2->FolderPath, folder + "\\");
    EXPECT_EQ(machine.Current(), folder);
    if (c.folder) {
      EXPECT_EQ(ItemTexts(), c.items);
      EXPECT_EQ(state.Selected(), state.CurrentIndex());
      EXPECT_EQ(state.CasePreserving(), c.casePreserving);
    } else {
      EXPECT_EQ(ItemTexts(), items);
      EXPECT_EQ(state.Selected(), selected);
      EXPECT_EQ(state.CasePreserving(), casePreserving);
    }
    EXPECT_EQ(SendMessageA(Folders().Handle(), LB_GETCURSEL, 0, 0), state.Selected());
    // The drive list is back on the drive the folder list shows.
    EXPECT_EQ(Drives().CurrentDrive(), 'c');
    EXPECT_EQ(SendMessageA(Drives().Handle(), CB_GETCURSEL, 0, 0), DriveIndex('c'));
    ExpectRunning();

    Drives().SetCurrentDrive('c');
    Folders().SetCurrentFolder("C:\\DATA");
    Browse(false, {action, Press("Button1")});
    EXPECT_EQ(form2->FolderPath, c.pick ? "D:\\" : "C:\\DATA\\SUB\\");
    EXPECT_EQ(machine.Current() + (c.pick ? "" : "\\"), form2->FolderPath);
    EXPECT_EQ(Drives().CurrentDrive(), c.pick ? 'd' : 'c');
  }
}

TEST_F(FaultsTest, DialogFirstShownWhileTheDriveServicesFail) {
  Start();
  const Texts healthy = {"c: [system]", "d: [work]", "e: []", "z: \\\\server\\public"};
  const struct {
    const char* name;
    Service service;
    Texts entries;
    int selected;
    bool casePreserving;
  } cases[] = {
      {"no drive table", Service::kLogicalDrives, {}, -1, false},
      {"no volume information",
       Service::kVolumeInformation,
       {"c: []", "d: []", "e: []", "z: \\\\server\\public"},
       0,
       true},
      {"no network connections",
       Service::kNetworkConnection,
       {"c: [system]", "d: [work]", "e: []", "z: [netlabel]"},
       0,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    gui::ErrorBoxes watch;
    machine.SetCurrent("C:\\DATA");
    NewDialog();
    // The lists read the machine when the dialog is first shown.
    machine.Fail(c.service, 5);
    Browse(true, {[&] {
                    machine.Heal();
                    EXPECT_EQ(DriveTexts(), c.entries);
                    EXPECT_EQ(SendMessageA(Drives().Handle(), CB_GETCURSEL, 0, 0), c.selected);
                    EXPECT_EQ(Drives().CurrentDrive(), 'c');
                    EXPECT_EQ(ItemTexts(), (Texts{"C:\\", "DATA", "SUB", "ZED"}));
                    EXPECT_EQ(Folders().State().CasePreserving(), c.casePreserving);
                  },
                  // The folder list works and OK hands back its folder.
                  ClickFolder("SUB", true), Press("Button1")});
    ExpectLoadedSilently(watch, "C:\\DATA\\SUB\\", " 1 Files");

    NewDialog();
    Browse(true, {[&] { EXPECT_EQ(DriveTexts(), healthy); }, Press("Button2")});
  }
}

TEST_F(FaultsTest, DialogBuiltWhereTheCurrentDirectoryCannotBeReadStartsAtTheRoot) {
  Start();
  // A directory too long for the read-back buffer: the drive list's read and the folder list's
  // first read fail.
  machine.SetCurrent("C:\\DATA\\SUB");
  machine.Fail(Service::kReadCurrentDirectory, 206, 2);
  gui::ErrorBoxes watch;
  NewDialog();
  machine.Heal();
  EXPECT_EQ(machine.Current(), "C:\\");
  // At the first showing both lists are on C:.
  Browse(true, {[&] {
                  EXPECT_EQ(ItemTexts(), (Texts{"C:\\", "DATA"}));
                  EXPECT_EQ(SendMessageA(Drives().Handle(), CB_GETCURSEL, 0, 0), DriveIndex('c'));
                },
                ClickFolder("DATA", true), Press("Button1")});
  ExpectLoadedSilently(watch, "C:\\DATA\\", " 3 Files");
}

TEST_F(FaultsTest, SeparatorsThatCannotBeReadAtASettingsChangeAreTheDefaults) {
  Start();
  machine.SetSeparators("-", ".");
  SendMessageA(form1->Handle(), WM_SETTINGCHANGE, 0, 0);
  const struct {
    const char* name;
    int count;
    int after;
    const char* dateTime;
  } cases[] = {
      {"both", -1, 0, "2004/03/15 18:05:06"},
      {"the date separator", 1, 0, "2004/03/15 18.05.06"},
      {"the time separator", 1, 1, "2004-03-15 18:05:06"},
  };
  gui::ErrorBoxes watch;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int resets = machine.localeResets;
    machine.Fail(Service::kLocaleSeparator, 1004, c.count, c.after);
    SendMessageA(form1->Handle(), WM_SETTINGCHANGE, 0, 0);
    machine.Heal();  // what the change read stays until the next change
    EXPECT_EQ(machine.localeResets, resets + 1);
    Folders().SetCurrentFolder("C:\\DATA");
    Browse(true, {Press("Button1")});
    const Rows rows = Read(true).rows;
    ASSERT_EQ(rows.size(), 4u);
    for (size_t r = 1; r < rows.size(); ++r) EXPECT_EQ(rows[r][2], c.dateTime);

    SendMessageA(form1->Handle(), WM_SETTINGCHANGE, 0, 0);
    Browse(true, {Press("Button1")});
    EXPECT_EQ(Read(true).rows[1][2], "2004-03-15 18.05.06");
    ExpectRunning();
  }
  gui::Pump();
  ExpectBox(watch, nullptr);
}

}  // namespace
