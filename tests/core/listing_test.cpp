#include "core/listing.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/errors.h"
#include "core/pane.h"
#include "support/fake_os.h"

namespace {

constexpr os::FileTime kTicksPerSecond = 10000000;

std::vector<std::string> Names(const zolt::CellTable& grid) {
  std::vector<std::string> names;
  for (int row = 1; row < grid.RowCount(); ++row) names.emplace_back(grid.Cell(0, row));
  return names;
}

// A grid showing an earlier listing of rows files.
zolt::CellTable OldListing(int rows) {
  zolt::CellTable grid(3, rows + 1);
  zolt::WriteTitles(grid);
  for (int row = 1; row <= rows; ++row) {
    for (int col = 0; col < 3; ++col) grid.SetCell(col, row, "old" + std::to_string(row));
  }
  return grid;
}

void ExpectEmptyPane(const zolt::CellTable& grid) {
  EXPECT_EQ(grid.RowCount(), 2);
  for (int col = 0; col < 3; ++col) EXPECT_EQ(grid.Cell(col, 1), "") << col;
  EXPECT_EQ(grid.Cell(0, 0), "FileName");
}

TEST(ListFolder, AttributeFilterKeepsPlainFilesInSearchOrder) {
  const struct {
    const char* name;
    uint32_t attributes;
    bool folder, listed;
  } entries[] = {
      {"archive.txt", os::kAttrArchive, false, true},
      {"readonly.txt", os::kAttrReadOnly, false, true},
      {"both.txt", os::kAttrReadOnly | os::kAttrArchive, false, true},
      {"normal.txt", os::kAttrNormal, false, true},
      {"none.txt", 0, false, true},
      {"temporary.tmp", 0x100, false, true},
      {"reparse.lnk", 0x400 | os::kAttrArchive, false, true},
      {"compressed.z", 0x800, false, true},
      {"offline.dat", 0x1000, false, true},
      {"hidden.txt", os::kAttrHidden, false, false},
      {"hiddenro.txt", os::kAttrHidden | os::kAttrReadOnly, false, false},
      {"system.sys", os::kAttrSystem | os::kAttrArchive, false, false},
      {"label", os::kAttrVolumeLabel, false, false},
      {"sub", os::kAttrDirectory, true, false},
      {"rosub", os::kAttrDirectory | os::kAttrReadOnly, true, false},
      {"z-last.txt", os::kAttrArchive, false, true},
      {"a-first-name-last-row.txt", os::kAttrArchive, false, true},
  };
  fake::Machine os;
  std::vector<std::string> expected;
  for (const auto& e : entries) {
    const std::string path = std::string("C:\\DATA\\") + e.name;
    if (e.folder) {
      os.AddFolder(path, e.attributes);
    } else {
      os.AddFile(path, 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 6), e.attributes);
    }
    if (e.listed) expected.push_back(e.name);
  }
  zolt::CellTable grid(3, 2);
  const int32_t count = listing::ListFolder(os, grid, "C:\\DATA\\", listing::DateTimeFormat(os));
  EXPECT_EQ(count, static_cast<int32_t>(expected.size()));
  EXPECT_EQ(grid.RowCount(), count + 1);
  EXPECT_EQ(Names(grid), expected);
}

TEST(ListFolder, DateTimeTextIsLocalInTwoSecondSteps) {
  const struct {
    const char* what;
    os::FileTime utc;
    int offsetMinutes;
    const char* text;
  } cases[] = {
      {"even second", fake::MakeFileTime(2004, 3, 15, 9, 5, 6), 0, "2004/03/15 09:05:06"},
      {"odd second", fake::MakeFileTime(2004, 3, 15, 9, 5, 7), 0, "2004/03/15 09:05:06"},
      {"just before the next step", fake::MakeFileTime(2004, 3, 15, 9, 5, 7) + kTicksPerSecond - 1,
       0, "2004/03/15 09:05:06"},
      {"second 59", fake::MakeFileTime(2004, 3, 15, 9, 5, 59), 0, "2004/03/15 09:05:58"},
      {"offset east", fake::MakeFileTime(2004, 3, 15, 0, 5, 7), 540, "2004/03/15 09:05:06"},
      {"offset crosses the year", fake::MakeFileTime(2004, 12, 31, 23, 30, 1), 60,
       "2005/01/01 00:30:00"},
      {"offset west", fake::MakeFileTime(2004, 3, 15, 3, 0, 0), -300, "2004/03/14 22:00:00"},
      {"first packed second", fake::MakeFileTime(1980, 1, 1, 0, 0, 0), 0, "1980/01/01 00:00:00"},
      {"last packed second", fake::MakeFileTime(2107, 12, 31, 23, 59, 59), 0,
       "2107/12/31 23:59:58"},
      {"1975", fake::MakeFileTime(1975, 6, 1, 12, 0, 3), 0, "1975/06/01 12:00:02"},
      {"just before 1980", fake::MakeFileTime(1979, 12, 31, 23, 59, 59), 0, "1979/12/31 23:59:58"},
      {"1980 in UTC, 1979 locally", fake::MakeFileTime(1980, 1, 1, 0, 30, 0), -60,
       "1979/12/31 23:30:00"},
      {"leap day before 1980", fake::MakeFileTime(1972, 2, 29, 12, 0, 1), 0, "1972/02/29 12:00:00"},
      {"after 2107", fake::MakeFileTime(2108, 1, 1, 0, 0, 1), 0, "2108/01/01 00:00:00"},
      {"zero file time", 0, 0, "1601/01/01 00:00:00"},
      {"largest file time", 0x7FFFFFFFFFFFFFFFull, 0, "30828/09/14 02:48:04"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake::Machine os;
    os.SetOffsetMinutes(c.offsetMinutes);
    os.AddFile("C:\\DATA\\f.txt", 1, c.utc);
    zolt::CellTable grid(3, 2);
    ASSERT_EQ(listing::ListFolder(os, grid, "C:\\DATA\\", listing::DateTimeFormat(os)), 1);
    EXPECT_EQ(grid.Cell(2, 1), c.text);
  }
}

TEST(ListFolder, OffsetInForceAtListingTimeMovesTheText) {
  fake::Machine os;
  os.AddFile("C:\\DATA\\f.txt", 1, fake::MakeFileTime(2004, 1, 10, 0, 30, 0));
  const listing::DateTimeFormat format(os);
  zolt::CellTable grid(3, 2);
  os.SetOffsetMinutes(60);  // winter time
  listing::ListFolder(os, grid, "C:\\DATA\\", format);
  EXPECT_EQ(grid.Cell(2, 1), "2004/01/10 01:30:00");
  os.SetOffsetMinutes(120);  // summer time began in between, the file's own date did not move
  listing::ListFolder(os, grid, "C:\\DATA\\", format);
  EXPECT_EQ(grid.Cell(2, 1), "2004/01/10 02:30:00");
}

TEST(ListFolder, SizeTextIsTheFull64BitNumber) {
  const struct {
    uint64_t size;
    const char* text;
  } cases[] = {
      {0, "0"},
      {1, "1"},
      {2147483647ull, "2147483647"},
      {2147483648ull, "2147483648"},
      {4294967295ull, "4294967295"},
      {4294967296ull, "4294967296"},
      {4294967297ull, "4294967297"},
      {5 * 4294967296ull + 7, "21474836487"},
      {9223372036854775808ull, "9223372036854775808"},
      {18446744073709551615ull, "18446744073709551615"},
  };
  fake::Machine os;
  for (const auto& c : cases) os.AddFile("C:\\DATA\\" + std::string(c.text) + ".bin", c.size);
  zolt::CellTable grid(3, 2);
  ASSERT_EQ(listing::ListFolder(os, grid, "C:\\DATA\\", listing::DateTimeFormat(os)),
            static_cast<int32_t>(std::size(cases)));
  for (int row = 1; row < grid.RowCount(); ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(grid.Cell(1, row), cases[row - 1].text);
  }
}

TEST(ListFolder, NothingToListGivesOneBlankRow) {
  const struct {
    const char* what;
    const char* folder;
  } cases[] = {
      {"only subfolders", "C:\\DATA\\"},
      {"does not exist", "C:\\NOWHERE\\"},
      {"drive that does not exist", "Q:\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake::Machine os;
    os.AddFolder("C:\\DATA\\A");
    os.AddFolder("C:\\DATA\\B", os::kAttrDirectory | os::kAttrHidden);
    os.AddFile("C:\\DATA\\B\\inner.txt");
    zolt::CellTable grid = OldListing(4);
    EXPECT_EQ(listing::ListFolder(os, grid, c.folder, listing::DateTimeFormat(os)), 0);
    ExpectEmptyPane(grid);
    EXPECT_EQ(os.openSearches, 0);
  }
}

TEST(ListFolder, OneSearchOverTheFolderClosedAfterwards) {
  fake::Machine os;
  for (int i = 0; i < 5; ++i) os.AddFile("C:\\DATA\\f" + std::to_string(i));
  os.AddFolder("C:\\DATA\\sub");
  zolt::CellTable grid(3, 2);
  EXPECT_EQ(listing::ListFolder(os, grid, "C:\\DATA\\", listing::DateTimeFormat(os)), 5);
  EXPECT_EQ(os.findCalls, 1);
  EXPECT_EQ(os.lastPattern, "C:\\DATA\\*.*");
  EXPECT_EQ(os.nextCalls, 2 + 6 + 1);  // ".", "..", five files, one subfolder, the end
  EXPECT_EQ(os.openSearches, 0);
}

TEST(ListFolder, SearchFailureThrowsButNotTheEndOrNothingThereAtTheStart) {
  const auto start = fake::Service::kFindFiles, step = fake::Service::kFindNext;
  const std::vector<std::string> old = {"old1", "old2", "old3"}, two = {"f0", "f1", "old3"};
  const char* const denied = "ファイルへのアクセスが拒否されました";
  const struct {
    const char* what;
    fake::Service service;
    uint32_t code;
    int after;            // steps that succeed first: ".", "..", then the files
    int32_t count;        // -1: none returned
    const char* message;  // nullptr: no failure, what was found is the listing
    std::vector<std::string> names;
  } cases[] = {
      {"no access at the start", start, 5, 0, -1, denied, old},
      {"network name gone at the start", start, 64, 0, -1, "I/O エラー (64)", old},
      {"no match at the start", start, 2, 0, 0, nullptr, {""}},
      {"path not found at the start", start, 3, 0, 0, nullptr, {""}},
      {"no access after two files", step, 5, 4, -1, denied, two},
      {"network name gone after two files", step, 64, 4, -1, "I/O エラー (64)", two},
      {"path not found after two files", step, 3, 4, -1, "不正なファイル名です", two},
      {"no more files after two files", step, 18, 4, 2, nullptr, {"f0", "f1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fake::Machine os;
    for (int i = 0; i < 5; ++i) os.AddFile("C:\\DATA\\f" + std::to_string(i));
    os.Fail(c.service, c.code, 1, c.after);
    zolt::CellTable grid = OldListing(3);
    int32_t count = -1;
    std::string message;
    try {
      count = listing::ListFolder(os, grid, "C:\\DATA\\", listing::DateTimeFormat(os));
    } catch (const zolt::EInOutError& e) {
      EXPECT_EQ(e.ErrorCode(), c.code);
      message = e.what();
    }
    EXPECT_EQ(message, c.message ? c.message : "");
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(Names(grid), c.names);
    EXPECT_EQ(os.nextCalls, c.after + 1) << "stops at the first failure";
    EXPECT_EQ(os.openSearches, 0);
  }
}

TEST(ListFolder, ReloadShowsOnlyTheNewRows) {
  // Enough old rows that dropping them makes the grid pack its texts anew.
  fake::Machine os;
  for (int i = 0; i < 300; ++i) os.AddFile("C:\\MANY\\" + std::to_string(1000 + i), 4);
  os.AddFile("C:\\TWO\\y", 10, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
  os.AddFile("C:\\TWO\\x", 20);
  os.AddFolder("C:\\NONE\\sub");
  const listing::DateTimeFormat format(os);
  zolt::CellTable grid(3, 2);
  zolt::WriteTitles(grid);
  ASSERT_EQ(listing::ListFolder(os, grid, "C:\\MANY\\", format), 300);
  ASSERT_EQ(grid.RowCount(), 301);
  ASSERT_EQ(listing::ListFolder(os, grid, "C:\\TWO\\", format), 2);
  EXPECT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(Names(grid), (std::vector<std::string>{"y", "x"}));
  EXPECT_EQ(grid.Cell(1, 1), "10");
  EXPECT_EQ(grid.Cell(1, 2), "20");
  EXPECT_EQ(grid.Cell(0, 0), "FileName");
  EXPECT_EQ(grid.Cell(2, 1), "2004/03/15 09:05:06");
  ASSERT_EQ(listing::ListFolder(os, grid, "C:\\NONE\\", format), 0);
  ExpectEmptyPane(grid);
}

TEST(ListFolder, DateErrorLeavesTheOldRowCountOverTheRowsWritten) {
  fake::Machine os;
  for (const char* name : {"n1", "n2", "n3"}) os.AddFile(std::string("C:\\DATA\\") + name);
  os.Fail(fake::Service::kFileTimeToLocal, 0, 1, 1);  // the second file's time has no local form
  zolt::CellTable grid = OldListing(5);
  int32_t fileCount = 5;
  zolt::MarkArray marks;
  marks.Reset(5);
  marks.At(0) = zolt::MarkMissing;
  try {
    listing::LoadPane(os, grid, "C:\\DATA\\", listing::DateTimeFormat(os), {fileCount, marks});
    ADD_FAILURE() << "no date error";
  } catch (const zolt::DateTimeError& e) {
    EXPECT_STREQ(e.what(), "日付に変換できない値が渡されました");
  }
  EXPECT_EQ(grid.RowCount(), 6);
  EXPECT_EQ(grid.Cell(0, 1), "n1");
  EXPECT_EQ(grid.Cell(0, 3), "old3");
  EXPECT_EQ(os.openSearches, 0);
  EXPECT_EQ(fileCount, 5);
  EXPECT_EQ(marks.Bytes(), (std::vector<uint8_t>{255, 0, 0, 0, 0}));
}

TEST(ListFolder, SeparatorsFromTheSettingsReadWhenAsked) {
  const struct {
    const char* date;
    const char* time;
    bool readFails;
    const char* text;
  } cases[] = {
      {"/", ":", false, "2004/03/15 09:05:06"},    {"-", ".", false, "2004-03-15 09.05.06"},
      {".", "", false, "2004.03.15 09:05:06"},     {"", "", false, "2004/03/15 09:05:06"},
      {"--", "h", false, "2004--03--15 09h05h06"}, {"-", ".", true, "2004/03/15 09:05:06"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.date) + " " + c.time);
    fake::Machine os;
    os.AddFile("C:\\DATA\\f", 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 7));
    listing::DateTimeFormat format(os);  // read at start: "/" and ":"
    os.SetSeparators(c.date, c.time);
    if (c.readFails) os.Fail(fake::Service::kLocaleSeparator, 87);
    zolt::CellTable grid(3, 2);
    listing::ListFolder(os, grid, "C:\\DATA\\", format);
    EXPECT_EQ(grid.Cell(2, 1), "2004/03/15 09:05:06") << "kept until read again";
    format.SettingsChanged(os);
    EXPECT_EQ(os.localeResets, 1);
    listing::ListFolder(os, grid, "C:\\DATA\\", format);
    EXPECT_EQ(grid.Cell(2, 1), c.text);
  }
}

TEST(LoadPane, CountMarksAndStatus) {
  const struct {
    int files;
    const char* status;
  } cases[] = {{0, " No File"}, {1, " 1 Files"}, {3, " 3 Files"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.files);
    fake::Machine os;
    os.AddFolder("C:\\DATA");
    for (int i = 0; i < c.files; ++i) os.AddFile("C:\\DATA\\f" + std::to_string(i));
    zolt::CellTable grid = OldListing(2);
    int32_t fileCount = 2;
    zolt::MarkArray marks;
    marks.Reset(2);
    marks.At(0) = zolt::MarkMissing;
    marks.At(1) = zolt::MarkDate;
    EXPECT_EQ(
        listing::LoadPane(os, grid, "C:\\DATA\\", listing::DateTimeFormat(os), {fileCount, marks}),
        c.status);
    EXPECT_EQ(fileCount, c.files);
    EXPECT_EQ(marks.Bytes(), std::vector<uint8_t>(static_cast<size_t>(c.files), 0));
    EXPECT_EQ(grid.RowCount(), c.files == 0 ? 2 : c.files + 1);
  }
}

TEST(StatusText, CountOrNoFile) {
  const struct {
    int32_t count;
    const char* text;
  } cases[] = {
      {0, " No File"},
      {1, " 1 Files"},
      {2, " 2 Files"},
      {100000, " 100000 Files"},
      {2147483647, " 2147483647 Files"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(listing::StatusText(c.count), c.text);
  }
}

TEST(Pane, TitlesAndTheNoFileShape) {
  zolt::CellTable grid(3, 2);
  zolt::WriteTitles(grid);
  EXPECT_EQ(grid.Cell(0, 0), "FileName");
  EXPECT_EQ(grid.Cell(1, 0), "Size");
  EXPECT_EQ(grid.Cell(2, 0), "DateTime");
  const struct {
    int rows;
    const char* name1;
    bool noFile;
  } cases[] = {{2, "", true}, {2, "a", false}, {3, "", false}, {5, "a", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.rows) + c.name1);
    grid.SetRowCount(c.rows);
    grid.SetCell(0, 1, c.name1);
    EXPECT_EQ(zolt::ShowsNoFile(grid), c.noFile);
  }
}

}  // namespace
