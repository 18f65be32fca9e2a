#include "core/listing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/pane.h"
#include "win32/os/os_win32.h"

namespace {

// A folder under the temp folder, made for one test and removed with all it holds.
class TempFolder {
 public:
  TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static int made = 0;
    path_ = std::string(temp) + "zolt_listing_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(++made) + "\\";
    created_ = CreateDirectoryA(path_.c_str(), nullptr) != 0;
  }
  ~TempFolder() { Remove(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  bool Created() const { return created_; }
  const std::string& Path() const { return path_; }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = folder + name;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(full + "\\");
        } else {
          DeleteFileA(full.c_str());
        }
      } while (FindNextFileA(search, &data));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string path_;
  bool created_ = false;
};

FILETIME Utc(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms) {
  const SYSTEMTIME st{year, month, 0, day, hour, minute, second, ms};  // no day of the week
  FILETIME ft{};
  SystemTimeToFileTime(&st, &ft);
  return ft;
}

// Makes a file of size bytes (sparse past what is written) with a last-write time, then gives it
// its attributes (read-only last, or the time could not be set).
bool MakeFile(const std::string& path, uint64_t size, const FILETIME* lastWrite, DWORD attributes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  if (size > 0) {
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  }
  if (ok && lastWrite) ok = SetFileTime(file, nullptr, nullptr, lastWrite) != 0;
  CloseHandle(file);
  return ok && SetFileAttributesA(path.c_str(), attributes);
}

std::string Separator(LCTYPE item, const char* fallback) {
  char buffer[16];
  const int length = GetLocaleInfoA(GetThreadLocale(), item, buffer, sizeof buffer);
  return length > 1 ? std::string(buffer) : std::string(fallback);
}

// The listing's date-time text, worked out with the platform's own calendar conversion.
std::string ExpectedDateTime(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME st;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return "?";
  const std::string d = Separator(LOCALE_SDATE, "/"), t = Separator(LOCALE_STIME, ":");
  char text[64];
  std::snprintf(text, sizeof text, "%04u%s%02u%s%02u %02u%s%02u%s%02u", st.wYear, d.c_str(),
                st.wMonth, d.c_str(), st.wDay, st.wHour, t.c_str(), st.wMinute, t.c_str(),
                st.wSecond & ~1u);
  return text;
}

struct Listed {
  std::string size, dateTime;
};

// What the folder should list, read with a search of the test's own.
std::vector<std::pair<std::string, Listed>> ExpectedRows(const std::string& folder) {
  std::vector<std::pair<std::string, Listed>> rows;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return rows;
  do {
    if (data.dwFileAttributes &
        (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x08)) {
      continue;
    }
    const unsigned long long size =
        (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rows.push_back(
        {data.cFileName, {std::to_string(size), ExpectedDateTime(data.ftLastWriteTime)}});
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return rows;
}

TEST(ListFolderReal, ListsPlainFilesWithTheirTexts) {
  TempFolder folder;
  ASSERT_TRUE(folder.Created());
  const std::string& dir = folder.Path();
  const FILETIME odd = Utc(2004, 3, 15, 9, 5, 7, 500);
  const FILETIME in1975 = Utc(1975, 6, 1, 12, 0, 3, 0);
  const FILETIME later = Utc(2010, 7, 1, 10, 20, 30, 0);
  // Past 2107 Wine still packs the time, its year wrapped by 128 (2110 as 1982).
  const FILETIME in2110 = Utc(2110, 1, 1, 12, 0, 0, 0);
  const bool shiftJis = GetACP() == 932;
  // 表示.txt in Shift-JIS: the trail byte of 表 is "\".
  const std::string japanese = "\x95\x5C\x8E\xA6.txt";
  const uint64_t sparseSize = (1ull << 32) + 4097;

  ASSERT_TRUE(MakeFile(dir + "plain.txt", 3, &odd, FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(MakeFile(dir + "readonly.txt", 10, &later, FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(MakeFile(dir + "hidden.txt", 1, &later, FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(MakeFile(dir + "system.txt", 1, &later, FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(CreateDirectoryA((dir + "sub").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(dir + "sub\\inner.txt", 1, &later, FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(MakeFile(dir + "sparse.bin", sparseSize, &later, FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(MakeFile(dir + "old1975.txt", 0, &in1975, FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(MakeFile(dir + "new2110.txt", 0, &in2110, FILE_ATTRIBUTE_ARCHIVE));
  if (shiftJis) {
    ASSERT_TRUE(MakeFile(dir + japanese, 7, &odd, FILE_ATTRIBUTE_ARCHIVE));
  }

  os::Os& real = os::RealOs();
  zolt::CellTable grid(3, 2);
  zolt::WriteTitles(grid);
  const int32_t count = listing::ListFolder(real, grid, dir, listing::DateTimeFormat(real));

  std::map<std::string, Listed> listed;
  std::vector<std::pair<std::string, Listed>> rows;
  for (int row = 1; row < grid.RowCount(); ++row) {
    const Listed texts{std::string(grid.Cell(1, row)), std::string(grid.Cell(2, row))};
    listed[std::string(grid.Cell(0, row))] = texts;
    rows.push_back({std::string(grid.Cell(0, row)), texts});
  }
  const int32_t files = shiftJis ? 6 : 5;
  EXPECT_EQ(count, files);
  EXPECT_EQ(grid.RowCount(), files + 1);
  EXPECT_EQ(listed.count("hidden.txt"), 0u);
  EXPECT_EQ(listed.count("system.txt"), 0u);
  EXPECT_EQ(listed.count("sub"), 0u);
  EXPECT_EQ(listed.count("inner.txt"), 0u);

  ASSERT_EQ(listed.count("plain.txt"), 1u);
  EXPECT_EQ(listed["plain.txt"].size, "3");
  EXPECT_EQ(listed["plain.txt"].dateTime, ExpectedDateTime(odd));
  EXPECT_EQ(listed["plain.txt"].dateTime.back(), '6') << "the odd second 07 shows as 06";
  ASSERT_EQ(listed.count("readonly.txt"), 1u);
  EXPECT_EQ(listed["readonly.txt"].size, "10");
  EXPECT_EQ(listed["readonly.txt"].dateTime, ExpectedDateTime(later));
  ASSERT_EQ(listed.count("sparse.bin"), 1u);
  EXPECT_EQ(listed["sparse.bin"].size, "4294971393");
  ASSERT_EQ(listed.count("old1975.txt"), 1u);
  EXPECT_EQ(listed["old1975.txt"].size, "0");
  EXPECT_EQ(listed["old1975.txt"].dateTime, ExpectedDateTime(in1975));
  EXPECT_EQ(listed["old1975.txt"].dateTime.substr(0, 4), "1975");
  ASSERT_EQ(listed.count("new2110.txt"), 1u);
  EXPECT_EQ(listed["new2110.txt"].dateTime, ExpectedDateTime(in2110));
  EXPECT_EQ(listed["new2110.txt"].dateTime.substr(0, 4), "2110");
  if (shiftJis) {
    ASSERT_EQ(listed.count(japanese), 1u);
    EXPECT_EQ(listed[japanese].size, "7");
    EXPECT_EQ(listed[japanese].dateTime, ExpectedDateTime(odd));
  }

  // Same rows in the same order as a plain search of the folder.
  const auto expected = ExpectedRows(dir);
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(expected[i].first);
    EXPECT_EQ(rows[i].first, expected[i].first);
    EXPECT_EQ(rows[i].second.size, expected[i].second.size);
    EXPECT_EQ(rows[i].second.dateTime, expected[i].second.dateTime);
  }
}

TEST(ListFolderReal, MissingOrFolderOnlyListsAsEmpty) {
  TempFolder folder;
  ASSERT_TRUE(folder.Created());
  ASSERT_TRUE(CreateDirectoryA((folder.Path() + "a").c_str(), nullptr));
  os::Os& real = os::RealOs();
  const listing::DateTimeFormat format(real);
  for (const std::string& path : {folder.Path(), folder.Path() + "missing\\"}) {
    SCOPED_TRACE(path);
    zolt::CellTable grid(3, 4);
    for (int row = 1; row < 4; ++row) grid.SetCell(0, row, "old");
    EXPECT_EQ(listing::ListFolder(real, grid, path, format), 0);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(0, 1), "");
  }
}

}  // namespace
