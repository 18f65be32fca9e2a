#include "core/compare.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/errors.h"
#include "core/listing.h"
#include "core/mark_paint.h"
#include "core/name_index.h"
#include "core/pane.h"
#include "support/fake_os.h"
#include "support/near_texts.h"
#include "support/nested_compare.h"

namespace {

struct Row {
  std::string name, size, date;
};

const char kT1[] = "2004/03/15 09:05:06";
const char kT2[] = "2004/03/15 09:05:08";

// Two names that share the comparison index's hash, found once by a search over f<n>.txt.
const char* const kCollidingA = "f47327.txt";
const char* const kCollidingB = "f82507.txt";

zolt::CellTable Grid(const std::vector<Row>& rows) {
  zolt::CellTable grid(3, 2);
  zolt::WriteTitles(grid);
  if (rows.empty()) {
    zolt::MakeEmptyPane(grid);
    return grid;
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    grid.SetCell(0, r, rows[i].name);
    grid.SetCell(1, r, rows[i].size);
    grid.SetCell(2, r, rows[i].date);
  }
  grid.SetRowCount(static_cast<int>(rows.size()) + 1);
  return grid;
}

// Two panes as the window keeps them, loaded from the folders C:\L\ and C:\R\.
struct LoadedPanes {
  void Load(os::Os& os, const listing::DateTimeFormat& format, bool left) {
    listing::LoadPane(os, left ? grid1 : grid2, left ? "C:\\L\\" : "C:\\R\\", format,
                      left ? zolt::PaneState{count1, marks1} : zolt::PaneState{count2, marks2});
  }
  bool Compare() {
    return compare::ComparePanes({"C:\\L\\", grid1, {count1, marks1}},
                                 {"C:\\R\\", grid2, {count2, marks2}});
  }
  zolt::CellTable grid1{3, 2}, grid2{3, 2};
  int32_t count1 = 0, count2 = 0;
  zolt::MarkArray marks1, marks2;
};

TEST(ComparePanes, PreconditionsInOrderElseNothingChanges) {
  const std::vector<Row> one = {{"a", "1", kT1}}, two = {{"", "1", kT1}, {"a", "2", kT1}};
  const struct {
    const char* what;
    const char* path1;
    const char* path2;
    std::vector<Row> rows1, rows2;
    int32_t count1, count2;
    bool runs;
  } cases[] = {
      {"all met", "C:\\L\\", "C:\\R\\", one, one, 1, 1, true},
      {"left path box empty", "", "C:\\R\\", one, one, 1, 1, false},
      {"right path box empty", "C:\\L\\", "", one, one, 1, 1, false},
      {"both path boxes empty", "", "", one, one, 1, 1, false},
      {"left grid shows no file", "C:\\L\\", "C:\\R\\", {}, one, 1, 1, false},
      {"right grid shows no file", "C:\\L\\", "C:\\R\\", one, {}, 1, 1, false},
      {"left file count 0", "C:\\L\\", "C:\\R\\", one, one, 0, 1, false},
      {"right file count 0", "C:\\L\\", "C:\\R\\", one, one, 1, 0, false},
      {"empty first name but two rows", "C:\\L\\", "C:\\R\\", two, one, 2, 1, true},
      {"empty first name on the right", "C:\\L\\", "C:\\R\\", one, two, 1, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const zolt::CellTable grid1 = Grid(c.rows1), grid2 = Grid(c.rows2);
    zolt::MarkArray marks1, marks2;
    marks1.Reset(3);  // stale marks of another length: a run must replace them
    marks1.At(2) = zolt::MarkDate;
    marks2.Reset(1);
    marks2.At(0) = zolt::MarkMissing;
    const std::vector<uint8_t> before1 = marks1.Bytes(), before2 = marks2.Bytes();
    int32_t count1 = c.count1, count2 = c.count2;
    const bool ran = compare::ComparePanes({c.path1, grid1, {count1, marks1}},
                                           {c.path2, grid2, {count2, marks2}});
    EXPECT_EQ(ran, c.runs);
    if (c.runs) {
      EXPECT_EQ(marks1.Length(), c.count1);
      EXPECT_EQ(marks2.Length(), c.count2);
    } else {
      EXPECT_EQ(marks1.Bytes(), before1);
      EXPECT_EQ(marks2.Bytes(), before2);
    }
  }
}

TEST(ComparePanes, EachMarkOutcome) {
  const struct {
    const char* what;
    std::vector<Row> left, right;
    std::vector<uint8_t> marks1, marks2;
  } cases[] = {
      {"equal", {{"a", "1", kT1}}, {{"a", "1", kT1}}, {0}, {0}},
      {"size only", {{"a", "1", kT1}}, {{"a", "2", kT1}}, {2}, {2}},
      {"time only", {{"a", "1", kT1}}, {{"a", "1", kT2}}, {4}, {4}},
      {"size and time", {{"a", "1", kT1}}, {{"a", "2", kT2}}, {6}, {6}},
      {"only on the left", {{"a", "1", kT1}, {"b", "1", kT1}}, {{"b", "1", kT1}}, {255, 0}, {0}},
      {"only on the right", {{"b", "1", kT1}}, {{"a", "1", kT1}, {"b", "1", kT1}}, {0}, {255, 0}},
      {"names differ in case", {{"A.TXT", "1", kT1}}, {{"a.txt", "1", kT1}}, {255}, {255}},
      {"names differ by a trailing space", {{"a", "1", kT1}}, {{"a ", "1", kT1}}, {255}, {255}},
      {"size texts differ, numbers equal", {{"a", "01", kT1}}, {{"a", "1", kT1}}, {2}, {2}},
      {"size texts differ in a middle byte",
       {{"a", "101", kT1}, {"b", "123456", kT1}},
       {{"a", "111", kT1}, {"b", "123056", kT1}},
       {2, 2},
       {2, 2}},
      {"first namesake only", {{"x", "1", kT1}}, {{"x", "2", kT1}, {"x", "1", kT1}}, {2}, {2, 0}},
      {"duplicates on both sides",
       {{"x", "1", kT1}, {"x", "2", kT2}},
       {{"x", "1", kT2}, {"x", "2", kT1}},
       {4, 2},
       {4, 2}},
      {"empty names match each other",
       {{"", "1", kT1}, {"a", "1", kT1}},
       {{"b", "1", kT1}, {"", "1", kT2}},
       {4, 255},
       {255, 4}},
      {"double-byte names by their bytes",
       {{"\x95\x5C.txt", "1", kT1}, {"\x95\x5B.txt", "1", kT1}},
       {{"\x95\x5C.txt", "1", kT1}},
       {0, 255},
       {0}},
      {"names sharing a hash", {{kCollidingA, "1", kT1}}, {{kCollidingB, "1", kT1}}, {255}, {255}},
      {"names sharing a hash on both sides",
       {{kCollidingA, "1", kT1}, {kCollidingB, "2", kT1}},
       {{kCollidingB, "2", kT1}, {kCollidingA, "1", kT2}},
       {4, 0},
       {0, 4}},
  };
  ASSERT_EQ(compare::NameIndex::Hash(kCollidingA), compare::NameIndex::Hash(kCollidingB))
      << "find a new pair of names that share the index's hash";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const zolt::CellTable grid1 = Grid(c.left), grid2 = Grid(c.right);
    zolt::MarkArray marks1, marks2;
    int32_t count1 = static_cast<int32_t>(c.left.size()),
            count2 = static_cast<int32_t>(c.right.size());
    ASSERT_TRUE(compare::ComparePanes({"C:\\L\\", grid1, {count1, marks1}},
                                      {"C:\\R\\", grid2, {count2, marks2}}));
    EXPECT_EQ(marks1.Bytes(), c.marks1);
    EXPECT_EQ(marks2.Bytes(), c.marks2);
  }
}

TEST(ComparePanes, ListedFoldersCompareByTheirTexts) {
  const os::FileTime base = fake::MakeFileTime(2004, 3, 15, 9, 5, 6);
  const os::FileTime tenth = 1000000;
  const struct {
    const char* what;
    os::FileTime left, right;
    uint8_t mark;
  } cases[] = {
      {"same 2-second step", base + 2 * tenth, base + 19 * tenth, 0},
      {"adjacent steps 0.1 s apart", base + 19 * tenth, base + 20 * tenth, zolt::MarkDate},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake::Machine os;
    os.AddFile("C:\\L\\a.txt", 5, c.left);
    os.AddFile("C:\\R\\a.txt", 5, c.right);
    const listing::DateTimeFormat format(os);
    LoadedPanes panes;
    panes.Load(os, format, true);
    panes.Load(os, format, false);
    ASSERT_TRUE(panes.Compare());
    EXPECT_EQ(panes.marks1.Bytes(), std::vector<uint8_t>{c.mark});
    EXPECT_EQ(panes.marks2.Bytes(), std::vector<uint8_t>{c.mark});
  }
}

TEST(ComparePanes, SeparatorChangeBetweenLoadsMarksEveryNamesake) {
  fake::Machine os;
  for (const char* name : {"a", "b", "c"}) {
    os.AddFile(std::string("C:\\L\\") + name, 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
    os.AddFile(std::string("C:\\R\\") + name, 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
  }
  listing::DateTimeFormat format(os);
  LoadedPanes panes;
  panes.Load(os, format, true);
  os.SetSeparators("-", ".");
  format.SettingsChanged(os);
  panes.Load(os, format, false);
  EXPECT_EQ(panes.grid1.Cell(2, 1), "2004/03/15 09:05:06");
  EXPECT_EQ(panes.grid2.Cell(2, 1), "2004-03-15 09.05.06");
  ASSERT_TRUE(panes.Compare());
  EXPECT_EQ(panes.marks1.Bytes(), std::vector<uint8_t>(3, zolt::MarkDate));
  EXPECT_EQ(panes.marks2.Bytes(), std::vector<uint8_t>(3, zolt::MarkDate));
}

TEST(ComparePanes, RepeatedComparisonsGiveTheSameMarks) {
  const zolt::CellTable grid1 = Grid({{"a", "1", kT1}, {"b", "1", kT1}, {"c", "1", kT1}});
  const zolt::CellTable grid2 = Grid({{"c", "2", kT2}, {"a", "1", kT2}, {"d", "1", kT1}});
  zolt::MarkArray marks1, marks2;
  int32_t count1 = 3, count2 = 3;
  const compare::Pane left{"C:\\L\\", grid1, {count1, marks1}},
      right{"C:\\R\\", grid2, {count2, marks2}};
  ASSERT_TRUE(compare::ComparePanes(left, right));
  const std::vector<uint8_t> first1 = marks1.Bytes(), first2 = marks2.Bytes();
  EXPECT_EQ(first1, (std::vector<uint8_t>{4, 255, 6}));
  EXPECT_EQ(first2, (std::vector<uint8_t>{6, 4, 255}));
  for (int run = 0; run < 3; ++run) {
    SCOPED_TRACE(run);
    ASSERT_TRUE(compare::ComparePanes(left, right));
    EXPECT_EQ(marks1.Bytes(), first1);
    EXPECT_EQ(marks2.Bytes(), first2);
  }
}

TEST(ComparePanes, EachComparisonStartsFromClearMarks) {
  fake::Machine os;
  os.AddFile("C:\\L\\a", 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
  os.AddFile("C:\\L\\b", 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
  os.AddFile("C:\\R\\b", 2, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
  const listing::DateTimeFormat format(os);
  LoadedPanes panes;
  panes.Load(os, format, true);
  panes.Load(os, format, false);
  ASSERT_TRUE(panes.Compare());
  ASSERT_EQ(panes.marks1.Bytes(), (std::vector<uint8_t>{255, 2}));

  // The right folder now holds an "a" of another time, and a "b" equal to the left one.
  os.AddFile("C:\\R\\a", 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 8));
  os.AddFile("C:\\R\\b", 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
  panes.Load(os, format, false);
  EXPECT_EQ(panes.marks1.Bytes(), (std::vector<uint8_t>{255, 2})) << "kept until the next one";
  EXPECT_EQ(panes.marks2.Bytes(), (std::vector<uint8_t>{0, 0}));
  ASSERT_TRUE(panes.Compare());
  EXPECT_EQ(panes.marks1.Bytes(), (std::vector<uint8_t>{zolt::MarkDate, 0}));
  EXPECT_EQ(panes.marks2.Bytes(), (std::vector<uint8_t>{0, zolt::MarkDate}));
}

TEST(ComparePanes, AGridLongerThanItsMarksRaisesTheRangeError) {
  // Within the preconditions a grid has file count + 1 rows. A caller that breaks this gets the
  // range error once the rows that have entries are marked, never a write outside the array.
  const zolt::CellTable three = Grid({{"a", "1", kT1}, {"b", "1", kT1}, {"c", "2", kT1}});
  const zolt::CellTable two = Grid({{"c", "1", kT1}, {"a", "1", kT2}});
  const struct {
    const char* what;
    const zolt::CellTable* left;
    const zolt::CellTable* right;
    std::vector<uint8_t> marks1, marks2;
  } cases[] = {
      {"left grid", &three, &two, {4, 255}, {0, 0}},
      {"right grid", &two, &three, {2, 4}, {4, 255}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    zolt::MarkArray marks1, marks2;
    int32_t count1 = 2, count2 = 2;
    EXPECT_THROW(compare::ComparePanes({"C:\\L\\", *c.left, {count1, marks1}},
                                       {"C:\\R\\", *c.right, {count2, marks2}}),
                 zolt::RangeError);
    EXPECT_EQ(marks1.Bytes(), c.marks1);
    EXPECT_EQ(marks2.Bytes(), c.marks2);
  }
}

TEST(ComparePanes, SameMarksAsTheNestedScans) {
  std::mt19937 random(20040315);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const reference::Pick near = [&](uint32_t n) { return static_cast<uint32_t>(pick(int(n))); };
  const char* const pool[] = {"", "a", "A", "b", "ab", "a.txt", "A.TXT", "\x95\x5C", "a "};
  // Iterations in turn: a few short names; many short names; near misses of one long name, with
  // sizes a digit apart and date-time texts a field apart.
  auto name = [&](int kind, const std::vector<std::string>& family) {
    if (kind == 0) return std::string(pool[pick(static_cast<int>(std::size(pool)))]);
    if (kind == 2) return family[static_cast<size_t>(pick(static_cast<int>(family.size())))];
    std::string s;  // many distinct names, still colliding often
    for (int k = pick(5); k > 0; --k) s.push_back("ab\\\x95"[pick(4)]);
    return s;
  };
  const char* const sizes[] = {"0", "1", "10"};
  const char* const dates[] = {kT1, kT2};
  int ran = 0;
  for (int iteration = 0; iteration < 4000; ++iteration) {
    SCOPED_TRACE(iteration);
    const int kind = iteration % 3;
    const int maxRows = iteration % 100 == 0 ? 3000 : kind ? 60 : 12;
    std::string base(static_cast<size_t>(1 + pick(64)), ' ');
    for (char& c : base) c = "data0123.csv\x95\x5C"[pick(14)];
    std::vector<std::string> family;  // a few names, each a byte away from the base
    for (int k = 0; k < 6; ++k) family.push_back(reference::NearText(base, near));
    std::vector<Row> rows[2];
    int32_t counts[2];
    for (int side = 0; side < 2; ++side) {
      for (int r = pick(maxRows + 1); r > 0; --r) {
        rows[side].push_back(kind < 2
                                 ? Row{name(kind, family), sizes[pick(3)], dates[pick(2)]}
                                 : Row{name(kind, family), reference::NearText("4294967295", near),
                                       reference::NearDateTime(near)});
      }
      counts[side] = pick(30) == 0 ? 0 : static_cast<int32_t>(rows[side].size());
    }
    const zolt::CellTable grid1 = Grid(rows[0]), grid2 = Grid(rows[1]);
    const char* path1 = pick(40) == 0 ? "" : "C:\\L\\";
    const char* path2 = pick(40) == 0 ? "" : "C:\\R\\";
    zolt::MarkArray marks1, marks2;
    marks1.Reset(counts[0]);
    marks2.Reset(counts[1]);
    for (int i = 0; i < counts[0]; ++i) marks1.At(i) = static_cast<uint8_t>(pick(256));
    for (int i = 0; i < counts[1]; ++i) marks2.At(i) = static_cast<uint8_t>(pick(256));
    std::vector<uint8_t> expected1 = marks1.Bytes(), expected2 = marks2.Bytes();
    const bool expectRun = reference::NestedCompare(
        {path1, &grid1, counts[0]}, {path2, &grid2, counts[1]}, expected1, expected2);
    ASSERT_EQ(compare::ComparePanes({path1, grid1, {counts[0], marks1}},
                                    {path2, grid2, {counts[1], marks2}}),
              expectRun);
    ASSERT_EQ(marks1.Bytes(), expected1);
    ASSERT_EQ(marks2.Bytes(), expected2);
    ran += expectRun;
  }
  EXPECT_GT(ran, 3000) << "the random panes should mostly meet the preconditions";
}

TEST(MatchRow, FirstRowOfTheSameName) {
  const std::vector<Row> pair = {{"a", "1", kT1}, {"b", "1", kT1}};
  const struct {
    const char* what;
    std::vector<Row> source;
    int sourceRow;
    std::vector<Row> other;
    int match;
  } cases[] = {
      {"first namesake", pair, 2, {{"c", "", ""}, {"b", "", ""}, {"b", "", ""}}, 2},
      {"row 1", pair, 1, {{"a", "9", ""}}, 1},
      {"no namesake", pair, 2, {{"a", "", ""}, {"c", "", ""}}, -1},
      {"case differs", pair, 1, {{"A", "", ""}}, -1},
      {"two empty panes", {}, 1, {}, 1},
      {"blank row against files", {}, 1, pair, -1},
      {"file against an empty pane", pair, 1, {}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(compare::MatchRow(Grid(c.source), c.sourceRow, Grid(c.other)), c.match);
  }
}

TEST(MatchRow, RowsCutByAReloadAreGone) {
  zolt::CellTable other = Grid({{"a", "", ""}, {"b", "", ""}, {"c", "", ""}});
  other.SetRowCount(3);
  const zolt::CellTable source = Grid({{"c", "", ""}, {"b", "", ""}});
  EXPECT_EQ(compare::MatchRow(source, 1, other), -1);
  EXPECT_EQ(compare::MatchRow(source, 2, other), 2);
}

TEST(CellTable, UnwrittenCellsReadEmptyAndColumnsAreSetBeforeAnyCell) {
  // The grid right after FormShow: the titles written, row 1 never.
  zolt::CellTable grid(3, 2);
  zolt::WriteTitles(grid);
  const struct {
    int col, row;
    const char* text;
  } cells[] = {{0, 0, "FileName"}, {2, 0, "DateTime"}, {0, 1, ""},  {2, 1, ""},
               {3, 0, ""},         {0, 2, ""},         {-1, 0, ""}, {0, 1000000, ""}};
  for (const auto& c : cells) {
    SCOPED_TRACE(std::to_string(c.col) + ", " + std::to_string(c.row));
    EXPECT_EQ(grid.Cell(c.col, c.row), c.text);
  }
  // A new grid takes the form's column count; once a cell is written it keeps its own.
  zolt::CellTable fresh(5, 5);
  fresh.SetColCount(3);
  fresh.SetCell(2, 4, "x");
  EXPECT_EQ(fresh.Cell(2, 4), "x");
  EXPECT_EQ(fresh.Cell(0, 2), "");
  fresh.SetRowCount(3);  // rows cut by a smaller row count read empty
  EXPECT_EQ(fresh.Cell(2, 4), "");
  EXPECT_THROW(grid.SetColCount(4), zolt::RangeError);
  EXPECT_THROW(grid.SetColCount(2), zolt::RangeError);
  grid.SetColCount(3);
  EXPECT_EQ(grid.Cell(1, 0), "Size");
}

TEST(PaintsMark, ColumnsByTheirBits) {
  const struct {
    int32_t fileCount;
    uint8_t mark;
    int row;
    bool cols[4];
  } cases[] = {
      {1, 0, 1, {false, false, false, false}},
      {1, zolt::MarkMissing, 1, {true, true, true, false}},
      {1, zolt::MarkSize, 1, {false, true, false, false}},
      {1, zolt::MarkDate, 1, {false, false, true, false}},
      {1, zolt::MarkSize | zolt::MarkDate, 1, {false, true, true, false}},
      {1, zolt::MarkName, 1, {true, false, false, false}},
      {1, zolt::MarkMissing, 0, {false, false, false, false}},  // the title row
      {0, zolt::MarkMissing, 1, {false, false, false, false}},  // no files: nothing
  };
  zolt::MarkArray marks;
  marks.Reset(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.fileCount) + " " + std::to_string(c.mark) + " " +
                 std::to_string(c.row));
    marks.At(0) = c.mark;
    for (int col = 0; col < 4; ++col) {
      EXPECT_EQ(compare::PaintsMark(c.fileCount, marks, col, c.row), c.cols[col]) << col;
    }
  }
  EXPECT_THROW(compare::PaintsMark(1, marks, 0, 2), zolt::RangeError);
}

}  // namespace
