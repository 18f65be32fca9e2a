// The main window's marks as they reach the screen, and its row matching; what marked cells look
// like is in the main window's reference images.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "gui/main_window_fixture.h"

namespace {

using gui::Centre;

class Form1MarksTest : public gui::MainWindowTest {};

TEST_F(Form1MarksTest, CompareAndAReloadShowTheirMarksOnTheScreenAtOnce) {
  std::map<std::string, uint8_t> marks = gui::AddFoldersThatDiffer(machine);
  form->LoadLeftPane("C:\\L\\");
  form->LoadRightPane("C:\\R\\");
  ASSERT_EQ(form->FileCount1, 7);
  ASSERT_EQ(form->FileCount2, 7);
  gui::ExpectShownAfter({Grid(1).Handle(), Grid(2).Handle()}, [&] { Compare(); });
  for (int pane : {1, 2}) {
    for (int row = 1; row < Grid(pane).RowCount(); ++row) {
      const std::string name(Grid(pane).Cell(0, row));
      EXPECT_EQ(Marks(pane).At(row - 1), marks[name]) << name;
    }
  }
  // Reloading one pane clears its marks at once; the other keeps its earlier ones.
  const std::vector<uint8_t> right = Marks(2).Bytes();
  gui::ExpectShownAfter({Grid(1).Handle()}, [&] { form->LoadLeftPane("C:\\L\\"); });
  EXPECT_EQ(Marks(1).Bytes(), std::vector<uint8_t>(7, 0));
  EXPECT_EQ(Marks(2).Bytes(), right);
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
      EXPECT_TRUE(gui::Pixels(Grid(1).Handle()) == left);
      EXPECT_TRUE(gui::Pixels(Grid(2).Handle()) == right);
    }
  }
}

}  // namespace
