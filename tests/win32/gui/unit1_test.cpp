#include "win32/Unit1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "gui/main_window_fixture.h"
#include "gui/reference_images.h"
#include "support/fake_os.h"
#include "win32/os/os_win32.h"
#include "win32/ui/application.h"
#include "win32/ui/fonts.h"
#include "win32/ui/window.h"

namespace {

using gui::At;
using gui::DropQuit;
using gui::PaneState;
using gui::ReadPane;
using gui::RectText;
using ui::TextOf;
using Rows = std::vector<std::vector<std::string>>;

// A grid's rows: the titles, then the data rows.
Rows Titled(Rows data) {
  data.insert(data.begin(), {"FileName", "Size", "DateTime"});
  return data;
}

// A control's rectangle relative to its parent's client area.
RECT InParent(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// Handles pending messages; true when the loop's quit message came among them.
bool QuitPosted() {
  const bool quit = !gui::Pump();
  DropQuit();
  return quit;
}

class Form1Test : public gui::MainWindowTest {
 protected:
  HWND H(const char* name) { return form->HandleOf(name); }

  // Client size of the window, so that the rectangles follow from it whatever the metrics.
  SIZE Client() {
    RECT rc;
    GetClientRect(form->Handle(), &rc);
    return SIZE{rc.right, rc.bottom};
  }

  // Every control's rectangle for a client area of w x h with a left pane `left` wide.
  void ExpectLayout(int w, int h, int left) {
    const int right = w - left - 4;
    const struct {
      const char* name;
      RECT rect;
    } cases[] = {
        {"Panel1", {0, 0, left, h}},
        {"Splitter1", {left, 0, left + 4, h}},
        {"Panel2", {left + 4, 0, w, h}},
        {"Panel3", {1, 1, left - 1, 41}},
        {"Panel4", {1, h - 42, left - 1, h - 1}},
        {"StringGrid1", {1, 41, left - 1, h - 42}},
        {"Button1", {0, 0, 31, 41}},
        {"Edit1", {30, 0, 431, 41}},
        {"Panel5", {1, 1, right - 1, 41}},
        {"Button2", {0, 0, 31, 41}},
        {"Edit2", {30, 0, 431, 41}},
        {"Panel6", {1, h - 42, right - 1, h - 1}},
        {"StringGrid2", {1, 41, right - 1, h - 42}},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      EXPECT_EQ(RectText(InParent(H(c.name))), RectText(c.rect));
    }
  }

  // Drags the splitter, whose left edge is at `left`, so that the edge would go to proposedLeft,
  // and checks the drag's course; returns where the bar showed the edge.
  int DragSplitter(int left, int proposedLeft) {
    HWND splitter = H("Splitter1");
    auto& bar = form->Get<ui::Splitter>("Splitter1");
    // Grabbed 2 pixels inside; the mouse goes where the grabbed point would be.
    const int toX = proposedLeft + 2 - left;
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 100));
    EXPECT_TRUE(bar.Dragging());
    EXPECT_EQ(GetCapture(), splitter);
    SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, At(toX, 100));
    // While dragging the bar shows the new place; the panes have not moved yet.
    const int shown = bar.BarLeft();
    EXPECT_EQ(InParent(H("Panel1")).right, left);
    SendMessageA(splitter, WM_LBUTTONUP, 0, At(toX, 100));
    EXPECT_FALSE(bar.Dragging());
    EXPECT_NE(GetCapture(), splitter);
    return shown;
  }

  struct Drag {
    int proposedLeft;  // where the drag takes the splitter's left edge
    int left;          // the left pane's width that follows
  };
  // Runs the drags one after another from the designed left pane; returns its final width.
  int DragInTurn(const std::vector<Drag>& drags) {
    const SIZE client = Client();
    int left = 345;
    for (const Drag& d : drags) {
      SCOPED_TRACE(d.proposedLeft);
      EXPECT_EQ(DragSplitter(left, d.proposedLeft), d.left);
      left = d.left;
      ExpectLayout(client.cx, client.cy, left);
    }
    return left;
  }
};

TEST_F(Form1Test, WindowAtItsPlaceWithItsCaptionAndMenu) {
  RECT rc;
  GetWindowRect(form->Handle(), &rc);
  EXPECT_EQ(rc.left, 196);
  EXPECT_EQ(rc.top, 116);
  EXPECT_EQ(rc.right - rc.left, 701);
  EXPECT_EQ(rc.bottom - rc.top, 480);
  wchar_t caption[32] = L"";
  GetWindowTextW(form->Handle(), caption, 32);
  EXPECT_STREQ(caption, L"ZOLT");
  const LONG_PTR style = GetWindowLongPtrA(form->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_BIG, 0)),
            gui::App().Icon());
  EXPECT_NE(gui::App().Icon(), nullptr);

  HMENU menu = GetMenu(form->Handle());
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  const wchar_t* const texts[] = {L"Exit(&X)", L"Compare(&C)"};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    wchar_t text[32] = L"";
    GetMenuStringW(menu, static_cast<UINT>(i), text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, texts[i]);
    EXPECT_EQ(GetSubMenu(menu, i), nullptr);
  }
}

// The controls at their design rectangles show in the main window's reference images.
TEST_F(Form1Test, StartStateIsBlank) {
  for (const char* name : {"Edit1", "Edit2", "Panel4", "Panel6"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(TextOf(H(name)), "");
  }
  for (const char* name : {"StringGrid1", "StringGrid2"}) {
    SCOPED_TRACE(name);
    const ui::StringGrid& grid = form->Get<ui::StringGrid>(name);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.ColCount(), 3);
    EXPECT_EQ(grid.TitleRows(), 1);
    EXPECT_EQ(grid.DefaultRowHeight(), 24);
    EXPECT_EQ(grid.ColWidth(0), 106);
    EXPECT_EQ(grid.Cell(0, 0), "FileName");
    EXPECT_EQ(grid.Cell(1, 0), "Size");
    EXPECT_EQ(grid.Cell(2, 0), "DateTime");
    for (int col = 0; col < 3; ++col) EXPECT_EQ(grid.Cell(col, 1), "");
    EXPECT_EQ(grid.Options(), unsigned{ui::kGridTitleVertLine | ui::kGridTitleHorzLine |
                                       ui::kGridVertLine | ui::kGridHorzLine | ui::kGridColSizing});
  }
  EXPECT_TRUE(form->Marks1.Empty());
  EXPECT_TRUE(form->Marks2.Empty());
  EXPECT_EQ(form->FileCount1, 0);
  EXPECT_EQ(form->FileCount2, 0);
  // The path boxes are read-only.
  EXPECT_TRUE(GetWindowLongPtrA(H("Edit1"), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongPtrA(H("Edit2"), GWL_STYLE) & ES_READONLY);
}

TEST_F(Form1Test, ShowingAgainEmptiesThePanes) {
  SetWindowTextA(H("Edit1"), "C:\\DATA\\");
  SetWindowTextA(H("Panel6"), " 3 Files");
  form->Marks1.Reset(3);
  form->FileCount2 = 3;
  // Shown again along with a restored owner: no showing of its own.
  SendMessageA(form->Handle(), WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
  EXPECT_EQ(TextOf(H("Edit1")), "C:\\DATA\\");
  ShowWindow(form->Handle(), SW_HIDE);
  form->Show();
  EXPECT_EQ(TextOf(H("Edit1")), "");
  EXPECT_EQ(TextOf(H("Panel6")), "");
  EXPECT_TRUE(form->Marks1.Empty());
  EXPECT_EQ(form->FileCount2, 0);
}

TEST_F(Form1Test, ResizingKeepsTheLeftPaneAndGivesTheRestToTheRight) {
  const struct { int width, height; } sizes[] = {{901, 680}, {500, 300}, {701, 480}, {1100, 900}};
  for (const auto& s : sizes) {
    SCOPED_TRACE(s.width);
    SetWindowPos(form->Handle(), nullptr, 0, 0, s.width, s.height, SWP_NOMOVE | SWP_NOZORDER);
    const SIZE client = Client();
    EXPECT_EQ(client.cx, s.width - 8);
    ExpectLayout(client.cx, client.cy, 345);
  }
}

TEST_F(Form1Test, DraggingTheSplitterMovesWidthBetweenThePanes) {
  const int maxLeft = Client().cx - 4 - 30;  // the right pane keeps 30 pixels
  const std::vector<Drag> drags = {{247, 247},      {447, 447},         {-1000, 30},
                                   {29, 30},        {30, 30},           {31, 31},
                                   {2000, maxLeft}, {maxLeft, maxLeft}, {maxLeft + 1, maxLeft},
                                   {345, 345}};
  const int left = DragInTurn(drags);
  // The new width survives a resize.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
  ExpectLayout(Client().cx, Client().cy, left);
}

TEST_F(Form1Test, InANarrowWindowTheSplitterLeavesTheRightPaneThirtyPixels) {
  // The window is narrower than the left pane it keeps: the right pane has no width yet.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 250, 480, SWP_NOMOVE | SWP_NOZORDER);
  const int maxLeft = Client().cx - 4 - 30;
  DragInTurn({{300, maxLeft}, {100, 100}, {maxLeft + 1, maxLeft}, {29, 30}, {maxLeft, maxLeft}});
}

// The hatched bar of a drag shows in the main window's reference images, and the repaint check
// after seeded input sees one left behind when the capture is taken away.
TEST_F(Form1Test, SplitterDragEndsWhenItsCaptureIsTakenAway) {
  HWND splitter = H("Splitter1");
  EXPECT_EQ(GetClassLongPtrA(splitter, GCLP_HCURSOR),
            reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_SIZEWE)));
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, At(0, 100));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, At(-145, 100));
  // The capture taken away mid-drag (another window popping up): the button's release then
  // moves nothing.
  SetCapture(form->Handle());
  EXPECT_FALSE(form->Get<ui::Splitter>("Splitter1").Dragging());
  ReleaseCapture();
  SendMessageA(splitter, WM_LBUTTONUP, 0, At(-145, 100));
  EXPECT_EQ(InParent(H("Panel1")).right, 345);
}

TEST_F(Form1Test, TabOrderRunsThroughTheLeftPaneThenTheRight) {
  const char* const order[] = {"Button1", "Edit1", "StringGrid1",
                               "Button2", "Edit2", "StringGrid2"};
  // The first showing starts at the head of the order.
  EXPECT_EQ(GetFocus(), H("Button1"));
  for (size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(order[i]);
    EXPECT_EQ(GetNextDlgTabItem(form->Handle(), H(order[i]), FALSE), H(order[(i + 1) % 6]));
  }
}

TEST_F(Form1Test, ExitMenuCloseBoxAndAltXAllRunFormClose) {
  const struct {
    const char* how;
    void (*close)(HWND form);
  } ways[] = {
      {"Exit(&X) chosen on the bar", [](HWND f) { gui::ChooseMenuItem(f, 0); }},
      {"the close box", [](HWND f) { SendMessageA(f, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+X", [](HWND f) { SendMessageA(f, WM_SYSCOMMAND, SC_KEYMENU, 'x'); }},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.how);
    if (!form) SetUp();
    form->Marks1.Reset(4);
    form->Marks2.Reset(2);
    form->FileCount1 = 4;
    SetWindowTextA(H("Edit1"), "C:\\KEEP\\");
    const HWND hwnd = form->Handle();
    EXPECT_EQ(gui::App().MainWindow(), hwnd);
    w.close(hwnd);
    EXPECT_TRUE(QuitPosted());     // the main window is gone: the loop ends
    EXPECT_FALSE(IsWindow(hwnd));  // the main window is gone: the loop ends
    EXPECT_TRUE(form->Marks1.Empty());
    EXPECT_TRUE(form->Marks2.Empty());
    EXPECT_EQ(form->FileCount1, 4);  // the counts are left as they are
    form.reset();
  }
}

TEST_F(Form1Test, SettingsChangeRereadsTheSeparatorsAndResetsTheLocale) {
  EXPECT_EQ(form->Format().DateSeparator(), "/");
  EXPECT_EQ(form->Format().TimeSeparator(), ":");
  machine.AddFile("C:\\D\\a.txt", 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 7));
  const struct {
    const char* date;
    const char* time;
    const char* text;  // what a pane loaded afterwards shows
  } cases[] = {{"-", ".", "2004-03-15 09.05.06"},
               {"", "", "2004/03/15 09:05:06"},
               {".", "", "2004.03.15 09:05:06"}};
  int resets = machine.localeResets;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    machine.SetSeparators(c.date, c.time);
    form->LoadLeftPane("C:\\D\\");
    // Read at start-up and on a settings change only: the left pane keeps the old separators.
    const std::string before(form->Get<ui::StringGrid>("StringGrid1").Cell(2, 1));
    EXPECT_NE(before, c.text);
    SendMessageA(form->Handle(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(machine.localeResets, ++resets);
    form->LoadRightPane("C:\\D\\");
    EXPECT_EQ(form->Get<ui::StringGrid>("StringGrid2").Cell(2, 1), c.text);
    EXPECT_EQ(form->Get<ui::StringGrid>("StringGrid1").Cell(2, 1), before);
  }
}

TEST_F(Form1Test, LoadingAPaneListsItsFilesAndCountsThem) {
  machine.AddFolder("C:\\EMPTY\\SUB");
  machine.AddFile("C:\\ONE\\only.txt", 42, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
  machine.AddFile("C:\\MANY\\b.dat", 7, fake::MakeFileTime(1999, 12, 31, 23, 59, 59));
  machine.AddFile("C:\\MANY\\hidden.sys", 1, fake::MakeFileTime(2000, 1, 1, 0, 0, 0),
                  os::kAttrHidden);
  machine.AddFile("C:\\MANY\\a.txt", 1234567, fake::MakeFileTime(2010, 6, 1, 12, 0, 1),
                  os::kAttrReadOnly);
  machine.AddFile("C:\\MANY\\c", 0, fake::MakeFileTime(2020, 2, 29, 0, 0, 0));
  machine.AddFile("C:\\TWO\\x", 5, fake::MakeFileTime(2001, 1, 1, 1, 1, 1));
  machine.AddFile("C:\\TWO\\y", 6, fake::MakeFileTime(2001, 1, 1, 1, 1, 2));
  const Rows manyRows = {{"b.dat", "7", "1999/12/31 23:59:58"},
                         {"a.txt", "1234567", "2010/06/01 12:00:00"},
                         {"c", "0", "2020/02/29 00:00:00"}};
  const PaneState many{"C:\\MANY\\", " 3 Files", Titled(manyRows), 3, {0, 0, 0}};
  const Rows twoRows = {{"x", "5", "2001/01/01 01:01:00"}, {"y", "6", "2001/01/01 01:01:02"}};
  const struct {
    const char* path;
    bool left;
    PaneState expected;
  } loads[] = {
      {"C:\\EMPTY\\", true, {"C:\\EMPTY\\", " No File", Titled({{"", "", ""}}), 0, {}}},
      {"C:\\ONE\\",
       true,
       {"C:\\ONE\\", " 1 Files", Titled({{"only.txt", "42", "2004/03/15 09:05:06"}}), 1, {0}}},
      {"C:\\MANY\\", true, many},
      // Fewer than before: only the new rows.
      {"C:\\TWO\\", true, {"C:\\TWO\\", " 2 Files", Titled(twoRows), 2, {0, 0}}},
      {"C:\\EMPTY\\", true, {"C:\\EMPTY\\", " No File", Titled({{"", "", ""}}), 0, {}}},
      {"C:\\NOWHERE\\", false, {"C:\\NOWHERE\\", " No File", Titled({{"", "", ""}}), 0, {}}},
      {"C:\\MANY\\", false, many},
  };
  PaneState other = ReadPane(*form, false);
  for (const auto& l : loads) {
    SCOPED_TRACE(l.path);
    if (l.left) form->Marks1.Reset(7);  // stale marks never survive a load
    TForm1::Pane& pane = l.left ? form->LeftPane() : form->RightPane();
    pane.grid.SetRow(pane.grid.RowCount() - 1);
    const int current = pane.grid.Row();
    gui::ExpectShownAfter({pane.grid.Handle(), pane.statusBar},
                          [&] { form->LoadPane(pane, l.path); });
    // The current row stays where it was, as far as the new listing reaches.
    EXPECT_EQ(pane.grid.Row(), std::min(current, pane.grid.RowCount() - 1));
    const PaneState got = ReadPane(*form, l.left);
    EXPECT_EQ(got.path, l.expected.path);
    EXPECT_EQ(got.status, l.expected.status);
    EXPECT_EQ(got.rows, l.expected.rows);
    EXPECT_EQ(got.fileCount, l.expected.fileCount);
    EXPECT_EQ(got.marks, l.expected.marks);
    // Loading one pane never touches the other.
    const PaneState untouched = ReadPane(*form, !l.left);
    if (l.left) {
      EXPECT_EQ(untouched.rows, other.rows);
      EXPECT_EQ(untouched.status, other.status);
      EXPECT_EQ(untouched.fileCount, other.fileCount);
    }
  }
  // The titles stay.
  EXPECT_EQ(form->Get<ui::StringGrid>("StringGrid1").Cell(0, 0), "FileName");
}

TEST_F(Form1Test, FailingLoadShowsTheErrorBoxAndKeepsTheOldState) {
  machine.AddFile("C:\\OLD\\o1", 1, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  machine.AddFile("C:\\OLD\\o2", 2, fake::MakeFileTime(2001, 1, 1, 0, 0, 2));
  for (const char* name : {"n1", "n2", "n3", "n4"}) {
    machine.AddFile(std::string("C:\\NEW\\") + name, 9, fake::MakeFileTime(2002, 2, 2, 2, 2, 2));
  }
  form->LoadLeftPane("C:\\OLD\\");
  const PaneState before = ReadPane(*form, true);
  // The third file's time cannot be brought to local time.
  machine.Fail(fake::Service::kFileTimeToLocal, 0, -1, 2);
  gui::ErrorBoxes seen;
  // As the window procedure does with a handler's exception: the error box, then on.
  ui::Guarded([&] { form->LoadLeftPane("C:\\NEW\\"); });
  ASSERT_EQ(seen.boxes.size(), 1u);
  EXPECT_EQ(seen.boxes[0].text, "日付に変換できない値が渡されました.");
  const PaneState after = ReadPane(*form, true);
  EXPECT_EQ(after.path, "C:\\NEW\\");  // the path box shows the new folder
  // The old row count over the rows written.
  EXPECT_EQ(after.rows,
            Titled({{"n1", "9", "2002/02/02 02:02:02"}, {"n2", "9", "2002/02/02 02:02:02"}}));
  EXPECT_EQ(after.status, before.status);
  EXPECT_EQ(after.fileCount, before.fileCount);
  EXPECT_EQ(after.marks, before.marks);
  // The program goes on: the next load works.
  machine.Heal();
  form->LoadLeftPane("C:\\NEW\\");
  EXPECT_EQ(ReadPane(*form, true).status, " 4 Files");
  EXPECT_EQ(ReadPane(*form, true).rows.size(), 5u);
}

TEST_F(Form1Test, RealSearchThatFailsShowsTheErrorBoxAndKeepsThePane) {
  form = std::make_unique<TForm1>(gui::App(), os::RealOs());
  form->Create();
  form->Show();
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string plain =
      std::string(temp) + "zolt_plain_" + std::to_string(GetCurrentProcessId());
  CloseHandle(CreateFileA(plain.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  form->LoadLeftPane(temp);  // the plain file among others
  const PaneState before = ReadPane(*form, true);
  gui::ErrorBoxes seen;
  // A plain file where the folder should be: Wine answers code 123 (an invalid name) whoever
  // the user is, root included.
  const std::string path = plain + "\\";
  ui::Guarded([&] { form->LoadLeftPane(path); });
  DeleteFileA(plain.c_str());
  ASSERT_EQ(seen.boxes.size(), 1u);
  EXPECT_EQ(seen.boxes[0].text, "I/O エラー (123)");
  const PaneState after = ReadPane(*form, true);
  EXPECT_EQ(std::tie(after.path, after.status, after.fileCount, after.marks, after.rows),
            std::tie(path, before.status, before.fileCount, before.marks, before.rows));
}

TEST_F(Form1Test, CompareByMenuAndAltCMarksTheDifferences) {
  machine.AddFile("C:\\L\\same", 1, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  machine.AddFile("C:\\L\\size", 1, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  machine.AddFile("C:\\L\\onlyleft", 1, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  machine.AddFile("C:\\R\\size", 2, fake::MakeFileTime(2001, 1, 1, 0, 0, 4));
  machine.AddFile("C:\\R\\same", 1, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  const struct {
    const char* how;
    void (*compare)(HWND form);
  } ways[] = {
      {"Compare(&C) chosen on the bar", [](HWND f) { gui::ChooseMenuItem(f, 1); }},
      {"Alt+C", [](HWND f) { SendMessageA(f, WM_SYSCOMMAND, SC_KEYMENU, 'c'); }},
  };
  for (const auto& w : ways) {
    SCOPED_TRACE(w.how);
    form->LoadLeftPane("C:\\L\\");
    form->LoadRightPane("C:\\R\\");
    w.compare(form->Handle());
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(form->Marks1.Bytes(),
              (std::vector<uint8_t>{0, zolt::MarkSize | zolt::MarkDate, zolt::MarkMissing}));
    EXPECT_EQ(form->Marks2.Bytes(), (std::vector<uint8_t>{zolt::MarkSize | zolt::MarkDate, 0}));
  }
}

TEST_F(Form1Test, FontIsTheJapaneseGothicAtFifteenPixels) {
  LOGFONTW lf{};
  ASSERT_TRUE(GetObjectW(form->FontHandle(), sizeof lf, &lf));
  EXPECT_EQ(lf.lfHeight, -15);
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(std::wstring(lf.lfFaceName),
            ui::InstalledFace(L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF", SHIFTJIS_CHARSET));
  // Every control shows the form's font.
  for (const char* name : {"Button1", "Edit1", "Panel4", "Edit2", "Panel6"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(H(name), WM_GETFONT, 0, 0)), form->FontHandle());
  }
  // Text height 15: the character height without internal leading.
  ui::ScopedWindowDc dc(form->Handle());
  ui::ScopedSelect font(dc.Get(), form->FontHandle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.Get(), &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 15);
}

}  // namespace
