#include "core/errors.h"

#include <gtest/gtest.h>

#include "support/fake_os.h"

namespace {

TEST(InOutError, MessageChosenByCode) {
  const struct {
    uint32_t code;
    const char* message;
  } cases[] = {
      {2, "ファイルが見つかりません"},
      {3, "不正なファイル名です"},
      {4, "オープンしたファイルが多すぎます"},
      {5, "ファイルへのアクセスが拒否されました"},
      {100, "ファイルの末尾以降を読み込みました"},
      {101, "ディスクがいっぱいです"},
      {106, "入力値が数値ではありません"},
      {21, "I/O エラー (21)"},
      {0, "I/O エラー (0)"},
      {267, "I/O エラー (267)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    zolt::EInOutError error(c.code);
    EXPECT_EQ(error.ErrorCode(), c.code);
    EXPECT_STREQ(error.what(), c.message);
  }
}

TEST(RunTimeErrors, JapaneseMessages) {
  EXPECT_STREQ(zolt::RangeError().what(), "範囲チェックエラー");
  EXPECT_STREQ(zolt::OverflowError().what(), "整数のオーバーフロー");
  EXPECT_STREQ(zolt::DateTimeError::Date().what(), "日付に変換できない値が渡されました");
  EXPECT_STREQ(zolt::DateTimeError::Time().what(), "時刻に変換できない値が渡されました");
}

TEST(ErrorBox, TitleFromProgramFileName) {
  // "アイ" is 0x83 0x41 0x83 0x43 and "表" 0x95 0x5C in Shift-JIS: trail bytes that read as "A",
  // "C" and "\" on their own.
  const struct {
    const char* path;
    bool doubleByte;
    const char* title;
  } cases[] = {
      {"C:\\BIN\\ZOLT.EXE", false, "Zolt"},
      {"C:\\bin\\zolt.exe", false, "zolt"},
      {"Z:\\x\\ZoLT.Tool.exe", false, "Zolt"},
      {"ZOLT", false, "Zolt"},
      {"C:\\a.b\\TOOL", false, "Tool"},
      {"", false, ""},
      {"C:\\BIN\\Z\xD6LT.EXE", false, "Z\xF6lt"},
      {"C:\\BIN\\\x83\x41\x83\x43.exe", true, "\x83\x41\x83\x43"},
      {"C:\\BIN\\\x95\x5C.exe", true, "\x95\x5C"},
      {"C:\\\x95\x5C\\ZOLT\x82\x60.EXE", true, "Zolt\x82\x60"},
  };
  fake::Machine os;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    os.SetDoubleByte(c.doubleByte);
    EXPECT_EQ(zolt::ApplicationTitle(os, c.path), c.title);
  }
}

TEST(ErrorBox, PeriodAppendedUnlessLastCharSortsAtOrBeforeIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"範囲チェックエラー", "範囲チェックエラー."},
      {"I/O エラー (21)", "I/O エラー (21)"},
      {"Done.", "Done."},
      {"a-", "a-"},
      {"a/", "a/."},
      {"abc", "abc."},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(zolt::ErrorBoxText(c.message), c.shown);
  }
}

TEST(CheckedArithmetic, OverflowRaises) {
  EXPECT_EQ(zolt::CheckedAdd(2147483646, 1), 2147483647);
  EXPECT_THROW(zolt::CheckedAdd(2147483647, 1), zolt::OverflowError);
  EXPECT_THROW(zolt::CheckedAdd(-2147483647 - 1, -1), zolt::OverflowError);
}

}  // namespace
