// Byte-string and path helpers. Paths are ANSI byte strings; on a double-byte code page a trail
// byte may equal "\" (0x5C) and must never count as a separator, so every search steps over
// whole characters.
#pragma once

#include <string>

#include "core/os.h"

namespace text {

constexpr std::string::size_type npos = std::string::npos;

// Length of the character starting at i: 2 for a lead byte with a trail byte after it, else 1.
std::string::size_type CharLength(os::Os& os, const std::string& s, std::string::size_type i);

// Position of the first / last "\" in s that starts a character, or npos.
std::string::size_type FindFirstBackslash(os::Os& os, const std::string& s,
                                          std::string::size_type from = 0);
std::string::size_type FindLastBackslash(os::Os& os, const std::string& s);

// Whether the last character of s is "\" (not the trail byte of a double-byte character).
bool EndsWithBackslash(os::Os& os, const std::string& s);

// "C:" for C:\DATA, "\\server\share" for \\server\share\dir, empty otherwise.
std::string DrivePart(os::Os& os, const std::string& path);

// Folder and name with one "\" between them, unless the folder already ends in "\".
std::string JoinPath(os::Os& os, const std::string& folder, const std::string& name);

// The text after the last "\" or ":" (all of path when it holds neither).
std::string LastComponent(os::Os& os, const std::string& path);

// Exact equality: same length, same bytes. No case folding, no locale rules.
inline bool SameText(const std::string& a, const std::string& b) {
  return a == b;
}

// ASCII-only lower case: both bytes of every double-byte character stay as they are.
std::string AsciiLower(os::Os& os, const std::string& s);

// File-name case folding: ASCII-only on a double-byte system, the locale's rules otherwise.
std::string FoldFileName(os::Os& os, const std::string& s);

// ASCII letters: A to Z and a to z, nothing else (a drive letter, a byte of a name).
constexpr bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
constexpr char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Whether two bytes are the same letter ignoring ASCII case.
constexpr bool SameLetterIgnoringCase(char a, char b) {
  return AsciiLower(a) == AsciiLower(b);
}

}  // namespace text
