// A window's layout as data: the text of a form description, parsed into a tree of objects with
// their properties. The format is our own, one item per line, nested by indentation (two spaces
// per level, no tabs):
//
//   # a comment
//   Form1: TForm1
//     caption = "ZOLT"
//     place = 196, 116
//     size = 701 x 480
//     Panel1: panel
//       align = left
//
// A line "Name: kind" opens an object (one root object per description; a kind may be several
// words, "push button"); a line "key = value" sets a property of the object it is indented under
// (a key may be several words, "client size"). A value is read by what its key takes: a whole
// number, a text in double quotes (UTF-8; \" and \\ are the only escapes), a name, one of a list
// of words, or several of these separated by "," or "x". Anything else fails with FormError,
// whose message names the line.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace zolt {

class FormError : public Exception {
 public:
  FormError(int line, const std::string& what);
  int Line() const { return line_; }

 private:
  int line_;
};

struct FormProperty {
  std::string key;
  std::string value;  // as written, without the spaces around it
  int line = 0;
  mutable bool read = false;  // set by the readers, checked by CheckAllRead
};

// Reads a property's value from left to right, skipping spaces between the parts; every failure
// names the property and its line.
class ValueReader {
 public:
  explicit ValueReader(const FormProperty& property) : p_(property) {}

  int32_t Number();
  std::string Text();
  std::string Name();  // letters, digits and "_", not starting with a digit
  // The index of the choice the value holds next (the longest one, so "button face" is not
  // taken for "button").
  int Choice(const char* const* choices, size_t count);
  int Choice(std::initializer_list<const char*> choices) {
    return Choice(choices.begin(), choices.size());
  }
  bool Take(char c);  // takes c when it comes next
  void Expect(char c);
  void End();  // fails unless the whole value has been read

 private:
  void SkipSpaces();
  [[noreturn]] void Fail(const std::string& what) const;

  const FormProperty& p_;
  size_t pos_ = 0;
};

class FormObject {
 public:
  std::string name;
  std::string kind;
  int line = 0;
  std::vector<FormProperty> properties;
  std::vector<FormObject> children;

  // The property with this key, or nullptr; marks it read.
  const FormProperty* Find(std::string_view key) const;

  // Whole values, or the fallback when the property is absent.
  int32_t Number(std::string_view key, int32_t fallback) const;
  std::string Text(std::string_view key, const std::string& fallback) const;
  std::string Name(std::string_view key, const std::string& fallback) const;
  bool YesNo(std::string_view key, bool fallback) const;
  int Choice(std::string_view key, std::initializer_list<const char*> choices, int fallback) const;
  // Choices separated by ","; the result ORs their flags.
  struct Flag {
    const char* name;
    unsigned value;
  };
  unsigned Flags(std::string_view key, std::initializer_list<Flag> flags, unsigned fallback) const;
  // Two numbers joined by separator ("196, 116" with ",", "701 x 480" with "x"); false, leaving
  // both as they were, when the property is absent.
  bool Pair(std::string_view key, char separator, int32_t& first, int32_t& second) const;

  // Fails naming the line of the first property that no reader asked for: a misspelt key or a
  // setting the control does not have.
  void CheckAllRead() const;
};

FormObject ParseFormDescription(std::string_view text);

}  // namespace zolt
