// The string grid under a real parent window, where the platform takes part: its scroll styles,
// a key through WM_KEYDOWN, the wheel setting, the 32-bit thumb, the capture, the cursor and a
// real paint. The geometry's arithmetic is checked natively.
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
  EXPECT_EQ(grid.ColWidth(4), 64);
  EXPECT_EQ(RectText(grid.CellRect(4, 4)), RectText(RECT{260, 100, 324, 124}));
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
  const SCROLLINFO a = ReadScrollBar(before.Handle(), SB_VERT),
                   b = ReadScrollBar(after.Handle(), SB_VERT);
  EXPECT_EQ(a.nMax, b.nMax);
  EXPECT_EQ(a.nPage, b.nPage);
  EXPECT_TRUE(Pixels(before.Handle()) == Pixels(after.Handle()));
}

TEST_F(StringGridTest, ScrollStylesFollowTheBarsTheGridNeeds) {
  const struct {
    int rows, colWidth;
    bool bars;
  } cases[] = {{2, 106, false}, {100, 200, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows);
    ui::StringGrid& grid = FormGrid(c.rows);
    grid.SetDefaultColWidth(c.colWidth);
    const LONG_PTR style = GetWindowLongPtrA(grid.Handle(), GWL_STYLE);
    EXPECT_EQ((style & WS_VSCROLL) != 0, c.bars);
    EXPECT_EQ((style & WS_HSCROLL) != 0, c.bars);
    const SCROLLINFO si = ReadScrollBar(grid.Handle(), SB_VERT);
    EXPECT_EQ(si.nMax, c.bars ? c.rows - 1 : 0);
    EXPECT_EQ(static_cast<int>(si.nPage), c.bars ? grid.VisibleRowCount() : 1);
  }
}

TEST_F(StringGridTest, AKeyReachesTheGridThroughWmKeyDown) {
  ui::StringGrid& grid = GridWithClientHeight(101, 11 * 25);
  ASSERT_EQ(grid.VisibleRowCount(), 10);
  EXPECT_EQ(SendMessageA(grid.Handle(), WM_KEYDOWN, VK_NEXT, 0), 0);
  EXPECT_EQ(grid.Row(), 11);
  EXPECT_EQ(grid.TopRow(), 11);
  EXPECT_EQ(ReadScrollBar(grid.Handle(), SB_VERT).nPos, 11);
  EXPECT_TRUE(SendMessageA(grid.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
}

TEST_F(StringGridTest, WheelScrollsByTheSystemSetting) {
  UINT saved = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
  const struct {
    UINT lines;
    int wantTop;
  } cases[] = {{5, 6}, {WHEEL_PAGESCROLL, 11}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, c.lines, nullptr, 0);
    ui::StringGrid& grid = GridWithClientHeight(101, 11 * 25);
    SendMessageA(grid.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), At(100, 100));
    EXPECT_EQ(grid.TopRow(), c.wantTop);
  }
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
}

TEST_F(StringGridTest, TheThumbTakesAllThirtyTwoBitsOfItsPosition) {
  ui::StringGrid& grid = GridWithClientHeight(1000000, 11 * 25);
  gui::VScroll(grid.Handle(), SB_THUMBTRACK, 900000);
  EXPECT_EQ(grid.TopRow(), 900000);
  EXPECT_EQ(ReadScrollBar(grid.Handle(), SB_VERT).nPos, 900000);
  // The dragged-to row is really the one drawn below the title row.
  std::set<int> drawnRows;
  grid.OnDrawCell = [&](HDC, int, int row, const RECT&, unsigned) { drawnRows.insert(row); };
  Pixels(grid.Handle());
  EXPECT_EQ(drawnRows.count(900000), 1u);
  EXPECT_EQ(drawnRows.count(900000 & 0xFFFF), 0u);
}

TEST_F(StringGridTest, ClickTakesTheFocusAndDoubleClickFiresAnywhere) {
  const struct {
    const char* where;
    int x, y, rowAtEvent;
  } cases[] = {
      {"a data row", 50, 80, 3},
      {"below the last row", 50, 300, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.where);
    ui::StringGrid& grid = FormGrid(5, 2);
    SetFocus(parent_);
    std::vector<int> fired;
    grid.OnDblClick = [&] { fired.push_back(grid.Row()); };
    HWND h = grid.Handle();
    PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(c.x, c.y));
    PostMessageA(h, WM_LBUTTONUP, 0, At(c.x, c.y));
    PostMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, At(c.x, c.y));
    PostMessageA(h, WM_LBUTTONUP, 0, At(c.x, c.y));
    gui::Pump();
    EXPECT_EQ(GetFocus(), grid.Handle());
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0], c.rowAtEvent);
  }
}

TEST_F(StringGridTest, DraggingATitleBoundaryHoldsTheCaptureUntilTheRelease) {
  ui::StringGrid& grid = FormGrid(5, 2);
  HWND h = grid.Handle();
  SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(106, 10));
  EXPECT_EQ(GetCapture(), h);
  SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(150, 10));
  SendMessageA(h, WM_LBUTTONUP, 0, At(150, 10));
  EXPECT_EQ(GetCapture(), nullptr);
  // Moving after the release changes nothing.
  SendMessageA(h, WM_MOUSEMOVE, 0, At(180, 10));
  EXPECT_EQ(grid.ColWidth(0), 150);
  EXPECT_EQ(grid.Row(), 2);
}

TEST_F(StringGridTest, PointerShowsTheSizingCursorOnTitleBoundaries) {
  ui::StringGrid& grid = FormGrid(5);
  const HCURSOR sizeWE = LoadCursor(nullptr, IDC_SIZEWE);
  const struct {
    int x, y;
    bool sizing;
  } cases[] = {{106, 10, true}, {106, 40, false}};
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
    unsigned want = call.row == 0 ? unsigned{ui::kGridTitle} : 0u;
    if (call.row == grid.Row()) want = ui::kGridSelected;
    if (call.row == grid.Row() && call.col == grid.Col()) want |= ui::kGridFocused;
    EXPECT_EQ(call.state, want);
  }
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

}  // namespace
