// Calendar arithmetic on file times (100-ns steps since 1601-01-01), with no platform calls, for
// the times the packed date-time cannot hold (before 1980, after 2107).
#pragma once

#include <cstdint>

#include "core/os.h"

namespace zolt {

struct CivilTime {
  int year = 1601;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

CivilTime ToCivil(os::FileTime time);
os::FileTime FromCivil(const CivilTime& civil);

// The packed form of a civil time; only meaningful for years 1980 to 2107.
os::DosDateTime PackDos(const CivilTime& civil);
CivilTime UnpackDos(os::DosDateTime packed);

}  // namespace zolt
