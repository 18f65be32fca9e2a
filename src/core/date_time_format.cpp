#include "core/date_time_format.h"

namespace listing {
namespace {

void AppendNumber(std::string& out, int value, int width) {
  char digits[12];
  int n = 0;
  unsigned v = static_cast<unsigned>(value);
  do {
    digits[n++] = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  for (int i = n; i < width; ++i) out.push_back('0');
  while (n > 0) out.push_back(digits[--n]);
}

}  // namespace

void DateTimeFormat::Reread(os::Os& os) {
  date_ = os.LocaleSeparator(os::Separator::kDate);
  time_ = os.LocaleSeparator(os::Separator::kTime);
  if (date_.empty()) date_ = "/";
  if (time_.empty()) time_ = ":";
}

void DateTimeFormat::SettingsChanged(os::Os& os) {
  os.ResetThreadLocale();
  Reread(os);
}

void DateTimeFormat::AppendText(const zolt::CivilTime& t, std::string& out) const {
  AppendNumber(out, t.year, 4);
  out += date_;
  AppendNumber(out, t.month, 2);
  out += date_;
  AppendNumber(out, t.day, 2);
  out.push_back(' ');
  AppendNumber(out, t.hour, 2);
  out += time_;
  AppendNumber(out, t.minute, 2);
  out += time_;
  AppendNumber(out, t.second, 2);
}

}  // namespace listing
