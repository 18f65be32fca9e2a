#include "core/errors.h"

#include <cstdio>

#include "core/text.h"

namespace zolt {

EInOutError::EInOutError(uint32_t code) : Exception(InOutErrorMessage(code)), code_(code) {}

RangeError::RangeError() : Exception("範囲チェックエラー") {}

OverflowError::OverflowError() : Exception("整数のオーバーフロー") {}

DateTimeError DateTimeError::Date() { return DateTimeError("日付に変換できない値が渡されました"); }

DateTimeError DateTimeError::Time() { return DateTimeError("時刻に変換できない値が渡されました"); }

std::string InOutErrorMessage(uint32_t code) {
  switch (code) {
    case 2: return "ファイルが見つかりません";
    case 3: return "不正なファイル名です";
    case 4: return "オープンしたファイルが多すぎます";
    case 5: return "ファイルへのアクセスが拒否されました";
    case 100: return "ファイルの末尾以降を読み込みました";
    case 101: return "ディスクがいっぱいです";
    case 106: return "入力値が数値ではありません";
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "I/O エラー (%d)", static_cast<int>(code));
      return text;
    }
  }
}

std::string ApplicationTitle(os::Os& os, const std::string& programPath) {
  const std::string name = text::LastComponent(os, programPath);
  const std::string title = name.substr(0, name.find('.'));  // "." is never a trail byte
  if (title.empty()) return title;
  const std::string::size_type first = text::CharLength(os, title, 0);
  return title.substr(0, first) + text::FoldFileName(os, title.substr(first));
}

std::string ErrorBoxText(const std::string& message) {
  if (message.empty()) return message;
  // The last character's first byte: step back over UTF-8 continuation bytes.
  std::string::size_type last = message.size() - 1;
  while (last > 0 && (static_cast<unsigned char>(message[last]) & 0xC0) == 0x80) --last;
  return static_cast<unsigned char>(message[last]) > '.' ? message + "." : message;
}

int32_t CheckedAdd(int32_t a, int32_t b) {
  int32_t sum;
  if (__builtin_add_overflow(a, b, &sum)) throw OverflowError();
  return sum;
}

}  // namespace zolt
