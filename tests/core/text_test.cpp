#include "core/text.h"

#include <gtest/gtest.h>

#include "support/fake_os.h"

namespace {

// "表" in Shift-JIS is 0x95 0x5C: its trail byte is the backslash.
const std::string kHyou = "\x95\x5C";

TEST(Backslash, TrailByteIsNeverASeparator) {
  fake::Machine os;
  os.SetDoubleByte(true);
  const std::string path = "C:\\" + kHyou + "\\x";
  EXPECT_EQ(text::FindFirstBackslash(os, path), 2u);
  EXPECT_EQ(text::FindFirstBackslash(os, path, 3), 5u);
  EXPECT_EQ(text::FindLastBackslash(os, path), 5u);
  EXPECT_FALSE(text::EndsWithBackslash(os, "C:\\" + kHyou));
  EXPECT_EQ(text::LastComponent(os, "C:\\" + kHyou), kHyou);
  EXPECT_EQ(text::JoinPath(os, "C:\\" + kHyou, "a"), "C:\\" + kHyou + "\\a");

  os.SetDoubleByte(false);  // under code page 1252 the same bytes are two characters
  EXPECT_TRUE(text::EndsWithBackslash(os, "C:\\" + kHyou));
  EXPECT_EQ(text::FindFirstBackslash(os, path, 3), 4u);
}

TEST(Paths, DrivePartJoinAndLastComponent) {
  fake::Machine os;
  const struct {
    const char* path;
    const char* drive;
    const char* last;
  } cases[] = {
      {"C:\\DATA\\2001", "C:", "2001"},
      {"C:\\", "C:", ""},
      {"c:", "c:", ""},
      {"C:x.txt", "C:", "x.txt"},
      {"\\\\server\\share\\dir", "\\\\server\\share", "dir"},
      {"\\\\server\\share", "\\\\server\\share", "share"},
      {"\\\\server", "\\\\server", "server"},
      {"DATA", "", "DATA"},
      {"\\DATA\\x", "", "x"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(text::DrivePart(os, c.path), c.drive);
    EXPECT_EQ(text::LastComponent(os, c.path), c.last);
  }
  EXPECT_EQ(text::JoinPath(os, "C:\\", "a"), "C:\\a");
  EXPECT_EQ(text::JoinPath(os, "C:\\DATA", "a"), "C:\\DATA\\a");
}

TEST(FileNameCaseFolding, AsciiOnlyOnDoubleByteSystems) {
  fake::Machine os;
  // A full-width A (0x82 0x60) keeps both bytes; 0xE0 0x58 is one character whose trail is "X".
  const std::string mixed = "\x82\x60" "AB\xE0" "X";
  os.SetDoubleByte(true);
  EXPECT_EQ(text::FoldFileName(os, mixed), "\x82\x60" "ab\xE0" "X");
  EXPECT_EQ(text::FoldFileName(os, "\x83\x41"), "\x83\x41");  // "ア": trail 'A' stays
  os.SetDoubleByte(false);
  EXPECT_EQ(text::FoldFileName(os, "SYSTEM\xC9"), "system\xE9");
}

TEST(ExactText, NoFoldingNoTrimming) {
  EXPECT_TRUE(text::SameText("a.txt", "a.txt"));
  EXPECT_FALSE(text::SameText("A.TXT", "a.txt"));
  EXPECT_FALSE(text::SameText("a.txt ", "a.txt"));
  EXPECT_TRUE(text::SameText("", ""));
}

}  // namespace
