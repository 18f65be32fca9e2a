#include "win32/os/os_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(RealOs, CurrentDirectoryFollowsEveryEnter) {
  os::Os& real = os::RealOs();
  std::string start;
  ASSERT_TRUE(real.ReadCurrentDirectory(start));
  ASSERT_TRUE(real.EnterDirectory("C:\\"));
  std::string now;
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

}  // namespace
