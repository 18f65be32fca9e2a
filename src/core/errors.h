// The program's exceptions. Messages are UTF-8 text (the Japanese run-time messages must read the
// same whatever the system's code page); the error box widens them for display.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "core/os.h"

namespace zolt {

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A drive or folder that cannot be entered; carries the platform's last-error code.
class EInOutError : public Exception {
 public:
  explicit EInOutError(uint32_t code);
  uint32_t ErrorCode() const { return code_; }

 private:
  uint32_t code_;
};

// An index outside an array.
class RangeError : public Exception {
 public:
  RangeError();
};

// An integer overflow.
class OverflowError : public Exception {
 public:
  OverflowError();
};

// A date or a time that cannot be encoded.
class DateTimeError : public Exception {
 public:
  using Exception::Exception;
  static DateTimeError Date();
  static DateTimeError Time();
};

// The message EInOutError carries for a platform error code.
std::string InOutErrorMessage(uint32_t code);

// The error box's caption: the program file's name (after the last separator that is no trail
// byte) up to its first ".", every character after the first folded as file names are
// (C:\BIN\ZOLT.EXE gives "Zolt").
std::string ApplicationTitle(os::Os& os, const std::string& programPath);

// The error box's text: "." appended unless the last character sorts at or before "." in byte
// order, so "I/O エラー (21)" stays as it is.
std::string ErrorBoxText(const std::string& message);

// Adds with the overflow check the program's own arithmetic runs under.
int32_t CheckedAdd(int32_t a, int32_t b);

}  // namespace zolt
