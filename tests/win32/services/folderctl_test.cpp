// The folder controls' state over the real machine: navigation through a folder tree built here,
// with the process's current directory following the list, and the drive list from Wine's real
// drive table.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/drive_list.h"
#include "core/errors.h"
#include "core/folder_list.h"
#include "win32/os/os_win32.h"

namespace {

std::string ProcessDirectory() {
  char buffer[MAX_PATH];
  const DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
  return std::string(buffer, n);
}

// The folders a test makes, removed in reverse order afterwards (with a notes.txt in any of them),
// and the process's current directory put back.
class MadeFolders : public testing::Test {
 protected:
  void TearDown() override {
    SetCurrentDirectoryA(start_.c_str());
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
      SetFileAttributesA(it->c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((*it + "\\notes.txt").c_str());
      RemoveDirectoryA(it->c_str());
    }
  }
  void Make(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path << ": " << GetLastError();
    made_.push_back(path);
  }

  const std::string start_ = ProcessDirectory();
  std::vector<std::string> made_;
};

// A tree under the temp folder: T\A\B with subfolders X, Y and a hidden one, a file in B.
class Tree : public MadeFolders {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root_ = std::string(temp) + "zolt_folderctl_" + std::to_string(GetCurrentProcessId());
    for (const char* sub : {"", "\\A", "\\A\\B", "\\A\\B\\X", "\\A\\B\\Y", "\\A\\B\\Hid"}) {
      Make(root_ + sub);
    }
    SetFileAttributesA((root_ + "\\A\\B\\Hid").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CloseHandle(CreateFileA((root_ + "\\A\\B\\notes.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    root_ = ProcessDirectory();  // as the platform spells it
  }
  std::vector<std::string> Subfolders(const folders::FolderList& list) {
    std::vector<std::string> names;
    for (const auto& item : list.Items()) {
      if (item.kind == folders::FolderKind::kSubfolder) names.push_back(item.text);
    }
    return names;
  }

  std::string root_;
};

TEST_F(Tree, TheProcessDirectoryFollowsTheList) {
  folders::FolderList list(os::RealOs());
  EXPECT_EQ(list.CurrentFolder(), root_);
  const struct {
    std::string request, folder;
  } steps[] = {
      {"A\\B", root_ + "\\A\\B"},
      {root_ + "\\A\\B\\notes.txt", root_ + "\\A\\B"},
      {"X", root_ + "\\A\\B\\X"},
      {"..\\Y\\", root_ + "\\A\\B\\Y"},
      {root_ + "\\A\\B\\*.txt", root_ + "\\A\\B"},
      {root_.substr(0, 2) + "\\", root_.substr(0, 3)},
      {root_ + "\\A", root_ + "\\A"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.request);
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.SetCurrentFolder(s.request);
    EXPECT_EQ(list.CurrentFolder(), s.folder);
    EXPECT_EQ(ProcessDirectory(), s.folder);
    EXPECT_EQ(changes, 1);
  }
}

TEST_F(Tree, ItemsAndOpeningAncestors) {
  folders::FolderList list(os::RealOs());
  list.SetCurrentFolder("A\\B");
  EXPECT_EQ(Subfolders(list), (std::vector<std::string>{"X", "Y"}));
  const int current = list.CurrentIndex();
  EXPECT_EQ(list.Items()[size_t(current)].text, "B");
  EXPECT_EQ(list.DisplayText(current), "B");  // C: keeps the case of names
  EXPECT_EQ(list.Items()[size_t(current - 1)].text, "A");
  EXPECT_EQ(list.Items()[0].text, root_.substr(0, 3));
  EXPECT_EQ(list.ItemPath(current - 1), root_ + "\\A");

  list.SetSelected(current - 1);
  list.OpenSelected();
  EXPECT_EQ(list.CurrentFolder(), root_ + "\\A");
  EXPECT_EQ(ProcessDirectory(), root_ + "\\A");
  list.SetSelected(0);
  list.OpenSelected();
  EXPECT_EQ(ProcessDirectory(), root_.substr(0, 3));
}

TEST_F(Tree, FailedEntersLeaveTheListAndTheProcessWhereTheyWere) {
  folders::FolderList list(os::RealOs());
  list.SetCurrentFolder("A\\B");
  ASSERT_TRUE(RemoveDirectoryA((root_ + "\\A\\B\\Y").c_str()));  // the list still shows Y
  const auto items = list.Items();
  const struct {
    const char* name;
    std::string request;
    uint32_t code;
  } cases[] = {
      {"a deleted subfolder", root_ + "\\A\\B\\Y", 2},
      {"a missing path", "NOT\\THERE", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      list.SetCurrentFolder(c.request);
      ADD_FAILURE() << "no exception";
    } catch (const zolt::EInOutError& e) {
      EXPECT_EQ(e.ErrorCode(), c.code);
    }
    EXPECT_EQ(list.CurrentFolder(), root_ + "\\A\\B");
    EXPECT_EQ(ProcessDirectory(), root_ + "\\A\\B");
    EXPECT_EQ(list.Items().size(), items.size());
  }
}

TEST_F(Tree, SubfoldersDifferingOnlyInCaseShowOnce) {
  // Made natively by the test run, on a case-sensitive file system.
  const char* folders = std::getenv("ZOLT_CASE_FOLDERS");
  ASSERT_NE(folders, nullptr) << "run through ctest";
  std::string path = std::string("Z:") + folders;
  std::replace(path.begin(), path.end(), '/', '\\');
  folders::FolderList list(os::RealOs());
  list.SetCurrentFolder(path);
  const std::vector<std::string> names = Subfolders(list);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_TRUE(names[0] == "Data" || names[0] == "DATA") << names[0];
}

TEST_F(Tree, ShiftJisNameWithBackslashTrailByte) {
  if (GetACP() != 932) GTEST_SKIP() << "needs code page 932";
  const std::string hyou = "\x95\x5C";
  Make(root_ + "\\" + hyou);
  Make(root_ + "\\" + hyou + "\\sub");
  folders::FolderList list(os::RealOs());
  list.SetCurrentFolder(hyou + "\\sub");
  EXPECT_EQ(list.CurrentFolder(), root_ + "\\" + hyou + "\\sub");
  const int current = list.CurrentIndex();
  EXPECT_EQ(list.Items()[size_t(current - 1)].text, hyou);
  EXPECT_EQ(list.ItemPath(current - 1), root_ + "\\" + hyou);
  list.SetSelected(current - 1);
  list.OpenSelected();
  EXPECT_EQ(ProcessDirectory(), root_ + "\\" + hyou);
}

// At code page 932 a folder whose path is under 260 characters but over 259 bytes: C:\zl<pid>
// then two folders of 120 "ア" each. The process is in it during each test.
class LongShiftJisDirectory : public MadeFolders {
 protected:
  void SetUp() override {
    if (GetACP() != 932) GTEST_SKIP() << "needs code page 932";
    std::string a;
    for (int i = 0; i < 120; ++i) a += "\x83\x41";
    const std::string top = "C:\\zl" + std::to_string(GetCurrentProcessId());
    for (const std::string& path : {top, top + "\\" + a, top + "\\" + a + "\\" + a}) {
      ASSERT_NO_FATAL_FAILURE(Make(path));
    }
    ASSERT_GT(made_.back().size(), 259u);
    ASSERT_TRUE(SetCurrentDirectoryA(made_.back().c_str())) << GetLastError();
  }
};

TEST_F(LongShiftJisDirectory, ReadingItBackFailsWithTheNameTooLongCode) {
  std::string path;
  SetLastError(ERROR_ACCESS_DENIED);  // what an earlier call may have left
  EXPECT_FALSE(os::RealOs().ReadCurrentDirectory(path));
  EXPECT_EQ(os::RealOs().LastError(), 206u);
}

TEST_F(LongShiftJisDirectory, FolderListStartsAtTheRootOfTheProcessDrive) {
  folders::FolderList list(os::RealOs());
  EXPECT_EQ(list.CurrentFolder(), "C:\\");
  EXPECT_EQ(ProcessDirectory(), "C:\\");
  list.Rebuild();
  ASSERT_FALSE(list.Items().empty());
  EXPECT_EQ(list.Items()[0].text, "C:\\");
  EXPECT_EQ(list.Items()[0].kind, folders::FolderKind::kCurrent);
}

TEST(RealDriveTable, EveryDriveWithAKnownTypeHasItsEntry) {
  folders::DriveList list(os::RealOs());
  const UINT previous = SetErrorMode(0x8000);
  list.Rebuild();
  EXPECT_EQ(SetErrorMode(previous), 0x8000u);
  const struct {
    UINT type;
    folders::DriveGlyph glyph;
  } glyphs[] = {{DRIVE_REMOVABLE, folders::DriveGlyph::kFloppy},
                {DRIVE_FIXED, folders::DriveGlyph::kHard},
                {DRIVE_REMOTE, folders::DriveGlyph::kNetwork},
                {DRIVE_CDROM, folders::DriveGlyph::kCdRom},
                {DRIVE_RAMDISK, folders::DriveGlyph::kRam}};
  size_t at = 0;
  const DWORD mask = GetLogicalDrives();
  for (int n = 0; n < 26; ++n) {
    if (!(mask & (1u << n))) continue;
    const char letter = static_cast<char>('a' + n);
    const UINT type = GetDriveTypeA((std::string(1, letter) + ":\\").c_str());
    SCOPED_TRACE(std::string(1, letter) + " type " + std::to_string(type));
    for (const auto& g : glyphs) {
      if (g.type != type) continue;
      ASSERT_LT(at, list.Entries().size());
      const auto& entry = list.Entries()[at++];
      EXPECT_EQ(entry.text.substr(0, 2), std::string(1, letter) + ":");
      EXPECT_EQ(entry.glyph, g.glyph);
      if (type != DRIVE_REMOVABLE && type != DRIVE_REMOTE) {
        EXPECT_EQ(entry.text.substr(2, 2), " [");
        EXPECT_EQ(entry.text.back(), ']');
      }
    }
  }
  EXPECT_EQ(at, list.Entries().size());
  // The default prefix has C: and Z: as fixed drives.
  EXPECT_GE(list.Entries().size(), 2u);
  EXPECT_EQ(list.Entries().front().text.substr(0, 2), "c:");
  const char drive = ProcessDirectory()[0];
  EXPECT_EQ(list.CurrentDrive(),
            static_cast<char>(drive >= 'A' && drive <= 'Z' ? drive + 32 : drive));
}

}  // namespace
