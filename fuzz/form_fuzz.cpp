// The form description parser over any text: a tree whose objects and properties stand on lines
// of the text that hold them, or FormError naming one of the text's lines; then the readers the
// windows use, on every property, give a value or raise FormError naming the property's line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/form_description.h"

namespace {

std::vector<std::string_view> lines;  // the text's, numbered from 1 as the description counts

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// An item's line: after `after`, holding both its parts (name and kind, or key and value).
void OnItsLine(int line, int after, std::string_view a, std::string_view b) {
  if (line <= after || line > static_cast<int>(lines.size())) Fail("a line outside the text");
  const std::string_view text = lines[static_cast<size_t>(line - 1)];
  if (text.find(a) == text.npos || text.find(b) == text.npos) Fail("an item off its line");
}

// Runs read; false when it raised FormError, which must name line (any line of the text when 0).
template <typename Read>
bool Reads(int line, Read read) {
  try {
    read();
    return true;
  } catch (const zolt::FormError& e) {
    OnItsLine(e.Line(), 0, "", "");
    if (line && e.Line() != line) Fail("the error names another line");
    return false;
  }
}

void CheckObject(const zolt::FormObject& o, int parentLine, std::set<std::string>& names) {
  OnItsLine(o.line, parentLine, o.name, o.kind);
  if (!names.insert(o.name).second) Fail("two objects of one name");
  for (const zolt::FormProperty& p : o.properties) {
    OnItsLine(p.line, o.line, p.key, p.value);
    const std::string& k = p.key;
    int32_t a, b;
    Reads(p.line, [&] { o.Number(k, 0); });
    Reads(p.line, [&] { o.Text(k, ""); });
    Reads(p.line, [&] { o.Name(k, ""); });
    Reads(p.line, [&] { o.YesNo(k, false); });
    Reads(p.line, [&] { o.Choice(k, {"button", "button face", "window"}, 0); });
    Reads(p.line, [&] { o.Flags(k, {{"cells", 1}, {"cells vertical", 2}}, 0); });
    Reads(p.line, [&] { o.Pair(k, 'x', a, b); });
  }
  o.CheckAllRead();  // every property has been read: raises nothing
  for (const zolt::FormObject& child : o.children) CheckObject(child, o.line, names);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  lines.clear();
  for (size_t start = 0, end = 0; end != text.npos; start = end + 1) {
    end = text.find('\n', start);
    lines.push_back(text.substr(start, end == text.npos ? text.npos : end - start));
  }
  zolt::FormObject root;
  std::set<std::string> names;
  if (Reads(0, [&] { root = zolt::ParseFormDescription(text); })) CheckObject(root, 0, names);
  return 0;
}
