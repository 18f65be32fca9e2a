// The string grid under a real parent window, driven by the messages a user's input causes and
// checked by reading its state back and by rendering it into a memory bitmap.
#include "win32/ui/string_grid.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "gui/main_window_fixture.h"

namespace {

// The form's settings for both pane grids.
const unsigned kFormOptions = ui::kGridTitleVertLine | ui::kGridTitleHorzLine | ui::kGridVertLine |
                              ui::kGridHorzLine | ui::kGridColSizing;

void ApplyFormSettings(ui::StringGrid& grid, int rowCount) {
  grid.SetColCount(3);
  grid.SetDefaultColWidth(106);
  grid.SetDefaultRowHeight(24);
  grid.SetTitleRows(1);
  grid.SetRowCount(rowCount);
  grid.SetOptions(kFormOptions);
}

using gui::At;
using gui::Pixels;
using gui::ReadScrollBar;
using gui::RectText;

class StringGridTest : public ::testing::Test {
 protected:
  // One shown parent for the suite: showing and destroying a top-level window costs Wine a
  // round trip to the X server each time.
  static void SetUpTestSuite() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "GridTestParent";
    RegisterClassA(&wc);
    parent_ =
        CreateWindowExA(0, "GridTestParent", "grid test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                        0, 800, 700, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
  }
  static void TearDownTestSuite() { DestroyWindow(parent_); }
  void SetUp() override { ASSERT_TRUE(parent_); }
  void TearDown() override { grids_.clear(); }

  ui::StringGrid& NewGrid() {
    grids_.push_back(std::make_unique<ui::StringGrid>());
    return *grids_.back();
  }
  // A grid with the form's settings, placed where the form places it; row made current if given.
  ui::StringGrid& FormGrid(int rowCount, int row = 0) {
    ui::StringGrid& grid = NewGrid();
    ApplyFormSettings(grid, rowCount);
    grid.CreateIn(parent_, 1, 1, 41, 343, 351);
    if (row) grid.SetRow(row);
    return grid;
  }
  // A form grid resized so that its client area is exactly clientHeight pixels high.
  ui::StringGrid& GridWithClientHeight(int rowCount, int clientHeight) {
    ui::StringGrid& grid = FormGrid(rowCount);
    RECT window, client;
    GetWindowRect(grid.Handle(), &window);
    GetClientRect(grid.Handle(), &client);
    const int frame = (window.bottom - window.top) - client.bottom;
    SetWindowPos(grid.Handle(), nullptr, 0, 0, 400, clientHeight + frame,
                 SWP_NOMOVE | SWP_NOZORDER);
    return grid;
  }

  static void Click(HWND hwnd, int x, int y) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, At(x, y));
  }

  static inline HWND parent_ = nullptr;
  std::vector<std::unique_ptr<ui::StringGrid>> grids_;
};

TEST_F(StringGridTest, UnsetGridHasDefaultGeometry) {
  ui::StringGrid& grid = NewGrid();
  grid.CreateIn(parent_, 1, 0, 0, 400, 300);
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.TitleRows(), 1);
  EXPECT_EQ(grid.DefaultRowHeight(), 24);
  const struct {
    int col, row;
    RECT rect;
  } cases[] = {
      {0, 0, {0, 0, 64, 24}},
      {1, 1, {65, 25, 129, 49}},
      {4, 4, {260, 100, 324, 124}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << c.col << "," << c.row);
    EXPECT_EQ(grid.ColWidth(c.col), 64);
    EXPECT_EQ(RectText(grid.CellRect(c.col, c.row)), RectText(c.rect));
  }
}

TEST_F(StringGridTest, FormGridCellsAre106By24WithOnePixelLines) {
  ui::StringGrid& grid = FormGrid(5);
  const struct {
    int col, row;
    RECT rect;
  } cases[] = {
      {0, 0, {0, 0, 106, 24}},  {1, 0, {107, 0, 213, 24}},    {2, 0, {214, 0, 320, 24}},
      {0, 1, {0, 25, 106, 49}}, {2, 4, {214, 100, 320, 124}}, {3, 1, {0, 0, 0, 0}},
      {0, 5, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "cell " << c.col << "," << c.row);
    const RECT r = grid.CellRect(c.col, c.row);
    EXPECT_EQ(RectText(r), RectText(c.rect));
    if (IsRectEmpty(&c.rect)) continue;
    // Every pixel of the cell and of its right and bottom line maps back to it.
    const POINT probes[] = {
        {r.left, r.top}, {r.right - 1, r.bottom - 1}, {r.right, r.top}, {r.left, r.bottom}};
    for (const POINT& p : probes) {
      int col = -1, row = -1;
      EXPECT_TRUE(grid.CellAt(p.x, p.y, col, row)) << p.x << "," << p.y;
      EXPECT_EQ(col, c.col) << p.x << "," << p.y;
      EXPECT_EQ(row, c.row) << p.x << "," << p.y;
    }
  }
  int col = 0, row = 0;
  EXPECT_FALSE(grid.CellAt(321, 30, col, row));  // right of the last column
  EXPECT_FALSE(grid.CellAt(30, 125, col, row));  // below the last row
}

TEST_F(StringGridTest, SettingsWorkTheSameBeforeAndAfterCreation) {
  ui::StringGrid& before = FormGrid(40);
  ui::StringGrid& after = NewGrid();
  after.CreateIn(parent_, 2, 1, 41, 343, 351);
  ApplyFormSettings(after, 40);
  for (ui::StringGrid* g : {&before, &after}) {
    g->SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    g->EditCells([](zolt::CellTable& cells) {
      cells.SetCell(0, 0, "FileName");
      cells.SetCell(1, 2, "1,024");
    });
    g->SetRow(3);
  }
  EXPECT_EQ(before.VisibleRowCount(), after.VisibleRowCount());
  for (int row : {0, 1, 13, 14}) {
    for (int col = 0; col < 3; ++col) {
      EXPECT_EQ(RectText(before.CellRect(col, row)), RectText(after.CellRect(col, row)))
          << col << "," << row;
    }
  }
  const SCROLLINFO a = ReadScrollBar(before.Handle(), SB_VERT),
                   b = ReadScrollBar(after.Handle(), SB_VERT);
  EXPECT_EQ(a.nMax, b.nMax);
  EXPECT_EQ(a.nPage, b.nPage);
  EXPECT_TRUE(Pixels(before.Handle()) == Pixels(after.Handle()));
}

TEST_F(StringGridTest, ScrollBarsShowOnlyWhenNeeded) {
  const struct {
    int rows, colWidth;
    bool vert, horz;
  } cases[] = {
      {2, 106, false, false},
      {100, 106, true, false},
      {2, 200, false, true},
      {100, 200, true, true},
      {13, 106, false, false},  // 12 data rows fit in the 347-pixel client
                                // area
      {14, 106, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " rows, columns " << c.colWidth);
    ui::StringGrid& grid = FormGrid(c.rows);
    grid.SetDefaultColWidth(c.colWidth);
    const LONG_PTR style = GetWindowLongPtrA(grid.Handle(), GWL_STYLE);
    EXPECT_EQ((style & WS_VSCROLL) != 0, c.vert);
    EXPECT_EQ((style & WS_HSCROLL) != 0, c.horz);
    if (c.vert) {
      const SCROLLINFO si = ReadScrollBar(grid.Handle(), SB_VERT);
      EXPECT_EQ(si.nMax, c.rows - 1);
      EXPECT_EQ(static_cast<int>(si.nPage), grid.VisibleRowCount());
    }
  }
}

TEST_F(StringGridTest, ClickSelectsTheRowUnderThePointer) {
  const struct {
    const char* where;
    int x, y, row;
  } cases[] = {
      {"first data row", 10, 30, 1},
      {"third column, row 3", 250, 80, 3},
      {"a line", 106, 49, 1},
      {"title row", 50, 10, 2},
      {"below the last row", 50, 200, 2},
      {"right of the last column", 330, 30, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    ui::StringGrid& grid = FormGrid(5, 2);
    SetFocus(parent_);
    Click(grid.Handle(), c.x, c.y);
    EXPECT_EQ(grid.Row(), c.row);
    EXPECT_EQ(GetFocus(), grid.Handle());
  }
}

TEST_F(StringGridTest, KeysMoveTheCurrentRowAndScroll) {
  // 100 data rows, 10 of them shown: the last top row is 91.
  const struct {
    const char* name;
    int col, row, top;
    WPARAM key;
    int wantCol, wantRow, wantTop;
  } cases[] = {
      {"down", 0, 1, 1, VK_DOWN, 0, 2, 1},
      {"down past the bottom edge", 0, 10, 1, VK_DOWN, 0, 11, 2},
      {"down at the last row", 0, 100, 91, VK_DOWN, 0, 100, 91},
      {"up at the first row", 0, 1, 1, VK_UP, 0, 1, 1},
      {"up past the top edge", 0, 5, 5, VK_UP, 0, 4, 4},
      {"page down", 0, 1, 1, VK_NEXT, 0, 11, 11},
      {"page down near the end", 0, 95, 91, VK_NEXT, 0, 100, 91},
      {"page up", 0, 50, 45, VK_PRIOR, 0, 40, 35},
      {"page up near the start", 0, 5, 1, VK_PRIOR, 0, 1, 1},
      {"home", 1, 50, 45, VK_HOME, 1, 1, 1},
      {"end", 1, 50, 45, VK_END, 1, 100, 91},
      {"right", 0, 50, 45, VK_RIGHT, 1, 50, 45},
      {"left at the first column", 0, 50, 45, VK_LEFT, 0, 50, 45},
  };
  ui::StringGrid& grid = GridWithClientHeight(101, 11 * 25);
  ASSERT_EQ(grid.VisibleRowCount(), 10);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // Reach the starting column with keys.
    for (int i = 0; i < 3; ++i) SendMessageA(grid.Handle(), WM_KEYDOWN, VK_LEFT, 0);
    for (int i = 0; i < c.col; ++i) SendMessageA(grid.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    grid.SetTopRow(c.top);
    grid.SetRow(c.row);
    ASSERT_EQ(grid.Col(), c.col);
    ASSERT_EQ(grid.TopRow(), c.top);
    SendMessageA(grid.Handle(), WM_KEYDOWN, c.key, 0);
    EXPECT_EQ(grid.Col(), c.wantCol);
    EXPECT_EQ(grid.Row(), c.wantRow);
    EXPECT_EQ(grid.TopRow(), c.wantTop);
    EXPECT_EQ(ReadScrollBar(grid.Handle(), SB_VERT).nPos, c.wantTop);
  }
  EXPECT_TRUE(SendMessageA(grid.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
}

TEST_F(StringGridTest, WheelScrollsBySystemLinesWithoutMovingTheSelection) {
  UINT saved = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
  const struct {
    const char* name;
    UINT lines;
    int top;
    std::vector<int> deltas;
    int wantTop;
  } cases[] = {
      {"one notch down", 3, 1, {-120}, 4},
      {"one notch up", 3, 20, {120}, 17},
      {"two notches down", 3, 1, {-240}, 7},
      {"half notches add up", 3, 1, {-60, -60}, 4},
      {"a quarter notch is not a row", 3, 1, {-30}, 1},
      {"quarter notches add up", 3, 1, {-30, -30, -30, -30}, 4},
      {"up at the top", 3, 1, {120}, 1},
      {"down at the bottom", 3, 90, {-120}, 91},
      {"five lines a notch", 5, 1, {-120}, 6},
      {"a page a notch", WHEEL_PAGESCROLL, 1, {-120}, 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, c.lines, nullptr, 0);
    // A new grid for each case: no wheel travel left over from the one before.
    ui::StringGrid& grid = GridWithClientHeight(101, 11 * 25);
    grid.SetTopRow(c.top);
    grid.SetRow(c.top + 1);
    for (int delta : c.deltas) {
      SendMessageA(grid.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), At(100, 100));
    }
    EXPECT_EQ(grid.TopRow(), c.wantTop);
    EXPECT_EQ(grid.Row(), c.top + 1);
  }
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
}

TEST_F(StringGridTest, ScrollBarReachesEveryRowOfAMillion) {
  ui::StringGrid& grid = GridWithClientHeight(1000000, 11 * 25);
  const struct {
    const char* name;
    int code, trackPos, wantTop;
  } cases[] = {
      {"thumb dragged to 900,000", SB_THUMBTRACK, 900000, 900000},
      {"thumb let go at 123,456", SB_THUMBPOSITION, 123456, 123456},
      {"thumb just past 65,535", SB_THUMBTRACK, 65536, 65536},
      {"line down", SB_LINEDOWN, -1, 65537},
      {"page down", SB_PAGEDOWN, -1, 65547},
      {"bottom", SB_BOTTOM, -1, 999990},
      {"line down at the bottom", SB_LINEDOWN, -1, 999990},
      {"top", SB_TOP, -1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    gui::VScroll(grid.Handle(), c.code, c.trackPos);
    EXPECT_EQ(grid.TopRow(), c.wantTop);
    const SCROLLINFO si = ReadScrollBar(grid.Handle(), SB_VERT);
    EXPECT_EQ(si.nPos, c.wantTop);
    EXPECT_EQ(si.nMax, 999999);
    EXPECT_EQ(grid.CellRect(0, c.wantTop).top, 25);
  }
  // The dragged-to row is really the one drawn below the title row.
  SendMessageA(grid.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
  gui::VScroll(grid.Handle(), SB_THUMBTRACK, 900000);
  std::set<int> drawnRows;
  grid.OnDrawCell = [&](HDC, int, int row, const RECT&, unsigned) { drawnRows.insert(row); };
  Pixels(grid.Handle());
  EXPECT_EQ(drawnRows.count(900000), 1u);
  EXPECT_EQ(drawnRows.count(900000 & 0xFFFF), 0u);
}

TEST_F(StringGridTest, SetRowScrollsTheRowIntoView) {
  const struct {
    int top, row, wantTop;
  } cases[] = {
      {1, 900000, 899991},  // to the bottom edge
      {899991, 5, 5},       // to the top edge
      {5, 9, 5},            // already shown
      {5, 14, 5},          {5, 15, 6},
  };
  ui::StringGrid& grid = GridWithClientHeight(1000000, 11 * 25);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " from top " << c.top);
    grid.SetTopRow(c.top);
    grid.SetRow(c.row);
    EXPECT_EQ(grid.Row(), c.row);
    EXPECT_EQ(grid.TopRow(), c.wantTop);
  }
  EXPECT_THROW(grid.SetRow(0), zolt::RangeError);
  EXPECT_THROW(grid.SetRow(1000000), zolt::RangeError);
}

TEST_F(StringGridTest, RowMovesKeepTheHorizontalScroll) {
  // Column 0 widened to 400 and the grid scrolled 192 pixels right: column 0 is cut at the left
  // edge, column 1 is wholly in view.
  const struct {
    const char* name;
    int col;
    bool click;  // a click on row 3 rather than SetRow
    int row;
  } cases[] = {
      {"a row in view", 0, false, 3},
      {"a row scrolled into view", 0, false, 25},
      {"a click on a row", 0, true, 3},
      {"a row in view, the current column in view", 1, false, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::StringGrid& grid = FormGrid(30);
    grid.SetColWidth(0, 400);
    for (int i = 0; i < c.col; ++i) SendMessageA(grid.Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(grid.Handle(), WM_HSCROLL, SB_TOP, 0);
    for (int i = 0; i < 12; ++i) SendMessageA(grid.Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
    ASSERT_EQ(ReadScrollBar(grid.Handle(), SB_HORZ).nPos, 192);
    ASSERT_EQ(grid.Col(), c.col);
    if (c.click) {
      Click(grid.Handle(), 150, grid.CellRect(0, c.row).top + 5);
    } else {
      grid.SetRow(c.row);
    }
    EXPECT_EQ(grid.Row(), c.row);
    EXPECT_EQ(grid.Col(), c.col);
    EXPECT_EQ(ReadScrollBar(grid.Handle(), SB_HORZ).nPos, 192);
  }
}

TEST_F(StringGridTest, DraggingATitleBoundaryResizesItsColumn) {
  const struct {
    const char* name;
    bool sizing;
    int downX, downY, moveX;
    int widths[3];
    int row;                // the current row afterwards (2 before)
    int middleWidth = 106;  // the middle column's width before the drag
  } cases[] = {
      {"widen the first column", true, 106, 10, 150, {150, 106, 106}, 2},
      {"grab two pixels off the line", true, 104, 10, 60, {62, 106, 106}, 2},
      {"widen the last column past the edge", true, 320, 5, 400, {106, 106, 186}, 2},
      {"narrow below nothing", true, 213, 20, 50, {106, 0, 106}, 2},
      {"sizing switched off", false, 106, 10, 150, {106, 106, 106}, 2},
      {"a boundary in a data row", true, 106, 30, 150, {106, 106, 106}, 1},
      {"a boundary on the first data row's top line", true, 106, 25, 150, {106, 106, 106}, 1},
      // Midway between two boundaries the later one is grabbed: a narrowed column widens again.
      {"widen a 1-pixel column", true, 107, 10, 150, {106, 44, 106}, 2, 1},
      {"widen a 3-pixel column", true, 108, 10, 150, {106, 45, 106}, 2, 3},
      {"widen a 5-pixel column", true, 109, 10, 150, {106, 46, 106}, 2, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ui::StringGrid& grid = FormGrid(5, 2);
    if (!c.sizing) grid.SetOptions(kFormOptions & ~ui::kGridColSizing);
    grid.SetColWidth(1, c.middleWidth);
    HWND h = grid.Handle();
    SendMessageA(h, WM_MOUSEMOVE, 0, At(c.downX, c.downY));
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(c.downX, c.downY));
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At((c.downX + c.moveX) / 2, c.downY));
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(c.moveX, c.downY));
    SendMessageA(h, WM_LBUTTONUP, 0, At(c.moveX, c.downY));
    // Moving after the release changes nothing.
    SendMessageA(h, WM_MOUSEMOVE, 0, At(c.moveX + 30, c.downY));
    EXPECT_EQ(GetCapture(), nullptr);
    int left = 0;
    for (int col = 0; col < 3; ++col) {
      EXPECT_EQ(grid.ColWidth(col), c.widths[col]) << "column " << col;
      const RECT r = grid.CellRect(col, 1);
      EXPECT_EQ(r.left, left) << "column " << col;
      EXPECT_EQ(r.right - r.left, c.widths[col]) << "column " << col;
      left += c.widths[col] + 1;
    }
    EXPECT_EQ(grid.Row(), c.row);
  }
}

TEST_F(StringGridTest, PointerShowsTheSizingCursorOnTitleBoundaries) {
  ui::StringGrid& grid = FormGrid(5);
  const HCURSOR sizeWE = LoadCursor(nullptr, IDC_SIZEWE);
  const struct {
    int x, y;
    bool sizing;
  } cases[] = {{106, 10, true}, {108, 3, true}, {60, 10, false}, {106, 40, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    POINT p{c.x, c.y};
    ClientToScreen(grid.Handle(), &p);
    ASSERT_TRUE(SetCursorPos(p.x, p.y));
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    SendMessageA(grid.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(grid.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor() == sizeWE, c.sizing);
  }
}

TEST_F(StringGridTest, OwnerDrawIsCalledForVisibleCellsOnly) {
  // 280 pixels: the title row, 10 whole data rows and part of an 11th.
  ui::StringGrid& grid = GridWithClientHeight(1000000, 280);
  grid.SetTopRow(500000);
  grid.SetRow(500003);
  SetFocus(grid.Handle());
  struct Call {
    int col, row;
    RECT rect;
    unsigned state;
  };
  std::vector<Call> calls;
  grid.OnDrawCell = [&](HDC, int col, int row, const RECT& rect, unsigned state) {
    calls.push_back({col, row, rect, state});
  };
  Pixels(grid.Handle());
  EXPECT_EQ(calls.size(), 3u * 12);
  std::set<std::pair<int, int>> seen;
  for (const Call& call : calls) {
    SCOPED_TRACE(testing::Message() << "cell " << call.col << "," << call.row);
    EXPECT_TRUE(seen.insert({call.col, call.row}).second) << "drawn twice";
    EXPECT_TRUE(call.row == 0 || (call.row >= 500000 && call.row <= 500010));
    EXPECT_EQ(RectText(call.rect), RectText(grid.CellRect(call.col, call.row)));
    unsigned want = 0;
    if (call.row == 0) want = ui::kGridTitle;
    if (call.row == grid.Row()) want = ui::kGridSelected;
    if (call.row == grid.Row() && call.col == grid.Col()) want |= ui::kGridFocused;
    EXPECT_EQ(call.state, want);
  }
  // Without the focus no cell is focused; the row stays selected.
  SetFocus(parent_);
  calls.clear();
  Pixels(grid.Handle());
  for (const Call& call : calls) {
    EXPECT_EQ(call.state & ui::kGridFocused, 0u);
    EXPECT_EQ((call.state & ui::kGridSelected) != 0, call.row == grid.Row());
  }

  // A dirty strip one pixel high repaints the one row it crosses.
  calls.clear();
  ui::MemoryCanvas canvas(400, 300);
  grid.Paint(canvas.Dc(), RECT{0, 100, 339, 101});
  ASSERT_EQ(calls.size(), 3u);
  for (const Call& call : calls) EXPECT_EQ(call.row, 500003);
}

TEST_F(StringGridTest, AFailingOwnerDrawEndsThePaintAndShowsOneErrorBox) {
  ui::StringGrid& grid = FormGrid(5);
  grid.OnDrawCell = [](HDC, int col, int row, const RECT&, unsigned) {
    if (col == 1 && row == 2) throw zolt::RangeError();
  };
  gui::ErrorBoxes boxes;
  ui::ScopedWindowDc dc(grid.Handle());
  const RECT all{0, 0, 400, 400};
  for (int paint = 0; paint < 3; ++paint) {
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // Drawn as far as it got: the first column, before the failing cell.
    EXPECT_EQ(GetPixel(dc.Get(), 50, 80), GetSysColor(COLOR_WINDOW)) << paint;
  }
  EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(StringGridTest, DoubleClickFiresAnywhereInTheGrid) {
  const struct {
    const char* where;
    int x, y, rowAtEvent;
  } cases[] = {
      {"a data row", 50, 80, 3},
      {"the title row", 50, 10, 2},
      {"below the last row", 50, 300, 2},
      {"right of the columns", 330, 30, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    ui::StringGrid& grid = FormGrid(5, 2);
    std::vector<int> fired;
    grid.OnDblClick = [&] { fired.push_back(grid.Row()); };
    HWND h = grid.Handle();
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(c.x, c.y));
    PostMessageA(h, WM_LBUTTONUP, 0, At(c.x, c.y));
    PostMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, At(c.x, c.y));
    PostMessageA(h, WM_LBUTTONUP, 0, At(c.x, c.y));
    gui::Pump();
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0], c.rowAtEvent);
  }
}

TEST_F(StringGridTest, ARowMoveRepaintsOnlyItsRows) {
  ui::StringGrid& grid = FormGrid(1000, 1);
  ValidateRect(grid.Handle(), nullptr);
  grid.SetRow(3);
  ui::Region region(CreateRectRgn(0, 0, 0, 0));
  GetUpdateRgn(grid.Handle(), region.Get(), FALSE);
  for (const POINT& p : {POINT{50, 35}, POINT{300, 35}, POINT{50, 85}, POINT{300, 85}}) {
    EXPECT_TRUE(PtInRegion(region.Get(), p.x, p.y)) << p.x << "," << p.y;
  }
  for (const POINT& p : {POINT{50, 60}, POINT{50, 110}, POINT{50, 10}}) {
    EXPECT_FALSE(PtInRegion(region.Get(), p.x, p.y)) << p.x << "," << p.y;
  }
}

}  // namespace
