// The byte-string helpers over any bytes, under a double-byte code page and a single-byte one.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/text.h"
#include "support/fake_os.h"

namespace {

#define Check(ok) ((ok) ? (void)0 : Fail(__LINE__))

[[noreturn]] void Fail(int line) {
  std::fprintf(stderr, "invariant at line %d broken\n", line);
  std::abort();
}

// Whether i starts a character of s, walking whole characters from the front.
bool StartsCharacter(os::Os& os, const std::string& s, size_t i) {
  size_t at = 0;
  while (at < i)
    at += os.IsLeadByte(static_cast<unsigned char>(s[at])) && at + 1 < s.size() ? 2 : 1;
  return at == i;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fake::Machine os;
  os.SetDoubleByte(data[0] & 1);
  const std::string s(reinterpret_cast<const char*>(data + 1), size - 1);

  const size_t first = text::FindFirstBackslash(os, s);
  const size_t last = text::FindLastBackslash(os, s);
  Check((first == text::npos) == (last == text::npos));
  if (first != text::npos) {
    Check(first <= last && s[first] == '\\' && s[last] == '\\');
    Check(StartsCharacter(os, s, first) && StartsCharacter(os, s, last));
  }

  const std::string drive = text::DrivePart(os, s);
  Check(s.compare(0, drive.size(), drive) == 0);

  const std::string name = text::LastComponent(os, s);
  Check(name.size() <= s.size() && s.compare(s.size() - name.size(), name.size(), name) == 0);
  Check(text::FindFirstBackslash(os, name) == text::npos);

  const std::string joined = text::JoinPath(os, s, "x");
  Check(joined.compare(0, s.size(), s) == 0 && joined.back() == 'x');
  // A text cut inside a double-byte character (no name the platform gives ends so) would pair
  // its last lead byte with the separator.
  const bool cutCharacter = !s.empty() && StartsCharacter(os, s, s.size() - 1) &&
                            os.IsLeadByte(static_cast<unsigned char>(s.back()));
  if (!s.empty() && !cutCharacter) {
    Check(text::EndsWithBackslash(os, joined.substr(0, joined.size() - 1)));
  }

  // Folding keeps the length, and on a double-byte system changes only ASCII capitals that
  // start a character.
  const std::string folded = text::FoldFileName(os, s);
  Check(folded.size() == s.size());
  if (os.DoubleByteSystem()) {
    for (size_t i = 0; i < s.size(); ++i) {
      if (folded[i] != s[i]) {
        Check(s[i] >= 'A' && s[i] <= 'Z' && folded[i] == s[i] + 32 && StartsCharacter(os, s, i));
      }
    }
  }
  return 0;
}
