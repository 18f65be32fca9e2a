// The folder controls as real windows: glyph sizes, item heights from the font, clicks,
// double-clicks and keys. What they draw is in the Browse dialog's reference images.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gui/browse_fixture.h"
#include "gui_support.h"
#include "main_window_fixture.h"
#include "support/fake_os.h"
#include "win32/folderctl/directory_list_box.h"
#include "win32/folderctl/drive_combo_box.h"
#include "win32/os/os_win32.h"
#include "win32/ui/fonts.h"
#include "win32/ui/form.h"
#include "win32/ui/gdi.h"

namespace {

std::string ProcessDirectory() {
  char buffer[MAX_PATH];
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, n);
}

class Parent : public ui::Window {
 public:
  Parent() {
    RegisterClass("ZoltFolderCtlTestParent", nullptr, GetSysColorBrush(COLOR_BTNFACE));
    Create("ZoltFolderCtlTestParent", "folderctl", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, nullptr, 0,
           0, 420, 420);
  }
};
// One visible parent for all these tests: without a window manager, Wine waits seconds for a
// visible top-level window to go away. The controls are children, created and destroyed per test.
HWND SharedParent() {
  static Parent* parent = new Parent;
  return parent->Handle();
}

// The browse dialog's font, made by the form loader from the dialog's own description:
// "ＭＳ ゴシック" (a Gothic face standing in for it under Wine), 16 pixels.
ui::Font DialogFont() {
  return ui::DescribedFont(zolt::ParseFormDescription(ui::LoadTextResource("TFORM2")));
}

// A control's font, as its form gives it.
void SetFont(HWND control, const ui::Font& font) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
}

// A font's metrics as the screen gives them.
TEXTMETRICW MetricsOf(HFONT font) {
  ui::ScopedWindowDc screen(nullptr);
  ui::ScopedSelect select(screen.Get(), font);
  TEXTMETRICW tm{};
  GetTextMetricsW(screen.Get(), &tm);
  return tm;
}

// The same face at another character height, as a change of the font brings it.
ui::Font DialogFaceAt(int height) {
  return ui::CreateFormFont(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF", height, SHIFTJIS_CHARSET);
}

TEST(GlyphResources, SizesAsTheControlsDrawThem) {
  const struct {
    const char* name;
    int width, height;
  } cases[] = {{"FLOPPY", 16, 11},       {"HARD", 16, 11},         {"NETWORK", 16, 11},
               {"CDROM", 16, 11},        {"RAM", 16, 11},          {"OPENFOLDER", 16, 15},
               {"CLOSEDFOLDER", 16, 15}, {"CURRENTFOLDER", 16, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    folderctl::Glyph glyph(c.name);
    ASSERT_TRUE(glyph.Loaded());
    EXPECT_EQ(glyph.Width(), c.width);
    EXPECT_EQ(glyph.Height(), c.height);
  }
}

TEST(GdiWrappers, EverySelectionIsUndoneAtTheEndOfItsScope) {
  ui::ScopedWindowDc screen(nullptr);
  ui::MemoryDc dc(screen.Get());
  ui::Brush brush(CreateSolidBrush(RGB(1, 2, 3)));
  const HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_BRUSH);
  {
    ui::ScopedSelect select(dc.Get(), brush.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), brush.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), before);
  {
    ui::ScopedDcState state(dc.Get());
    SelectObject(dc.Get(), brush.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), before);
  // A bitmap's own DC: the bitmap leaves it before the DC is deleted.
  ui::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), 8, 8));
  HDC bitmapDc = nullptr;
  {
    ui::BitmapDc selected(screen.Get(), bitmap.Get());
    bitmapDc = selected.Get();
    EXPECT_EQ(GetCurrentObject(bitmapDc, OBJ_BITMAP), bitmap.Get());
    SetLastError(0);
  }
  EXPECT_EQ(GetLastError(), 0u) << "a call on the DC after it was deleted";
  EXPECT_EQ(GetObjectType(bitmapDc), 0u);
}

// C:\zfc<pid>\B with subfolders X and Y: the chain of the examples, C:\, A-level, B.
class FolderListWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(SharedParent(), nullptr) << "no window could be created";
    start_ = ProcessDirectory();
    top_ = "C:\\zfc" + std::to_string(GetCurrentProcessId());
    for (const std::string& p : {top_, top_ + "\\B", top_ + "\\B\\X", top_ + "\\B\\Y"}) {
      ASSERT_TRUE(CreateDirectoryA(p.c_str(), nullptr)) << p;
      made_.push_back(p);
    }
    font_ = DialogFont();
    list_ = std::make_unique<folderctl::TDirectoryListBox>(os::RealOs());
    list_->CreateIn(SharedParent(), 101, 24, 88, 233, 209);
    SetFont(List(), font_);
    list_->Fill();
    list_->OnChange = [this] { ++changes_; };
    list_->SetCurrentFolder(top_ + "\\B");
    changes_ = 0;
  }
  void TearDown() override {
    list_.reset();
    SetCurrentDirectoryA(start_.c_str());
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) RemoveDirectoryA(it->c_str());
  }
  HWND List() const { return list_->Handle(); }
  RECT ItemRect(int i) const {
    RECT rc{};
    SendMessageA(List(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
    return rc;
  }
  void Click(int i, bool doubleClick) {
    const RECT rc = ItemRect(i);
    const LPARAM at = MAKELPARAM(rc.left + 30, (rc.top + rc.bottom) / 2);
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(List(), WM_LBUTTONUP, 0, at);
    if (doubleClick) {
      SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
      SendMessageA(List(), WM_LBUTTONUP, 0, at);
    }
  }
  int Selection() const { return static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0)); }

  std::string start_;
  std::string top_;
  std::vector<std::string> made_;
  ui::Font font_;
  std::unique_ptr<folderctl::TDirectoryListBox> list_;
  int changes_ = 0;
};

TEST_F(FolderListWindow, ItemHeightFromTheDialogsSixteenPixelFont) {
  // 16 pixels of text; an item is the full cell, which adds the face's internal leading (none in
  // "ＭＳ ゴシック", a pixel in the face standing in for it under Wine).
  const TEXTMETRICW dialog = MetricsOf(font_.Get());
  EXPECT_EQ(dialog.tmHeight - dialog.tmInternalLeading, 16);
  EXPECT_EQ(SendMessageA(List(), LB_GETITEMHEIGHT, 0, 0), dialog.tmHeight);
  ui::Font big = DialogFaceAt(24);
  const int cell = folderctl::FontCellHeight(big.Get());
  ASSERT_GT(cell, 16);
  SetFont(List(), big);
  EXPECT_EQ(SendMessageA(List(), LB_GETITEMHEIGHT, 0, 0), cell);
  EXPECT_EQ(ItemRect(2).top, 2 * cell);
  ui::Font tiny = DialogFaceAt(8);
  SetFont(List(), tiny);
  EXPECT_EQ(SendMessageA(List(), LB_GETITEMHEIGHT, 0, 0), 16);  // the glyph's minimum
  SetFont(List(), font_);
}

TEST_F(FolderListWindow, ClicksAndKeysOnlyMoveTheSelection) {
  const std::string folder = list_->CurrentFolder();
  Click(3, false);
  EXPECT_EQ(Selection(), 3);
  SendMessageA(List(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Selection(), 4);
  SendMessageA(List(), WM_CHAR, 'x', 0);
  EXPECT_EQ(Selection(), 3);
  EXPECT_EQ(list_->CurrentFolder(), folder);
  EXPECT_EQ(ProcessDirectory(), folder);
  EXPECT_EQ(changes_, 0);
  // Enter is left to the dialog's default button.
  MSG enter{List(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  const LRESULT code =
      SendMessageA(List(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
  EXPECT_EQ(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE), 0);
  // Outside a dialog an Enter that reaches the list opens the selected item.
  SendMessageA(List(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(list_->CurrentFolder(), folder + "\\X");
  EXPECT_EQ(changes_, 1);
}

TEST_F(FolderListWindow, DoubleClicksOpenItems) {
  const int kBelowTheLast = -1;  // the subfolder X selected, then a double-click below the items
  const struct {
    int item;
    std::string folder;
    int changes;
  } steps[] = {
      {2, top_ + "\\B", 0},              // the current item: nothing, not even a refresh
      {kBelowTheLast, top_ + "\\B", 0},  // nothing opens
      {1, top_, 1},                      // an ancestor
      {2, top_ + "\\B", 1},              // at C:\zfc, item 2 is its subfolder B
      {3, top_ + "\\B\\X", 1},           // a subfolder
      {0, "C:\\", 1},                    // the first item: the drive root
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(std::to_string(s.item) + " " + s.folder);
    changes_ = 0;
    if (s.item == kBelowTheLast) {
      Click(3, false);
      const RECT last = ItemRect(static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0)) - 1);
      const LPARAM below = MAKELPARAM(last.left + 30, last.bottom + 20);
      SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, below);
      SendMessageA(List(), WM_LBUTTONUP, 0, below);
    } else {
      Click(s.item, true);
      EXPECT_EQ(Selection(), list_->State().CurrentIndex());
    }
    EXPECT_EQ(list_->CurrentFolder(), s.folder);
    EXPECT_EQ(ProcessDirectory(), s.folder);
    EXPECT_EQ(changes_, s.changes);
  }
}

TEST_F(FolderListWindow, RecreatedWindowRebuildsItsItems) {
  ASSERT_TRUE(CreateDirectoryA((top_ + "\\B\\Z").c_str(), nullptr));
  made_.push_back(top_ + "\\B\\Z");
  EXPECT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 5);  // not refreshed meanwhile
  DestroyWindow(list_->Handle());
  EXPECT_EQ(List(), nullptr);
  list_->CreateIn(SharedParent(), 101, 24, 88, 233, 209);
  list_->Fill();
  EXPECT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 6);
  EXPECT_EQ(Selection(), 2);
  EXPECT_EQ(list_->CurrentFolder(), top_ + "\\B");
}

// The first item whose text another process does not read as the list shows it, as a screen
// reader reads it (list_texts.exe, beside this program, sends the messages while this thread
// answers them): of every step-th item and the last; -1 when they all read as shown.
int FirstItemReadOtherwise(const folderctl::TDirectoryListBox& list, int step = 1) {
  char exe[MAX_PATH];
  std::string folder(exe, GetModuleFileNameA(nullptr, exe, sizeof exe));
  folder.erase(folder.find_last_of('\\') + 1);
  const std::string file = folder + "list_texts" + std::to_string(GetCurrentProcessId()) + ".txt";
  std::string command = "\"" + folder + "list_texts.exe\" " +
                        std::to_string(reinterpret_cast<INT_PTR>(list.Handle())) + " \"" + file +
                        "\" " + std::to_string(step);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION reader{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &reader)) {
    ADD_FAILURE() << "cannot start " << command;
    return -2;
  }
  MSG msg;
  while (MsgWaitForMultipleObjects(1, &reader.hProcess, FALSE, INFINITE, QS_SENDMESSAGE) !=
         WAIT_OBJECT_0) {
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // answers what was sent meanwhile
  }
  DWORD code = 1;
  GetExitCodeProcess(reader.hProcess, &code);
  CloseHandle(reader.hThread);
  CloseHandle(reader.hProcess);
  EXPECT_EQ(code, 0u) << "the reader failed";
  std::wstring read;
  if (FILE* in = std::fopen(file.c_str(), "rb")) {
    wchar_t buffer[4096];
    for (size_t n; (n = std::fread(buffer, sizeof(wchar_t), 4096, in)) > 0;) read.append(buffer, n);
    std::fclose(in);
  }
  DeleteFileA(file.c_str());
  const int count = static_cast<int>(list.State().Items().size());
  std::vector<int> items;
  for (int i = 0; i < count; i += step) items.push_back(i);
  if (count > 0 && (count - 1) % step != 0) items.push_back(count - 1);
  size_t at = 0;
  for (int i : items) {
    const std::wstring shown = ui::FromCodePage(list.State().DisplayText(i), CP_ACP);
    if (read.compare(at, shown.size(), shown) != 0 || read.find(L'\n', at) != at + shown.size()) {
      return i;
    }
    at += shown.size() + 1;
  }
  return at == read.size() ? -1 : count;
}

// 50,000 items: the scroll bar, a folder entered from a list scrolled to its end, and each item's
// text as another process reads it, there and in a folder of a few subfolders.
TEST(FolderListWithoutTexts, FiftyThousandItemsAndTheirTextsReadFromAnotherProcess) {
  fake::Machine m;
  m.SetDoubleByte(GetACP() == 932);
  for (const char* name : {"alpha", "Beta", "R&D", "[-c-]", "\xC9\x61", "\x83\x41\x95\x5C"}) {
    m.AddFolder(std::string("C:\\T\\") + name);
  }
  for (int i = 0; i < 50000; ++i) m.AddFolder("C:\\T\\BIG\\f0\\g" + std::to_string(i));
  for (int i = 1; i < 50000; ++i) m.AddFolder("C:\\T\\BIG\\f" + std::to_string(i));
  m.SetCurrent("C:\\T");
  folderctl::TDirectoryListBox list(m);
  list.CreateIn(SharedParent(), 101, 24, 88, 233, 209);
  const ui::Font font = DialogFont();
  SetFont(list.Handle(), font);
  list.Fill();
  EXPECT_EQ(FirstItemReadOtherwise(list), -1);
  const auto shown = [&list] {
    const SCROLLINFO si = gui::ReadScrollBar(list.Handle(), SB_VERT);
    return std::vector<LONG_PTR>{SendMessageA(list.Handle(), LB_GETCURSEL, 0, 0),
                                 SendMessageA(list.Handle(), LB_GETTOPINDEX, 0, 0), si.nMax,
                                 static_cast<LONG_PTR>(si.nPage), si.nPos};
  };
  list.SetCurrentFolder("C:\\T\\BIG");
  EXPECT_EQ(shown(), (std::vector<LONG_PTR>{2, 0, 50002, 12, 0}));
  SendMessageA(list.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(shown(), (std::vector<LONG_PTR>{2, 49991, 50002, 12, 49991}));
  EXPECT_EQ(FirstItemReadOtherwise(list, 499), -1);
  list.SetCurrentFolder("C:\\T\\BIG\\f0");
  EXPECT_EQ(shown(), (std::vector<LONG_PTR>{3, 0, 50003, 12, 0}));
}

// The platform's own list box, hidden in the shown Browse dialog beside the folder list with the
// same size and item height and the texts the folder list shows, is the oracle: both are given
// the same characters, keys, text messages and searches, and must answer alike.
class FolderListAgainstThePlatform : public gui::BrowseTest {
 public:
  void SetUp() override {
    BrowseTest::SetUp();
    machine.SetDoubleByte(GetACP() == 932);
    for (const char* name : {"alpha", "Beta", "beta2", "[x]", "[-c-]", "R&D", "_u", "~t", "1st",
                             "\xC9\x61", "\xE9\x62", "\x83\x41pple", "\x83\x61", "\xB1kana",
                             "\x82\x60", "\x81\x40sp", "\xDFmark", "\x80x"}) {
      machine.AddFolder(std::string("C:\\DATA\\") + name);
    }
    Start();
  }
  static HWND PlatformList(HWND ours, bool filled) {
    RECT rc;
    GetWindowRect(ours, &rc);
    MapWindowPoints(nullptr, GetParent(ours), reinterpret_cast<POINT*>(&rc), 2);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                WS_CHILD | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                GetParent(ours), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, SendMessageA(ours, LB_GETITEMHEIGHT, 0, 0));
    char text[MAX_PATH];
    for (LRESULT i = 0; filled && i < SendMessageA(ours, LB_GETCOUNT, 0, 0); ++i) {
      SendMessageA(ours, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(SendMessageA(ours, LB_GETCURSEL, 0, 0)),
                 0);
    return list;
  }
  // Sends both lists the message (after focusing the item first, unless focus < -1) and records
  // where their answers, selections, carets or top items part.
  void Both(int focus, UINT message, WPARAM wParam, LPARAM lParam, const std::string& what) {
    std::vector<LRESULT> answers[2];
    for (int k = 0; k < 2; ++k) {
      HWND l = k ? platform : ours;
      if (focus >= -1) SendMessageA(l, LB_SETCURSEL, static_cast<WPARAM>(focus), 0);
      answers[k] = {SendMessageA(l, message, wParam, lParam)};
      for (UINT query : {LB_GETCURSEL, LB_GETCARETINDEX, LB_GETTOPINDEX}) {
        answers[k].push_back(SendMessageA(l, query, 0, 0));
      }
    }
    if (answers[0] != answers[1] && differences.size() < 20) {
      std::string said = what + " from " + std::to_string(focus) + ":";
      for (const auto& a : answers) {
        for (LRESULT r : a) said += " " + std::to_string(r);
        said += " /";
      }
      differences.push_back(said);
    }
  }

  // Run while the dialog is shown.
  void CompareWithThePlatform();

  HWND ours = nullptr, platform = nullptr;
  std::vector<std::string> differences;
};

TEST_F(FolderListAgainstThePlatform, TypingKeysTextsAndSearches) {
  Browse(true, {[this] { CompareWithThePlatform(); }, Press("Button2")});
  EXPECT_EQ(differences, std::vector<std::string>{});
}

void FolderListAgainstThePlatform::CompareWithThePlatform() {
  ours = Folders().Handle();
  platform = PlatformList(ours, true);
  const int count = static_cast<int>(SendMessageA(ours, LB_GETCOUNT, 0, 0));
  // Every byte and the arrow keys from every item, and with no item selected.
  for (int focus = -1; focus < count; ++focus) {
    for (int c = 0x20; c <= 0xFF; ++c) Both(focus, WM_CHAR, c, 0, "byte " + std::to_string(c));
    for (int key : {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END}) {
      Both(focus, WM_KEYDOWN, key, 0, "key " + std::to_string(key));
    }
  }
  // Runs from the root: a letter typed again, lead and trail bytes one by one.
  for (const char* run : {"bbbb", "\x83\x41", "\x83\x61\x83\x61", "\x82\x60", "\x81\x40"}) {
    for (const char* c = run; *c; ++c) {
      Both(c == run ? 0 : -2, WM_CHAR, static_cast<unsigned char>(*c), 0, run);
    }
  }
  // The question alone, as the platform's list box asks it: the answer follows its character,
  // not a byte the list saw before; the platform's own list box typed that character moves so.
  for (int c = 0x20; c <= 0xFF; ++c) {
    SendMessageA(platform, LB_SETCURSEL, 1, 0);
    SendMessageA(platform, WM_CHAR, static_cast<WPARAM>(c), 0);
    SendMessageA(ours, LB_SETCURSEL, 1, 0);
    const LRESULT answer = SendMessageA(GetParent(ours), WM_CHARTOITEM, MAKEWPARAM(c, 1),
                                        reinterpret_cast<LPARAM>(ours));
    if ((answer == -2 ? 1 : answer) != SendMessageA(platform, LB_GETCURSEL, 0, 0)) {
      differences.push_back("asked about " + std::to_string(c));
    }
  }
  // A double-byte character in one question, lead byte high: the item the platform's own search
  // finds for its two bytes.
  const LRESULT pair = SendMessageA(GetParent(ours), WM_CHARTOITEM, MAKEWPARAM(0x8341, 1),
                                    reinterpret_cast<LPARAM>(ours));
  if (pair != SendMessageA(platform, LB_FINDSTRING, 1, reinterpret_cast<LPARAM>("\x83\x41"))) {
    differences.push_back("asked about a pair");
  }
  // A WM_CHAR that holds more than its low byte: the list box's question tells what it read.
  for (WPARAM c : {0x4183, 0x8341, 0x6141}) Both(0, WM_CHAR, c, 0, "packed " + std::to_string(c));
  for (int i = -1; i <= count; ++i) {
    Both(-2, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0, "length");
    std::string texts[2];
    for (int k = 0; k < 2; ++k) {
      char text[MAX_PATH] = "";
      texts[k] =
          std::to_string(SendMessageA(k ? platform : ours, LB_GETTEXT, static_cast<WPARAM>(i),
                                      reinterpret_cast<LPARAM>(text))) +
          " " + text;
    }
    if (texts[0] != texts[1]) differences.push_back(texts[0] + " / " + texts[1]);
  }
  for (const char* find : {"b", "BETA", "beta2", "x", "[x", "-c", "c", "c:\\", "r&d", "\xC9",
                           "\xE9\x41", "\x83\x41", "\x83\x61", "\x83", "", "zz"}) {
    for (int start : {-1, 0, 4, count - 1, count}) {
      for (UINT m : {LB_FINDSTRING, LB_FINDSTRINGEXACT, LB_SELECTSTRING}) {
        Both(-2, m, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find),
             std::string("search ") + find + " " + std::to_string(m) + " after " +
                 std::to_string(start));
      }
    }
  }
  DestroyWindow(platform);
  // Empty lists: a folder list not filled yet.
  folderctl::TDirectoryListBox empty(machine);
  empty.CreateIn(form2->Handle(), 0x7FF0, 0, 0, 100, 100);
  ours = empty.Handle();
  platform = PlatformList(ours, false);
  for (int c = 0x20; c <= 0xFF; ++c) Both(-2, WM_CHAR, c, 0, "empty, byte " + std::to_string(c));
  DestroyWindow(platform);
}

// A drive of every kind the list has a glyph for, the process on C:.
class DriveComboWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(SharedParent(), nullptr) << "no window could be created";
    machine_.AddDrive('a', os::kDriveRemovable);
    machine_.AddDrive('d', os::kDriveCdRom).hasMedium = false;
    machine_.AddDrive('n', os::kDriveRemote).remote = "\\\\server\\public";
    machine_.AddDrive('r', os::kDriveRamDisk);
    font_ = DialogFont();
    combo_ = std::make_unique<folderctl::TDriveComboBox>(machine_);
    combo_->OnChange = [this] {
      events_.push_back(std::string(1, combo_->CurrentDrive()) + " " +
                        std::to_string(SendMessageA(Combo(), CB_GETCURSEL, 0, 0)));
    };
    combo_->CreateIn(SharedParent(), 102, 24, 32, 233, 22);
    SetFont(Combo(), font_);
    combo_->Fill();
  }
  HWND Combo() const { return combo_->Handle(); }

  fake::Machine machine_;
  ui::Font font_;
  std::unique_ptr<folderctl::TDriveComboBox> combo_;
  std::vector<std::string> events_;
};

TEST_F(DriveComboWindow, CreationAppliesTheProcessDrive) {
  const auto& entries = combo_->State().Entries();
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(SendMessageA(Combo(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(entries.size()));
  char text[64] = "";
  SendMessageA(Combo(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(text, entries[0].text);
  const char drive = 'c';
  EXPECT_EQ(combo_->CurrentDrive(), drive);
  ASSERT_EQ(events_.size(), 1u);
  EXPECT_EQ(events_[0][0], drive);
  EXPECT_EQ(SendMessageA(Combo(), CB_GETITEMHEIGHT, 0, 0), MetricsOf(font_.Get()).tmHeight);
}

TEST_F(DriveComboWindow, AKeyPickFiresTwiceWithTheNewDriveStored) {
  const auto& entries = combo_->State().Entries();
  const int start = static_cast<int>(SendMessageA(Combo(), CB_GETCURSEL, 0, 0));
  ASSERT_GE(start, 0);
  const int next = start + 1 < static_cast<int>(entries.size()) ? start + 1 : start - 1;
  const UINT key = next > start ? VK_DOWN : VK_UP;
  events_.clear();
  int clicks = 0;
  combo_->OnClick = [&] {
    ++clicks;
    EXPECT_TRUE(events_.empty());
  };
  SendMessageA(Combo(), WM_KEYDOWN, key, 0);
  const std::string expected = entries[size_t(next)].text.substr(0, 1) + " " + std::to_string(next);
  EXPECT_EQ(events_, (std::vector<std::string>{expected, expected}));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(combo_->CurrentDrive(), entries[size_t(next)].text[0]);
}

TEST_F(DriveComboWindow, EnterOnlyWhileDroppedDown) {
  MSG enter{Combo(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  const LPARAM msg = reinterpret_cast<LPARAM>(&enter);
  EXPECT_EQ(
      SendMessageA(Combo(), WM_GETDLGCODE, VK_RETURN, msg) & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS),
      0);
  SendMessageA(Combo(), CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_NE(SendMessageA(Combo(), WM_GETDLGCODE, VK_RETURN, msg) & DLGC_WANTMESSAGE, 0);
  SendMessageA(Combo(), CB_SHOWDROPDOWN, FALSE, 0);
}

}  // namespace
