// The main window at scale, over the fake machine: panes of 200,000 files loaded, compared and
// scrolled by the thumb to their last rows, and file names of the longest length (259 bytes)
// listed, compared and matched by double-click.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "gui/main_window_fixture.h"

namespace {

constexpr int kFiles = 200000;
constexpr COLORREF kCyan = RGB(0, 255, 255);

using ScaleTest = gui::MainWindowTest;

// --- 200,000 files a side ---

// What the right folder holds for file i of the left one.
enum Diff { kSame, kSize, kTime, kBoth, kGone };

Diff DiffOf(int i) {
  // The first and last files carry one of each, so that the last rows of both grids (the right
  // folder lists in reverse) show every kind of mark.
  static const Diff kEnds[] = {kSize, kGone, kTime, kSame, kBoth, kGone, kSize, kSame};
  constexpr int kEndCount = sizeof kEnds / sizeof *kEnds;
  if (i < kEndCount) return kEnds[i];
  if (kFiles - 1 - i < kEndCount) return kEnds[kFiles - 1 - i];
  if (i % 1499 == 7) return kGone;
  if (i % 3001 == 11) return kBoth;
  if (i % 997 == 3) return kSize;
  if (i % 1009 == 5) return kTime;
  return kSame;
}

uint8_t MarkOf(Diff d) {
  static const uint8_t kMarks[] = {0, zolt::MarkSize, zolt::MarkDate,
                                   zolt::MarkSize | zolt::MarkDate, zolt::MarkMissing};
  return kMarks[d];  // in the order of Diff
}

std::string Numbered(const char* prefix, int i) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%06d.dat", prefix, i);
  return name;
}

TEST_F(ScaleTest, TwoHundredThousandFilesLoadCompareAndPaintTheirLastRows) {
  const os::FileTime t0 = fake::MakeFileTime(2004, 3, 15, 9, 5, 6);
  const os::FileTime minute = 600000000;
  for (int i = 0; i < kFiles; ++i) {
    machine.AddFile("C:\\L\\" + Numbered("f", i), static_cast<uint64_t>(i), t0);
  }
  // The right folder in reverse: right row r is left file kFiles - r.
  std::vector<uint8_t> want1(kFiles), want2(kFiles);
  for (int i = kFiles - 1; i >= 0; --i) {
    const Diff d = DiffOf(i);
    const bool sizeDiffers = d == kSize || d == kBoth;
    const bool timeDiffers = d == kTime || d == kBoth;
    machine.AddFile("C:\\R\\" + Numbered(d == kGone ? "r" : "f", i),
                    static_cast<uint64_t>(i) + (sizeDiffers ? 1 : 0),
                    t0 + (timeDiffers ? minute : 0));
    want1[static_cast<size_t>(i)] = MarkOf(d);
    want2[static_cast<size_t>(kFiles - 1 - i)] = MarkOf(d);
  }
  form->LoadLeftPane("C:\\L\\");
  form->LoadRightPane("C:\\R\\");
  const struct {
    int pane;
    const char* statusBar;
    const char* lastName;  // in the grid's last row, with its size
    const char* lastSize;
  } panes[] = {{1, "Panel4", "f199999.dat", "199999"}, {2, "Panel6", "f000000.dat", "1"}};
  for (const auto& p : panes) {
    SCOPED_TRACE("pane " + std::to_string(p.pane));
    EXPECT_EQ(p.pane == 1 ? form->FileCount1 : form->FileCount2, kFiles);
    EXPECT_EQ(ui::TextOf(form->HandleOf(p.statusBar)), " 200000 Files");
    ASSERT_EQ(Grid(p.pane).RowCount(), kFiles + 1);
    ASSERT_EQ(Marks(p.pane).Length(), kFiles);
    EXPECT_EQ(Grid(p.pane).Cell(0, kFiles), p.lastName);
    EXPECT_EQ(Grid(p.pane).Cell(1, kFiles), p.lastSize);
    EXPECT_EQ(Grid(p.pane).Cell(2, kFiles), "2004/03/15 09:05:06");
  }

  Compare();
  for (const auto& p : panes) {
    SCOPED_TRACE("pane " + std::to_string(p.pane));
    const std::vector<uint8_t>& want = p.pane == 1 ? want1 : want2;
    const std::vector<uint8_t>& got = Marks(p.pane).Bytes();
    ASSERT_EQ(got.size(), want.size());
    std::map<int, int> wantCount, gotCount;
    int wrong = 0, firstWrong = -1;
    for (size_t r = 0; r < got.size(); ++r) {
      ++wantCount[want[r]];
      ++gotCount[got[r]];
      if (got[r] != want[r] && wrong++ == 0) firstWrong = static_cast<int>(r) + 1;
    }
    EXPECT_EQ(gotCount, wantCount);
    EXPECT_EQ(wrong, 0) << "first wrong mark in row " << firstWrong;
    // The folders hold every kind of difference in numbers.
    for (uint8_t mark : {0, 2, 4, 6, 255}) EXPECT_GT(wantCount[mark], 60) << int(mark);
  }
  // Specific rows, read through the grid's names.
  const struct {
    int pane;
    const char* name;
    uint8_t mark;
  } rows[] = {
      {1, "f000000.dat", zolt::MarkSize},
      {1, "f000001.dat", zolt::MarkMissing},
      {1, "f000999.dat", 0},
      {1, "f001000.dat", zolt::MarkSize},
      {1, "f001506.dat", zolt::MarkMissing},
      {1, "f003012.dat", zolt::MarkSize | zolt::MarkDate},
      {2, "f001014.dat", zolt::MarkDate},
      {2, "r001506.dat", zolt::MarkMissing},
      {2, "f199996.dat", 0},
      {2, "f199997.dat", zolt::MarkDate},
      {2, "r199998.dat", zolt::MarkMissing},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.name) + " in pane " + std::to_string(r.pane));
    EXPECT_EQ(Marks(r.pane).At(RowNamed(r.pane, r.name) - 1), r.mark);
  }

  // The thumb dragged to the bottom of each grid, as the scroll bar reports a drag (the message
  // carries 16 bits of the position, the bar all 32): the last row shows at the bottom.
  for (const auto& p : panes) {
    SCOPED_TRACE("pane " + std::to_string(p.pane));
    ui::StringGrid& grid = Grid(p.pane);
    SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(grid.Handle(), SB_VERT, &bar));
    const int bottom = bar.nMax - static_cast<int>(bar.nPage) + 1;
    ASSERT_GT(bottom, 65535);
    for (int code : {SB_THUMBTRACK, SB_THUMBPOSITION}) gui::VScroll(grid.Handle(), code, bottom);
    EXPECT_EQ(grid.TopRow(), kFiles + 1 - grid.VisibleRowCount());
    const gui::Pixels shot(grid.Handle());
    const RECT last = grid.CellRect(0, kFiles);
    ASSERT_GT(last.bottom, last.top);
    ASSERT_LE(last.bottom, shot.Height());
    const std::vector<uint8_t>& want = p.pane == 1 ? want1 : want2;
    int markedCells = 0, plainCells = 0;
    for (int row = grid.TopRow(); row <= kFiles; ++row) {
      for (int col = 0; col < 3; ++col) {
        SCOPED_TRACE("cell (" + std::to_string(col) + ", " + std::to_string(row) + ")");
        RECT r = grid.CellRect(col, row);
        r.right = std::min<LONG>(r.right, shot.Width());
        if (r.right <= r.left) continue;
        const bool marked = want[static_cast<size_t>(row - 1)] & (1 << col);
        const RECT inside{r.left + 2, r.top + 2, r.right, r.bottom};
        // Every cell of these rows shows its text, black on cyan in the marked ones.
        EXPECT_GT(shot.Count(inside, RGB(0, 0, 0)), 0);
        const int cyan = shot.Count(r, kCyan);
        if (marked) {
          ++markedCells;
          EXPECT_EQ(shot.Count(r, GetSysColor(COLOR_WINDOW) & 0xFFFFFF), 0);
          EXPECT_GT(cyan, (r.right - r.left) * (r.bottom - r.top) / 2);
          EXPECT_EQ(shot.At(r.left, r.top), kCyan);
          EXPECT_EQ(shot.At(r.right - 1, r.bottom - 1), kCyan);
        } else {
          ++plainCells;
          EXPECT_EQ(cyan, 0);
        }
      }
    }
    EXPECT_GT(markedCells, 6);
    EXPECT_GT(plainCells, 6);
    for (int col = 0; col < 3; ++col) {
      RECT title = grid.CellRect(col, 0);
      title.right = std::min<LONG>(title.right, shot.Width());
      EXPECT_EQ(shot.Count(title, kCyan), 0) << "title of column " << col;
    }
  }
}

// --- names of 259 bytes, the longest a file name can be ---

// A name of 259 bytes: unit repeated (whole characters only), "-" up to the length, then last.
std::string Longest(const std::string& unit, const std::string& last) {
  std::string name;
  while (name.size() + unit.size() <= 259 - last.size()) name += unit;
  while (name.size() < 259 - last.size()) name += '-';
  return name + last;
}

TEST_F(ScaleTest, LongestNamesListWholeMatchAndSelectTheirNamesakes) {
  struct Case {
    std::string what, left, right;
    uint8_t mark;  // on both sides
  };
  std::vector<Case> cases = {
      {"equal", Longest("long-name.", "E"), Longest("long-name.", "E"), 0},
      {"last byte differs", Longest("differs.", "1"), Longest("differs.", "2"), zolt::MarkMissing},
      {"only the first byte differs", Longest("first.", "F"),
       "G" + Longest("first.", "F").substr(1), zolt::MarkMissing},
  };
  // Shift-JIS only where the code page is 932: a trail byte 0x5C ("\") inside the name, and a
  // pair whose last byte is the trail byte of their last character.
  if (GetACP() == 932) {
    machine.SetDoubleByte(true);
    const std::string hyou = "\x95\x5C", a = "\x83\x41";
    cases.push_back({"shift-jis equal", Longest(hyou + a, "J"), Longest(hyou + a, "J"), 0});
    cases.push_back({"shift-jis last trail byte differs", Longest(a, hyou), Longest(a, "\x95\x5B"),
                     zolt::MarkMissing});
  }
  const os::FileTime t = fake::MakeFileTime(2010, 6, 1, 12, 0, 0);
  for (const Case& c : cases) machine.AddFile("C:\\L\\" + c.left, 259, t);
  // Other rows first and the namesakes in reverse, so that no match lands on the same row.
  machine.AddFile("C:\\R\\a.txt", 1, t);
  machine.AddFile("C:\\R\\b.txt", 1, t);
  for (auto c = cases.rbegin(); c != cases.rend(); ++c) {
    machine.AddFile("C:\\R\\" + c->right, 259, t);
  }
  form->LoadLeftPane("C:\\L\\");
  form->LoadRightPane("C:\\R\\");
  ASSERT_EQ(form->FileCount1, static_cast<int>(cases.size()));
  ASSERT_EQ(form->FileCount2, static_cast<int>(cases.size()) + 2);
  Compare();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(c.left.size(), 259u);
    ASSERT_EQ(c.right.size(), 259u);
    const int left = RowNamed(1, c.left), right = RowNamed(2, c.right);
    EXPECT_EQ(Grid(1).Cell(0, left).size(), 259u);
    EXPECT_EQ(Grid(2).Cell(0, right).size(), 259u);
    EXPECT_EQ(Marks(1).At(left - 1), c.mark);
    EXPECT_EQ(Marks(2).At(right - 1), c.mark);
    // A double-click on each side selects the namesake on the other, or leaves its selection.
    for (int pane : {1, 2}) {
      ui::StringGrid& other = Grid(3 - pane);
      other.SetRow(1);
      DoubleClick(pane, gui::Centre(Grid(pane).CellRect(0, pane == 1 ? left : right)));
      EXPECT_EQ(Grid(pane).Row(), pane == 1 ? left : right);
      EXPECT_EQ(other.Row(), c.mark == 0 ? (pane == 1 ? right : left) : 1) << "pane " << pane;
    }
  }
}

}  // namespace
