// The folder controls as real windows: glyph sizes, item heights from the font, clicks,
// double-clicks and keys. What they draw is in the Browse dialog's reference images.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
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

// Reads the list's items from another process, as a screen reader does (list_texts.exe, beside
// this program, sends the messages while this thread answers them): every step-th item and the
// last, each on a line, which must be the texts the list shows.
void ExpectReadAsShownFromAnotherProcess(const folderctl::TDirectoryListBox& list, int step) {
  const std::string file = "list_texts" + std::to_string(GetCurrentProcessId()) + ".txt";
  std::string command = "list_texts.exe " +
                        std::to_string(reinterpret_cast<INT_PTR>(list.Handle())) + " " +
                        std::to_string(step) + " " + file;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION reader{};
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &reader));
  MSG msg;
  while (MsgWaitForMultipleObjects(1, &reader.hProcess, FALSE, INFINITE, QS_SENDMESSAGE) !=
         WAIT_OBJECT_0) {
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // answers what was sent meanwhile
  }
  CloseHandle(reader.hThread);
  CloseHandle(reader.hProcess);
  std::ifstream in(file, std::ios::binary);
  const std::string read{std::istreambuf_iterator<char>(in), {}};
  in.close();
  DeleteFileA(file.c_str());
  std::wstring shown;
  const int count = static_cast<int>(list.State().Items().size());
  for (int i = 0; i < count; i = i == count - 1 ? count : std::min(i + step, count - 1)) {
    shown += ui::FromCodePage(list.State().DisplayText(i), CP_ACP) + L'\n';
  }
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(read.data()), read.size() / 2), shown);
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
  ExpectReadAsShownFromAnotherProcess(list, 1);
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
  ExpectReadAsShownFromAnotherProcess(list, 499);
  list.SetCurrentFolder("C:\\T\\BIG\\f0");
  EXPECT_EQ(shown(), (std::vector<LONG_PTR>{3, 0, 50003, 12, 0}));
}

// The platform's own list box, hidden in the shown Browse dialog in the folder list's place with
// its item height and the texts it shows, is the oracle: both are given the same characters,
// questions, keys, text messages and searches, and must answer alike.
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
  // The platform's list box over the texts the folder list shows, with its client height and
  // item height and the item it selects.
  static HWND PlatformList(const folderctl::TDirectoryListBox& list) {
    RECT rc;
    GetClientRect(list.Handle(), &rc);
    const HWND platform = CreateWindowExA(
        0, "LISTBOX", "", WS_CHILD | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 0, 0,
        rc.right, rc.bottom, GetParent(list.Handle()), nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(platform, LB_SETITEMHEIGHT, 0,
                 SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0));
    for (size_t i = 0; i < list.State().Items().size(); ++i) {
      const std::string text = list.State().DisplayText(static_cast<int>(i));
      SendMessageA(platform, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageA(platform, LB_SETCURSEL, SendMessageA(list.Handle(), LB_GETCURSEL, 0, 0), 0);
    return platform;
  }
  // What is done to a list, and its answer.
  using Act = std::function<std::string(HWND)>;
  // A message sent; LB_GETTEXT's answer holds the text.
  static Act Send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
    return [=](HWND l) {
      char text[MAX_PATH] = "";
      const LPARAM to = message == LB_GETTEXT ? reinterpret_cast<LPARAM>(text) : lParam;
      return std::to_string(SendMessageA(l, message, wParam, to)) + " " + text;
    };
  }
  // To ours, the question alone as the platform's list box asks it about the character c, with
  // no WM_CHAR before it, and its answer selected; to the platform's list box, `typed`.
  Act Asked(WPARAM c, const Act& typed) {
    return [this, c, typed](HWND l) {
      if (l == platform) {
        typed(l);
      } else {
        const LPARAM caret = SendMessageA(l, LB_GETCARETINDEX, 0, 0);
        const LRESULT to = SendMessageA(GetParent(l), WM_CHARTOITEM, MAKEWPARAM(c, caret),
                                        reinterpret_cast<LPARAM>(l));
        if (to >= 0) SendMessageA(l, LB_SETCURSEL, static_cast<WPARAM>(to), 0);
      }
      return std::string();
    };
  }
  // Does the same to both lists, after selecting `focus` unless it is below -1, and records where
  // their answers, selections, carets or top items part.
  void Both(const std::string& what, int focus, const Act& act) {
    std::string seen[2];
    for (int k = 0; k < 2; ++k) {
      const HWND l = k ? platform : ours;
      if (focus >= -1) SendMessageA(l, LB_SETCURSEL, static_cast<WPARAM>(focus), 0);
      seen[k] = act(l);
      for (UINT query : {LB_GETCURSEL, LB_GETCARETINDEX, LB_GETTOPINDEX}) {
        seen[k] += " " + std::to_string(SendMessageA(l, query, 0, 0));
      }
    }
    if (seen[0] != seen[1] && differences.size() < 20) {
      differences.push_back(what + " from " + std::to_string(focus) + " of " +
                            std::to_string(SendMessageA(ours, LB_GETCOUNT, 0, 0)) + ": " + seen[0] +
                            " / " + seen[1]);
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
  folderctl::TDirectoryListBox empty(machine);  // a folder list not filled yet
  empty.CreateIn(form2->Handle(), 0x7FF0, 0, 0, 100, 100);
  for (const folderctl::TDirectoryListBox* list : {&Folders(), &empty}) {
    ours = list->Handle();
    platform = PlatformList(*list);
    const int count = static_cast<int>(SendMessageA(ours, LB_GETCOUNT, 0, 0));
    // From every item and from none: every byte asked about alone (the answer follows the
    // question, not a byte typed before it), then typed; the arrow and page keys.
    for (int focus = -1; focus < count; ++focus) {
      for (WPARAM c = 0x20; c <= 0xFF; ++c) {
        Both("asked about " + std::to_string(c), focus, Asked(c, Send(WM_CHAR, c)));
        Both("byte " + std::to_string(c), focus, Send(WM_CHAR, c));
      }
      for (WPARAM key : {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT, VK_HOME, VK_END}) {
        Both("key " + std::to_string(key), focus, Send(WM_KEYDOWN, key));
      }
    }
    // A double-byte character in one question, lead byte high: the item the platform's own
    // search finds for its two bytes.
    Both("a pair asked about", 1,
         Asked(0x8341, Send(LB_SELECTSTRING, 1, reinterpret_cast<LPARAM>("\x83\x41"))));
    // Typed on from the root: a letter again, lead and trail bytes one by one; then WM_CHARs that
    // hold more than their low byte.
    for (const char* run : {"bbbb", "\x83\x41", "\x83\x61\x83\x61", "\x82\x60", "\x81\x40"}) {
      for (const char* c = run; *c; ++c) {
        Both(run, c == run ? 0 : -2, Send(WM_CHAR, static_cast<unsigned char>(*c)));
      }
    }
    for (WPARAM c : {0x4183, 0x8341, 0x6141})
      Both("packed " + std::to_string(c), 0, Send(WM_CHAR, c));
    // The texts of every item and of none; the searches.
    for (int i = -1; i <= count; ++i) {
      for (UINT m : {LB_GETTEXTLEN, LB_GETTEXT})
        Both("text of " + std::to_string(i), -2, Send(m, static_cast<WPARAM>(i)));
    }
    for (const char* find : {"b", "BETA", "beta2", "x", "[x", "-c", "c", "c:\\", "r&d", "\xC9",
                             "\xE9\x41", "\x83\x41", "\x83\x61", "\x83", "", "zz"}) {
      for (int start : {-1, 0, 4, count - 1, count}) {
        for (UINT m : {LB_FINDSTRING, LB_FINDSTRINGEXACT, LB_SELECTSTRING}) {
          Both(std::string("search ") + find + " " + std::to_string(m) + " after " +
                   std::to_string(start),
               -2, Send(m, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find)));
        }
      }
    }
    DestroyWindow(platform);
  }
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
