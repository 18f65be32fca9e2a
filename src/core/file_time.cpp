#include "core/file_time.h"

namespace zolt {
namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysFrom1601To1970 = 134774;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, CivilTime& out) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  out.year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (out.month <= 2));
}

}  // namespace

CivilTime ToCivil(os::FileTime time) {
  const int64_t seconds = static_cast<int64_t>(time / kTicksPerSecond);
  CivilTime out;
  CivilFromDays(seconds / kSecondsPerDay - kDaysFrom1601To1970, out);
  const int64_t inDay = seconds % kSecondsPerDay;
  out.hour = static_cast<int>(inDay / 3600);
  out.minute = static_cast<int>(inDay / 60 % 60);
  out.second = static_cast<int>(inDay % 60);
  return out;
}

os::FileTime FromCivil(const CivilTime& c) {
  const int64_t days =
      DaysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) +
      kDaysFrom1601To1970;
  const int64_t seconds = days * kSecondsPerDay + c.hour * 3600 + c.minute * 60 + c.second;
  return static_cast<os::FileTime>(seconds * kTicksPerSecond);
}

os::DosDateTime PackDos(const CivilTime& c) {
  os::DosDateTime packed;
  packed.date = static_cast<uint16_t>(((c.year - 1980) << 9) | (c.month << 5) | c.day);
  packed.time = static_cast<uint16_t>((c.hour << 11) | (c.minute << 5) | (c.second / 2));
  return packed;
}

CivilTime UnpackDos(os::DosDateTime packed) {
  CivilTime c;
  c.year = 1980 + (packed.date >> 9);
  c.month = (packed.date >> 5) & 0x0F;
  c.day = packed.date & 0x1F;
  c.hour = packed.time >> 11;
  c.minute = (packed.time >> 5) & 0x3F;
  c.second = (packed.time & 0x1F) * 2;
  return c;
}

}  // namespace zolt
