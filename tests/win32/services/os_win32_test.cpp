#include "win32/os/os_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/fake_os.h"

namespace {

TEST(RealOs, CurrentDirectoryFollowsEveryEnter) {
  os::Os& real = os::RealOs();
  std::string start, now;
  ASSERT_TRUE(real.ReadCurrentDirectory(start));
  ASSERT_TRUE(real.EnterDirectory("C:\\"));
  ASSERT_TRUE(real.ReadCurrentDirectory(now));
  EXPECT_EQ(now, "C:\\");
  EXPECT_FALSE(real.EnterDirectory("C:\\no such folder here"));
  EXPECT_EQ(real.LastError(), os::kErrorFileNotFound);
  ASSERT_TRUE(real.ReadCurrentDirectory(now));
  EXPECT_EQ(now, "C:\\");
  ASSERT_TRUE(real.EnterDirectory(start));
}

TEST(RealOs, CodePageMatchesTheLocale) {
  // The suite runs once per code page; each run must see the one the locale gives.
  const UINT acp = GetACP();
  EXPECT_TRUE(acp == 1252 || acp == 932) << acp;
  EXPECT_EQ(os::RealOs().DoubleByteSystem(), acp == 932);
  EXPECT_EQ(os::RealOs().IsLeadByte(0x95), acp == 932);
}

TEST(RealOs, TheFakeMachineLowersTextAsTheRealOneDoes) {
  const UINT acp = GetACP();
  fake::Machine machine;
  machine.SetDoubleByte(acp == 932);
  const struct {
    const char* what;
    const char* text;
    UINT onlyAt;  // 0: at either code page
  } cases[] = {
      {"ASCII", "ABC xyz [Z]", 0},
      {"full-width Latin", "\x82\x60\x82\x79\x82\x81\x82\x9A", 0},
      {"Greek", "\x83\x9F\x83\xB6\x83\xBF\x83\xD6", 0},
      {"Cyrillic", "\x84\x40\x84\x46\x84\x4E\x84\x4F\x84\x60\x84\x70", 0},
      {"trail bytes A and C", "\x83\x41\x83\x43", 0},
      {"trail byte backslash", "\x95\x5C", 0},
      {"kana", "\x82\xA0\xB1", 0},
      {"Latin-1 capitals", "\xC0\xC9\xD6\xD7\xDE\xDF", 1252},
      {"S, OE and Z with caron, Y with diaeresis", "\x8A\x8C\x8E\x9F", 1252},
  };
  for (const auto& c : cases) {
    if (c.onlyAt != 0 && c.onlyAt != acp) continue;
    SCOPED_TRACE(c.what);
    EXPECT_EQ(machine.LowerCase(c.text), os::RealOs().LowerCase(c.text));
  }
}

TEST(RealOs, AFoundFileIsTakenWithItsLastWriteTime) {
  // As a copy is found: created, then read, after its last write, which it kept.
  WIN32_FIND_DATAA data{};
  data.ftCreationTime = {3, 1};
  data.ftLastAccessTime = {2, 1};
  data.ftLastWriteTime = {1, 1};
  os::FindEntry entry;
  os::ReadFindData(data, entry);
  EXPECT_EQ(entry.lastWrite, 0x100000001ull);
}

TEST(RealOs, SortKeysOrderAsTheCaseInsensitiveComparison) {
  // The folder list's awkward names, characters the comparison ignores (the soft hyphen and DEL
  // at 1252, control characters), names of 200 to 259 bytes, and every name of up to three
  // characters of an alphabet with both cases and the hyphen and apostrophe that the locale's
  // comparison weighs apart.
  std::vector<std::string> names = {
      "alpha",    "Beta",     "BETA",      "[x]",      "[-c-]",    " sp",      "co-op",    "coop",
      "\xC9\x61", "\xE9\x62", "\x82\xA0x", "\x83\x41", "\x95\x5C", "\x82\x60", "\x82\x81", "\xB1",
      "\xDF",     "ss",       "\xAD",      "a\xAD",    "\x7F",     "a\177b",   "\x01\x1F", "ab\t"};
  for (size_t n : {200, 258})
    names.insert(names.end(), {std::string(n, 'a'), std::string(n, 'A') + "\xAD"});
  for (char a : std::string("aB-'")) {
    for (char b : std::string("aB-'")) {
      for (char c : std::string("Ab'")) names.insert(names.end(), {{a}, {a, b}, {a, b, c}});
    }
  }
  os::Os& real = os::RealOs();
  for (const std::string& a : names) {
    for (const std::string& b : names) {
      std::string keyA, keyB;
      ASSERT_TRUE(real.SortKey(a, keyA) && real.SortKey(b, keyB)) << a << " " << b;
      const int keys = keyA.compare(keyB);
      EXPECT_EQ(static_cast<int>(real.CompareText(a, b, true)), (keys > 0) - (keys < 0)) << a << b;
    }
  }
}

}  // namespace
