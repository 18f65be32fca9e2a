#include "core/form_description.h"

#include <limits>
#include <set>

namespace zolt {
namespace {

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
  return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

const char* TypeName(FormValue::Type type) {
  switch (type) {
    case FormValue::Type::kNumber:
      return "a number";
    case FormValue::Type::kText:
      return "a text";
    case FormValue::Type::kIdentifier:
      return "an identifier";
    case FormValue::Type::kSet:
      return "a set";
  }
  return "";
}

// Reads the parts of one line, left to right.
class LineReader {
 public:
  LineReader(std::string_view text, int line) : s_(text), line_(line) {}

  void SkipSpaces() {
    while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
  }
  bool AtEnd() const { return pos_ >= s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[pos_]; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  [[noreturn]] void Fail(const std::string& what) const { throw FormError(line_, what); }

  std::string Identifier(const char* what) {
    if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what);
    const size_t start = pos_;
    while (pos_ < s_.size() && IsIdentChar(s_[pos_])) ++pos_;
    return std::string(s_.substr(start, pos_ - start));
  }

  // Identifier(.Identifier)*
  std::string Key() {
    std::string key = Identifier("a property name or an object name");
    while (Peek() == '.') {
      ++pos_;
      key += '.';
      key += Identifier("a name after \".\"");
    }
    return key;
  }

  FormValue Value() {
    FormValue value;
    const char c = Peek();
    if (c == '"') {
      value.type = FormValue::Type::kText;
      value.text = Quoted();
    } else if (c == '-' || IsDigit(c)) {
      value.type = FormValue::Type::kNumber;
      value.number = Number();
    } else if (IsIdentStart(c)) {
      value.type = FormValue::Type::kIdentifier;
      value.text = Identifier("a value");
    } else if (c == '[') {
      ++pos_;
      value.type = FormValue::Type::kSet;
      SkipSpaces();
      if (!Take(']')) {
        for (;;) {
          SkipSpaces();
          value.items.push_back(Identifier("an identifier in the set"));
          SkipSpaces();
          if (Take(']')) break;
          if (!Take(',')) Fail("expected \",\" or \"]\" in the set");
        }
      }
    } else {
      Fail("expected a value (a number, a \"text\", an identifier or a [set])");
    }
    return value;
  }

 private:
  std::string Quoted() {
    ++pos_;  // the opening quote
    std::string out;
    for (;;) {
      if (AtEnd()) Fail("the text has no closing quote");
      char c = s_[pos_++];
      if (c == '"') return out;
      if (c == '\\') {
        if (AtEnd() || (s_[pos_] != '"' && s_[pos_] != '\\')) {
          Fail("only \\\" and \\\\ may follow \\ in a text");
        }
        c = s_[pos_++];
      }
      out += c;
    }
  }

  int32_t Number() {
    const bool negative = Take('-');
    if (!IsDigit(Peek())) Fail("expected digits");
    int64_t n = 0;
    while (IsDigit(Peek())) {
      n = n * 10 + (s_[pos_++] - '0');
      if (n > int64_t{std::numeric_limits<int32_t>::max()} + 1) Fail("the number is too large");
    }
    if (IsIdentChar(Peek())) Fail("a number may hold only digits");
    if (negative) n = -n;
    if (n > std::numeric_limits<int32_t>::max()) Fail("the number is too large");
    return static_cast<int32_t>(n);
  }

  std::string_view s_;
  size_t pos_ = 0;
  int line_;
};

}  // namespace

FormError::FormError(int line, const std::string& what)
    : Exception("Form description, line " + std::to_string(line) + ": " + what), line_(line) {}

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

const FormProperty* FindTyped(const FormObject& object, std::string_view key,
                              FormValue::Type type) {
  const FormProperty* p = object.Find(key);
  if (p && p->value.type != type) {
    throw FormError(p->line,
                    p->key + " must be " + TypeName(type) + ", not " + TypeName(p->value.type));
  }
  return p;
}

std::string ListOf(std::initializer_list<const char*> names) {
  std::string out;
  for (const char* n : names) {
    if (!out.empty()) out += ", ";
    out += n;
  }
  return out;
}

}  // namespace

int32_t FormObject::Number(std::string_view key, int32_t fallback) const {
  const FormProperty* p = FindTyped(*this, key, FormValue::Type::kNumber);
  return p ? p->value.number : fallback;
}

std::string FormObject::Text(std::string_view key, const std::string& fallback) const {
  const FormProperty* p = FindTyped(*this, key, FormValue::Type::kText);
  return p ? p->value.text : fallback;
}

std::string FormObject::Identifier(std::string_view key, const std::string& fallback) const {
  const FormProperty* p = FindTyped(*this, key, FormValue::Type::kIdentifier);
  return p ? p->value.text : fallback;
}

bool FormObject::Boolean(std::string_view key, bool fallback) const {
  return Choice(key, {"False", "True"}, fallback ? 1 : 0) == 1;
}

int FormObject::Choice(std::string_view key, std::initializer_list<const char*> choices,
                       int fallback) const {
  const FormProperty* p = FindTyped(*this, key, FormValue::Type::kIdentifier);
  if (!p) return fallback;
  int index = 0;
  for (const char* choice : choices) {
    if (p->value.text == choice) return index;
    ++index;
  }
  throw FormError(p->line, p->key + " = " + p->value.text + " is not one of: " + ListOf(choices));
}

unsigned FormObject::Flags(std::string_view key, std::initializer_list<Flag> flags,
                           unsigned fallback) const {
  const FormProperty* p = FindTyped(*this, key, FormValue::Type::kSet);
  if (!p) return fallback;
  unsigned result = 0;
  for (const std::string& item : p->value.items) {
    bool known = false;
    for (const Flag& f : flags) {
      if (item == f.name) {
        result |= f.value;
        known = true;
      }
    }
    if (!known) {
      std::string names;
      for (const Flag& f : flags) names += (names.empty() ? "" : ", ") + std::string(f.name);
      throw FormError(p->line, p->key + " may not hold " + item + "; it takes: " + names);
    }
  }
  return result;
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
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);

    size_t indent = 0;
    while (indent < line.size() && line[indent] == ' ') ++indent;
    if (indent == line.size() || line[indent] == '#') continue;
    if (line.find('\t') != std::string_view::npos) {
      throw FormError(lineNumber, "tabs are not allowed; indent with two spaces per level");
    }
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    if (indent % 2 != 0) throw FormError(lineNumber, "indentation must be two spaces per level");
    const size_t depth = indent / 2;

    LineReader reader(line.substr(indent), lineNumber);
    const std::string key = reader.Key();
    reader.SkipSpaces();
    if (reader.Take(':')) {
      reader.SkipSpaces();
      FormObject object;
      object.name = key;
      object.kind = reader.Identifier("the object's kind after \":\"");
      object.line = lineNumber;
      reader.SkipSpaces();
      if (!reader.AtEnd()) reader.Fail("unexpected text after the object's kind");
      if (key.find('.') != std::string::npos) reader.Fail("an object name may not hold \".\"");
      if (!names.insert(key).second) reader.Fail("a second object named " + key);
      if (depth == 0) {
        if (haveRoot) reader.Fail("a description holds one root object; " + key + " is a second");
        root = std::move(object);
        haveRoot = true;
        open.assign(1, &root);
      } else {
        if (depth > open.size()) reader.Fail("indented deeper than the object it belongs to");
        FormObject* parent = open[depth - 1];
        parent->children.push_back(std::move(object));
        open.resize(depth);
        open.push_back(&parent->children.back());
      }
    } else if (reader.Take('=')) {
      if (depth == 0 || depth > open.size()) {
        reader.Fail("a property must be indented under its object");
      }
      reader.SkipSpaces();
      FormProperty property;
      property.key = key;
      property.line = lineNumber;
      property.value = reader.Value();
      reader.SkipSpaces();
      if (!reader.AtEnd()) reader.Fail("unexpected text after the value");
      FormObject* owner = open[depth - 1];
      for (const FormProperty& p : owner->properties) {
        if (p.key == key) {
          reader.Fail(key + " is set twice (first on line " + std::to_string(p.line) + ")");
        }
      }
      owner->properties.push_back(std::move(property));
      open.resize(depth);
    } else {
      reader.Fail("expected \"Name: Kind\" or \"Key = value\"");
    }
  }
  if (!haveRoot) throw FormError(lineNumber, "the description holds no object");
  return root;
}

}  // namespace zolt
