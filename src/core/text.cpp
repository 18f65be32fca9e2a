#include "core/text.h"

namespace text {

std::string::size_type CharLength(os::Os& os, const std::string& s, std::string::size_type i) {
  return os.IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

std::string::size_type FindFirstBackslash(os::Os& os, const std::string& s,
                                          std::string::size_type from) {
  for (std::string::size_type i = 0; i < s.size(); i += CharLength(os, s, i)) {
    if (i >= from && s[i] == '\\') return i;
  }
  return npos;
}

std::string::size_type FindLastBackslash(os::Os& os, const std::string& s) {
  std::string::size_type found = npos;
  for (std::string::size_type i = 0; i < s.size(); i += CharLength(os, s, i)) {
    if (s[i] == '\\') found = i;
  }
  return found;
}

bool EndsWithBackslash(os::Os& os, const std::string& s) {
  return !s.empty() && FindLastBackslash(os, s) == s.size() - 1;
}

std::string DrivePart(os::Os& os, const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    std::string::size_type afterServer = FindFirstBackslash(os, path, 2);
    if (afterServer == npos) return path;
    return path.substr(0, FindFirstBackslash(os, path, afterServer + 1));
  }
  return std::string();
}

std::string JoinPath(os::Os& os, const std::string& folder, const std::string& name) {
  return EndsWithBackslash(os, folder) ? folder + name : folder + "\\" + name;
}

std::string LastComponent(os::Os& os, const std::string& path) {
  std::string::size_type cut = npos;
  for (std::string::size_type i = 0; i < path.size(); i += CharLength(os, path, i)) {
    if (path[i] == '\\' || path[i] == ':') cut = i;
  }
  return cut == npos ? path : path.substr(cut + 1);
}

std::string AsciiLower(os::Os& os, const std::string& s) {
  std::string out = s;
  for (std::string::size_type i = 0; i < out.size();) {
    std::string::size_type n = CharLength(os, out, i);
    if (n == 1) out[i] = AsciiLower(out[i]);
    i += n;
  }
  return out;
}

std::string FoldFileName(os::Os& os, const std::string& s) {
  return os.DoubleByteSystem() ? AsciiLower(os, s) : os.LowerCase(s);
}

}  // namespace text
