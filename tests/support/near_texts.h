// Texts a byte or a field away from each other: names that share a long prefix and differ at one
// byte position, and date-time texts that differ in one field. A comparison of texts that skips
// or samples bytes takes such neighbours as equal.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace reference {

// A choice from 0 to n - 1.
using Pick = std::function<uint32_t(uint32_t)>;

// The base itself, the base one byte short, or the base with the byte at any one position
// changed.
inline std::string NearText(std::string base, const Pick& pick) {
  const uint32_t at = pick(static_cast<uint32_t>(base.size()) + 2);
  if (at == base.size()) return base;
  if (at > base.size()) return base.substr(0, base.size() - 1);
  base[at] = static_cast<char>(base[at] ^ (1 + pick(255)));
  return base;
}

// 2004/03/15 09:05:06, or that with one digit of one of its six fields changed.
inline std::string NearDateTime(const Pick& pick) {
  std::string text = "2004/03/15 09:05:06";
  const uint32_t field = pick(7);
  if (field < 6) {
    const uint32_t at = field == 0 ? pick(4) : 3 * field + 2 + pick(2);
    text[at] = static_cast<char>('0' + (text[at] - '0' + 1 + pick(9)) % 10);
  }
  return text;
}

}  // namespace reference
