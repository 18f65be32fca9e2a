// The main window's mark painting and row matching, seen as pixels and selections.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "gui/main_window_fixture.h"

namespace {

constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

using gui::Centre;

class Form1MarksTest : public gui::MainWindowTest {
 protected:
  // Every pixel of the grid against the cells expected cyan (bits per file name: 1 name,
  // 2 size, 4 date-time): marked cells are cyan at their corners, hold black text and are
  // cyan or black at their centre; unmarked cells keep the selection or window colour at
  // their corners and have no cyan; no cyan outside the marked cells at all.
  void ExpectCyanExactly(int pane, const std::map<std::string, int>& bits) {
    ui::StringGrid& grid = Grid(pane);
    const gui::Pixels picture(grid.Handle());
    std::vector<RECT> marked;
    int cellsSeen = 0;
    for (int row = 0; row < grid.RowCount(); ++row) {
      for (int col = 0; col < 3; ++col) {
        RECT r = grid.CellRect(col, row);
        r.right = std::min<LONG>(r.right, picture.Width());
        r.bottom = std::min<LONG>(r.bottom, picture.Height());
        if (r.right <= r.left || r.bottom <= r.top) continue;
        ++cellsSeen;
        SCOPED_TRACE("pane " + std::to_string(pane) + " cell (" + std::to_string(col) + ", " +
                     std::to_string(row) + ") " + std::string(grid.Cell(0, row)));
        const auto found = bits.find(std::string(grid.Cell(0, row)));
        const bool isMarked = row > 0 && found != bits.end() && (found->second & (1 << col));
        const POINT corners[] = {{r.left, r.top},
                                 {r.right - 1, r.top},
                                 {r.left, r.bottom - 1},
                                 {r.right - 1, r.bottom - 1}};
        const POINT centre = Centre(r);
        if (isMarked) {
          marked.push_back(r);
          for (const POINT& p : corners) EXPECT_EQ(picture.At(p.x, p.y), kCyan);
          const COLORREF c = picture.At(centre.x, centre.y);
          EXPECT_TRUE(c == kCyan || c == kBlack) << std::hex << c;
          EXPECT_GT(picture.Count(r, kBlack), 0);
        } else if (row > 0) {
          const COLORREF back =
              GetSysColor(row == grid.Row() ? COLOR_HIGHLIGHT : COLOR_WINDOW) & 0xFFFFFF;
          for (const POINT& p : corners) EXPECT_EQ(picture.At(p.x, p.y), back);
          EXPECT_NE(picture.At(centre.x, centre.y), kCyan);
        }
      }
    }
    EXPECT_GE(cellsSeen, 3 * 2);
    int stray = 0;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        if (picture.At(x, y) != kCyan) continue;
        stray += std::none_of(marked.begin(), marked.end(), [&](const RECT& r) {
          return PtInRect(&r, POINT{x, y});
        });
      }
    }
    EXPECT_EQ(stray, 0) << "cyan pixels outside the marked cells of pane " << pane;
  }

  // Outside the current row, a marked cell's text is black exactly where the grid drew it in
  // black before the marks (at left + 2, top + 2).
  void ExpectMarkedTextInPlace(int pane, const gui::Pixels& before,
                               const std::map<std::string, int>& bits) {
    ui::StringGrid& grid = Grid(pane);
    const gui::Pixels after(grid.Handle());
    int cells = 0;
    for (int row = 1; row < grid.RowCount(); ++row) {
      const auto found = bits.find(std::string(grid.Cell(0, row)));
      if (row == grid.Row() || found == bits.end()) continue;
      for (int col = 0; col < 3; ++col) {
        if (!(found->second & (1 << col))) continue;
        SCOPED_TRACE("pane " + std::to_string(pane) + " cell (" + std::to_string(col) + ", " +
                     std::to_string(row) + ")");
        ++cells;
        const RECT r = grid.CellRect(col, row);
        int black = 0, moved = 0;
        for (int y = r.top; y < std::min<LONG>(r.bottom, after.Height()); ++y) {
          for (int x = r.left; x < std::min<LONG>(r.right, after.Width()); ++x) {
            black += after.At(x, y) == kBlack;
            moved += (after.At(x, y) == kBlack) != (before.At(x, y) == kBlack);
          }
        }
        EXPECT_GT(black, 0);
        EXPECT_EQ(moved, 0);
      }
    }
    EXPECT_GT(cells, 0);
  }
};

TEST_F(Form1MarksTest, ComparedPanesShowCyanExactlyInTheDifferingCells) {
  const os::FileTime t = fake::MakeFileTime(2004, 3, 15, 9, 5, 6);
  const os::FileTime sameStep = fake::MakeFileTime(2004, 3, 15, 9, 5, 7);
  const os::FileTime later = fake::MakeFileTime(2004, 3, 15, 9, 5, 8);
  const struct {
    const char* name;
    bool left, right;
    uint64_t leftSize, rightSize;
    os::FileTime leftTime, rightTime;
    int bits;  // expected on each side where the file is
  } files[] = {
      {"equal.txt", true, true, 10, 10, t, t, 0},
      {"step.txt", true, true, 10, 10, t, sameStep, 0},
      {"size.txt", true, true, 10, 11, t, t, 2},
      {"time.txt", true, true, 10, 10, t, later, 4},
      {"both.txt", true, true, 10, 12345, t, later, 6},
      {"left-only.txt", true, false, 1, 0, t, 0, 7},
      {"right-only.txt", false, true, 0, 1, 0, t, 7},
      {"CASE.TXT", true, false, 3, 0, t, 0, 7},
      {"case.txt", false, true, 0, 3, 0, t, 7},
  };
  std::map<std::string, int> leftBits, rightBits;
  for (const auto& f : files) {
    if (f.left) {
      machine.AddFile(std::string("C:\\L\\") + f.name, f.leftSize, f.leftTime);
      leftBits[f.name] = f.bits;
    }
    if (f.right) {
      machine.AddFile(std::string("C:\\R\\") + f.name, f.rightSize, f.rightTime);
      rightBits[f.name] = f.bits;
    }
  }
  form->LoadLeftPane("C:\\L\\");
  form->LoadRightPane("C:\\R\\");
  ASSERT_EQ(form->FileCount1, 7);
  ASSERT_EQ(form->FileCount2, 7);
  {
    SCOPED_TRACE("before comparing");
    ExpectCyanExactly(1, {});
    ExpectCyanExactly(2, {});
  }
  const gui::Pixels unmarked1(Grid(1).Handle()), unmarked2(Grid(2).Handle());
  gui::ExpectShownAfter({Grid(1).Handle(), Grid(2).Handle()}, [&] { Compare(); });
  ExpectMarkedTextInPlace(1, unmarked1, leftBits);
  ExpectMarkedTextInPlace(2, unmarked2, rightBits);
  // Each selection puts a differently marked row under the highlight.
  for (const char* selected : {"size.txt", "time.txt", "both.txt", "equal.txt"}) {
    SCOPED_TRACE(selected);
    Grid(1).SetRow(RowNamed(1, selected));
    Grid(2).SetRow(RowNamed(2, selected));
    ExpectCyanExactly(1, leftBits);
    ExpectCyanExactly(2, rightBits);
  }
  for (const char* selected : {"left-only.txt", "CASE.TXT"}) {
    SCOPED_TRACE(selected);
    Grid(1).SetRow(RowNamed(1, selected));
    ExpectCyanExactly(1, leftBits);
  }
  // Reloading one pane clears its marks at once; the other keeps its earlier ones.
  gui::ExpectShownAfter({Grid(1).Handle()}, [&] { form->LoadLeftPane("C:\\L\\"); });
  SCOPED_TRACE("left reloaded");
  ExpectCyanExactly(1, {});
  ExpectCyanExactly(2, rightBits);
}

TEST_F(Form1MarksTest, DoubleClickSelectsTheNamesakeInTheOtherGrid) {
  // Left: a short listing with room below its last row. Right: a long one with the left's names
  // far apart and nothing named "zz".
  for (const char* name : {"a", "b", "c", "d", "e", "zz"}) {
    machine.AddFile(std::string("C:\\L\\") + name, 1, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  }
  const std::map<int, std::string> placed = {
      {3, "b"}, {60, "d"}, {120, "c"}, {180, "a"}, {199, "e"}};
  for (int i = 1; i <= 199; ++i) {
    const auto p = placed.find(i);
    const std::string name = p != placed.end() ? p->second : "n" + std::to_string(i);
    machine.AddFile("C:\\R\\" + name, 1, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  }
  form->LoadLeftPane("C:\\L\\");
  form->LoadRightPane("C:\\R\\");
  ASSERT_EQ(Grid(1).RowCount(), 7);
  ASSERT_EQ(Grid(2).RowCount(), 200);
  ASSERT_EQ(Grid(2).Cell(0, 180), "a");
  ASSERT_LT(Grid(2).VisibleRowCount(), 60);

  enum Where { kOnRow, kTitle, kBelow };
  const struct {
    const char* what;
    int pane;     // the grid double-clicked
    int current;  // its current row before (or the row clicked on)
    Where where;
    int expectedRow;   // the other grid's current row after
    bool scrolls;      // the other grid's top row must change
    int otherTop = 0;  // the other grid scrolled to this top row first (0: left as it is)
  } cases[] = {
      {"row a to far row 180", 1, 1, kOnRow, 180, true},
      {"title row, current d", 1, 4, kTitle, 60, true},
      {"below the last row, current c", 1, 3, kBelow, 120, true},
      {"row e to the last row", 1, 5, kOnRow, 199, true},
      {"row b back near the top", 1, 2, kOnRow, 3, true},
      {"row b again, its namesake scrolled out of view", 1, 2, kOnRow, 3, false, 100},
      {"no namesake for zz", 1, 6, kOnRow, 3, false},
      {"no namesake, title row", 1, 6, kTitle, 3, false},
      {"right grid, row b", 2, 3, kOnRow, 2, false},
      {"right grid title, current a far down", 2, 180, kTitle, 1, false},
      {"right grid, no namesake n7", 2, 7, kTitle, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ui::StringGrid& grid = Grid(c.pane);
    ui::StringGrid& other = Grid(3 - c.pane);
    if (c.where != kOnRow) grid.SetRow(c.current);
    if (c.otherTop) other.SetTopRow(c.otherTop);
    const int otherCol = other.Col();
    const int otherTop = other.TopRow();
    const int otherRow = other.Row();
    const RECT title = grid.CellRect(0, 0);
    POINT p{};
    if (c.where == kOnRow) {
      if (grid.CellRect(0, c.current).bottom == 0) grid.SetTopRow(c.current);
      p = Centre(grid.CellRect(0, c.current));
    } else if (c.where == kTitle) {
      p = Centre(title);
    } else {
      p = POINT{Centre(title).x, grid.CellRect(0, grid.RowCount() - 1).bottom + 20};
      RECT client;
      GetClientRect(grid.Handle(), &client);
      ASSERT_LT(p.y, client.bottom);
    }
    gui::ExpectShownAfter({other.Handle()}, [&] { DoubleClick(c.pane, p); });
    EXPECT_EQ(grid.Row(), c.current);
    EXPECT_EQ(other.Row(), c.expectedRow);
    EXPECT_EQ(other.Col(), otherCol);
    EXPECT_EQ(GetFocus(), grid.Handle());
    if (c.expectedRow == otherRow) {
      EXPECT_EQ(other.TopRow(), otherTop);
    }
    if (c.scrolls) {
      EXPECT_NE(other.TopRow(), otherTop);
    }
    if (c.expectedRow != otherRow) {
      EXPECT_LE(other.TopRow(), c.expectedRow);
      EXPECT_LT(c.expectedRow, other.TopRow() + other.VisibleRowCount());
    }
  }
}

TEST_F(Form1MarksTest, IdenticalListingsMatchRowForRowAndKeepTheHorizontalScroll) {
  // Both panes list one folder; the right grid's name column is widened and scrolled right, as a
  // user does to read long names.
  for (const char* name : {"a", "b", "c", "d", "e"}) {
    machine.AddFile(std::string("C:\\S\\") + name, 1, fake::MakeFileTime(2001, 1, 1, 0, 0, 0));
  }
  form->LoadLeftPane("C:\\S\\");
  form->LoadRightPane("C:\\S\\");
  Grid(2).SetColWidth(0, 400);
  for (int i = 0; i < 12; ++i) SendMessageA(Grid(2).Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
  const auto scrolled = [&](int pane) {
    return gui::ReadScrollBar(Grid(pane).Handle(), SB_HORZ).nPos;
  };
  ASSERT_EQ(scrolled(2), 192);
  const struct {
    int pane;  // the grid double-clicked
    int row;
  } cases[] = {{1, 3}, {1, 5}, {2, 4}, {2, 2}, {1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.pane) + " row " + std::to_string(c.row));
    Grid(3 - c.pane).SetRow(1);
    DoubleClick(c.pane, Centre(Grid(c.pane).CellRect(1, c.row)));
    EXPECT_EQ(Grid(c.pane).Row(), c.row);
    EXPECT_EQ(Grid(3 - c.pane).Row(), c.row);
    EXPECT_EQ(scrolled(1), 0);
    EXPECT_EQ(scrolled(2), 192);
  }
}

TEST_F(Form1MarksTest, TwoEmptyPanesLookTheSameAfterCompareAndDoubleClicks) {
  machine.AddFolder("C:\\E");
  form->LoadLeftPane("C:\\E\\");
  form->LoadRightPane("C:\\E\\");
  ASSERT_EQ(form->FileCount1, 0);
  ASSERT_EQ(form->FileCount2, 0);
  const gui::Pixels left(Grid(1).Handle()), right(Grid(2).Handle());
  Compare();
  for (int pane : {1, 2}) {
    const RECT row1 = Grid(pane).CellRect(1, 1);
    for (POINT p : {Centre(row1), Centre(Grid(pane).CellRect(1, 0)),
                    POINT{Centre(row1).x, row1.bottom + 30}}) {
      SCOPED_TRACE(std::to_string(pane) + " at y " + std::to_string(p.y));
      DoubleClick(pane, p);
      EXPECT_EQ(Grid(1).Row(), 1);
      EXPECT_EQ(Grid(2).Row(), 1);
      ExpectCyanExactly(1, {});
      EXPECT_TRUE(gui::Pixels(Grid(1).Handle()) == left);
      EXPECT_TRUE(gui::Pixels(Grid(2).Handle()) == right);
    }
  }
}

}  // namespace
