// A window's layout as data: the text of a form description, parsed into a tree of objects with
// their properties. The format is our own, one item per line, nested by indentation (two spaces
// per level, no tabs):
//
//   # a comment
//   Form1: TForm1
//     Caption = "ZOLT"
//     Left = 196
//     Align = Left
//     Options = [ColSizing, RowSelect]
//     Panel1: TPanel
//       Width = 345
//
// A line "Name: Kind" opens an object (one root object per description); a line "Key = value"
// sets a property of the object it is indented under. Values are whole numbers, texts in double
// quotes (UTF-8; \" and \\ are the only escapes), identifiers, or sets of identifiers in
// brackets. Property keys may be dotted (Font.Name). Anything else fails with FormError, whose
// message names the line.
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

struct FormValue {
  enum class Type { kNumber, kText, kIdentifier, kSet };
  Type type = Type::kNumber;
  int32_t number = 0;
  std::string text;                // kText: the text; kIdentifier: the identifier
  std::vector<std::string> items;  // kSet
};

struct FormProperty {
  std::string key;
  FormValue value;
  int line = 0;
  mutable bool read = false;  // set by the typed readers, checked by CheckAllRead
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

  // Typed readers: the fallback when the property is absent; a value of another type (or, for
  // Choice, an identifier outside the list) fails naming the property's line.
  int32_t Number(std::string_view key, int32_t fallback) const;
  std::string Text(std::string_view key, const std::string& fallback) const;
  bool Boolean(std::string_view key, bool fallback) const;  // True / False
  // Index of the identifier within choices.
  int Choice(std::string_view key, std::initializer_list<const char*> choices, int fallback) const;
  // Each identifier of a set must be one of choices; the result ORs their flags.
  struct Flag {
    const char* name;
    unsigned value;
  };
  unsigned Flags(std::string_view key, std::initializer_list<Flag> flags, unsigned fallback) const;
  std::string Identifier(std::string_view key, const std::string& fallback) const;

  // Fails naming the line of the first property that no reader asked for: a misspelt key or a
  // setting the control does not have.
  void CheckAllRead() const;
};

FormObject ParseFormDescription(std::string_view text);

}  // namespace zolt
