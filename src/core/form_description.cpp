#include "core/form_description.h"

#include <algorithm>
#include <limits>
#include <set>

#include "core/text.h"

namespace zolt {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsNameChar(char c) {
  return text::IsAsciiLetter(c) || IsDigit(c) || c == '_';
}
// Keys and kinds: words of letters, digits and "-", one space between them.
bool IsWords(std::string_view s) {
  if (s.empty() || !text::IsAsciiLetter(s.front()) || s.back() == ' ') return false;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == ' ' ? s[i - 1] == ' ' : !(IsNameChar(c) || c == '-')) return false;
  }
  return true;
}
bool IsName(std::string_view s) {
  return !s.empty() && !IsDigit(s.front()) && std::all_of(s.begin(), s.end(), IsNameChar);
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

FormError::FormError(int line, const std::string& what)
    : Exception("Form description, line " + std::to_string(line) + ": " + what), line_(line) {}

void ValueReader::SkipSpaces() {
  while (pos_ < p_.value.size() && p_.value[pos_] == ' ') ++pos_;
}

void ValueReader::Fail(const std::string& what) const {
  throw FormError(p_.line, p_.key + " = " + p_.value + ": " + what);
}

bool ValueReader::Take(char c) {
  SkipSpaces();
  if (pos_ >= p_.value.size() || p_.value[pos_] != c) return false;
  ++pos_;
  return true;
}

void ValueReader::Expect(char c) {
  if (!Take(c)) Fail(std::string("expected \"") + c + "\"");
}

void ValueReader::End() {
  SkipSpaces();
  if (pos_ < p_.value.size()) Fail("unexpected \"" + p_.value.substr(pos_) + "\"");
}

int32_t ValueReader::Number() {
  SkipSpaces();
  const std::string& s = p_.value;
  const bool negative = pos_ < s.size() && s[pos_] == '-';
  if (negative) ++pos_;
  if (pos_ >= s.size() || !IsDigit(s[pos_])) Fail("expected a whole number");
  int64_t n = 0;
  while (pos_ < s.size() && IsDigit(s[pos_])) {
    n = n * 10 + (s[pos_++] - '0');
    if (n > int64_t{std::numeric_limits<int32_t>::max()} + 1) Fail("the number is too large");
  }
  if (pos_ < s.size() && IsNameChar(s[pos_])) Fail("a number holds only digits");
  if (negative) n = -n;
  if (n > std::numeric_limits<int32_t>::max()) Fail("the number is too large");
  return static_cast<int32_t>(n);
}

std::string ValueReader::Text() {
  if (!Take('"')) Fail("expected a \"text\"");
  const std::string& s = p_.value;
  std::string out;
  for (;;) {
    if (pos_ >= s.size()) Fail("the text has no closing quote");
    char c = s[pos_++];
    if (c == '"') return out;
    if (c == '\\') {
      if (pos_ >= s.size() || (s[pos_] != '"' && s[pos_] != '\\')) {
        Fail("only \\\" and \\\\ may follow \\ in a text");
      }
      c = s[pos_++];
    }
    out += c;
  }
}

std::string ValueReader::Name() {
  SkipSpaces();
  const size_t start = pos_;
  while (pos_ < p_.value.size() && IsNameChar(p_.value[pos_])) ++pos_;
  const std::string name = p_.value.substr(start, pos_ - start);
  if (!IsName(name)) Fail("expected a name");
  return name;
}

int ValueReader::Choice(const char* const* choices, size_t count) {
  SkipSpaces();
  const std::string_view rest = std::string_view(p_.value).substr(pos_);
  int found = -1;
  size_t length = 0;
  for (size_t i = 0; i < count; ++i) {
    const std::string_view c(choices[i]);
    // Only a value that starts with the choice holds a character after it to look at.
    const bool starts = rest.substr(0, c.size()) == c;
    const bool whole = starts && (rest.size() == c.size() || !IsNameChar(rest[c.size()]));
    if (whole && c.size() > length) {
      found = static_cast<int>(i);
      length = c.size();
    }
  }
  if (found < 0) {
    std::string list;
    for (size_t i = 0; i < count; ++i) list += (i ? ", " : "") + std::string(choices[i]);
    Fail("expected one of: " + list);
  }
  pos_ += length;
  return found;
}

const FormProperty* FormObject::Find(std::string_view key) const {
  for (const FormProperty& p : properties) {
    if (p.key == key) {
      p.read = true;
      return &p;
    }
  }
  return nullptr;
}

namespace {

// The whole of a property's value as read, or the fallback when the property is absent.
template <typename T, typename Read>
T ReadWhole(const FormObject& object, std::string_view key, T fallback, Read read) {
  const FormProperty* p = object.Find(key);
  if (!p) return fallback;
  ValueReader value(*p);
  T result = read(value);
  value.End();
  return result;
}

}  // namespace

int32_t FormObject::Number(std::string_view key, int32_t fallback) const {
  return ReadWhole(*this, key, fallback, [](ValueReader& v) { return v.Number(); });
}

std::string FormObject::Text(std::string_view key, const std::string& fallback) const {
  return ReadWhole(*this, key, fallback, [](ValueReader& v) { return v.Text(); });
}

std::string FormObject::Name(std::string_view key, const std::string& fallback) const {
  return ReadWhole(*this, key, fallback, [](ValueReader& v) { return v.Name(); });
}

bool FormObject::YesNo(std::string_view key, bool fallback) const {
  return Choice(key, {"no", "yes"}, fallback ? 1 : 0) == 1;
}

int FormObject::Choice(std::string_view key, std::initializer_list<const char*> choices,
                       int fallback) const {
  return ReadWhole(*this, key, fallback, [&](ValueReader& v) { return v.Choice(choices); });
}

unsigned FormObject::Flags(std::string_view key, std::initializer_list<Flag> flags,
                           unsigned fallback) const {
  std::vector<const char*> names;
  for (const Flag& f : flags) names.push_back(f.name);
  return ReadWhole(*this, key, fallback, [&](ValueReader& v) {
    unsigned result = 0;
    do {
      result |= flags.begin()[v.Choice(names.data(), names.size())].value;
    } while (v.Take(','));
    return result;
  });
}

bool FormObject::Pair(std::string_view key, char separator, int32_t& first,
                      int32_t& second) const {
  return ReadWhole(*this, key, false, [&](ValueReader& v) {
    first = v.Number();
    v.Expect(separator);
    second = v.Number();
    return true;
  });
}

void FormObject::CheckAllRead() const {
  for (const FormProperty& p : properties) {
    if (!p.read) throw FormError(p.line, kind + " " + name + " has no property " + p.key);
  }
}

FormObject ParseFormDescription(std::string_view text) {
  FormObject root;
  bool haveRoot = false;
  std::vector<FormObject*> open;  // open[d]: the object at depth d
  std::set<std::string> names;
  int lineNumber = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    auto fail = [lineNumber](const std::string& what) { throw FormError(lineNumber, what); };
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);

    size_t indent = 0;
    while (indent < line.size() && line[indent] == ' ') ++indent;
    if (indent == line.size() || line[indent] == '#') continue;
    if (line.find('\t') != std::string_view::npos) {
      fail("tabs are not allowed; indent with two spaces per level");
    }
    if (indent % 2 != 0) fail("indentation must be two spaces per level");
    const size_t depth = indent / 2;
    const std::string_view rest = line.substr(indent);
    const size_t equals = rest.find('=');
    const size_t colon = rest.find(':');

    if (equals != std::string_view::npos && (colon == std::string_view::npos || equals < colon)) {
      if (depth == 0 || depth > open.size()) fail("a property must be indented under its object");
      FormProperty property;
      property.key = std::string(Trim(rest.substr(0, equals)));
      property.value = std::string(Trim(rest.substr(equals + 1)));
      property.line = lineNumber;
      if (!IsWords(property.key)) fail("expected a key of words before \"=\"");
      if (property.value.empty()) fail(property.key + " has no value");
      FormObject* owner = open[depth - 1];
      for (const FormProperty& p : owner->properties) {
        if (p.key == property.key) {
          fail(p.key + " is set twice (first on line " + std::to_string(p.line) + ")");
        }
      }
      owner->properties.push_back(std::move(property));
      open.resize(depth);
    } else if (colon != std::string_view::npos) {
      FormObject object;
      object.name = std::string(Trim(rest.substr(0, colon)));
      object.kind = std::string(Trim(rest.substr(colon + 1)));
      object.line = lineNumber;
      if (!IsName(object.name)) fail("an object's name holds only letters, digits and \"_\"");
      if (!IsWords(object.kind)) fail("expected the object's kind after \":\"");
      if (!names.insert(object.name).second) fail("a second object named " + object.name);
      if (depth == 0) {
        if (haveRoot) fail("a description holds one root object; " + object.name + " is a second");
        root = std::move(object);
        haveRoot = true;
        open.assign(1, &root);
      } else {
        if (depth > open.size()) fail("indented deeper than the object it belongs to");
        FormObject* parent = open[depth - 1];
        parent->children.push_back(std::move(object));
        open.resize(depth);
        open.push_back(&parent->children.back());
      }
    } else {
      fail("expected \"Name: kind\" or \"key = value\"");
    }
  }
  if (!haveRoot) throw FormError(lineNumber, "the description holds no object");
  return root;
}

}  // namespace zolt
