// The listing's date-time text, "yyyy/mm/dd hh:mm:ss" with the regional separators in place of
// "/" and ":". The separators are read once and kept, so one listing writes one format even if
// the settings change meanwhile; they are read again only when asked.
#pragma once

#include <string>

#include "core/file_time.h"
#include "core/os.h"

namespace listing {

class DateTimeFormat {
 public:
  explicit DateTimeFormat(os::Os& os) { Reread(os); }

  // Reads both separators from the thread's locale; "/" and ":" when it gives none.
  void Reread(os::Os& os);
  // For a system settings change: the thread goes back to the user's default locale first, so
  // the separators read are the ones the user just chose.
  void SettingsChanged(os::Os& os);

  const std::string& DateSeparator() const { return date_; }
  const std::string& TimeSeparator() const { return time_; }

  // Appends date, one space and time; the year has at least 4 digits, the rest exactly 2.
  void AppendText(const zolt::CivilTime& t, std::string& out) const;

 private:
  std::string date_;
  std::string time_;
};

}  // namespace listing
