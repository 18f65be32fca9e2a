#include "core/form_description.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using zolt::FormError;
using zolt::FormObject;
using zolt::FormProperty;
using zolt::FormValue;
using zolt::ParseFormDescription;

TEST(FormDescription, ParsesNestedObjectsAndEveryValueType) {
  const FormObject root = ParseFormDescription(
      "# comment line\n"
      "Form1: TForm1\n"
      "  Caption = \"ZOLT \\\"q\\\" \\\\\"\n"
      "  Left = 196\n"
      "  Font.Height = -15\n"
      "  Font.Name = \"\xEF\xBC\xAD\xEF\xBC\xB3\"\n"
      "\n"
      "  Panel1: TPanel\n"
      "    Align = Left\n"
      "    Panel3: TPanel\n"
      "      Options = [A, B_2,C]\n"
      "    Empty = []\n"
      "  Panel2: TPanel\r\n"
      "    Align = Client\n"
      "  Color = BtnFace\n");
  EXPECT_EQ(root.name, "Form1");
  EXPECT_EQ(root.kind, "TForm1");
  EXPECT_EQ(root.line, 2);
  EXPECT_EQ(root.Text("Caption", ""), "ZOLT \"q\" \\");
  EXPECT_EQ(root.Number("Left", 0), 196);
  EXPECT_EQ(root.Number("Font.Height", 0), -15);
  EXPECT_EQ(root.Text("Font.Name", ""), "\xEF\xBC\xAD\xEF\xBC\xB3");
  EXPECT_EQ(root.Identifier("Color", ""), "BtnFace");  // after the children: still the form's
  ASSERT_EQ(root.children.size(), 2u);
  const FormObject& panel1 = root.children[0];
  EXPECT_EQ(panel1.name, "Panel1");
  EXPECT_EQ(panel1.line, 8);
  EXPECT_EQ(panel1.Choice("Align", {"None", "Left", "Client"}, 0), 1);
  ASSERT_EQ(panel1.children.size(), 1u);
  const FormProperty* options = panel1.children[0].Find("Options");
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->value.items, (std::vector<std::string>{"A", "B_2", "C"}));
  const FormProperty* empty = panel1.Find("Empty");  // back at Panel1's level after Panel3
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->value.type, FormValue::Type::kSet);
  EXPECT_TRUE(empty->value.items.empty());
  EXPECT_EQ(root.children[1].kind, "TPanel");
  EXPECT_EQ(root.children[1].Identifier("Align", ""), "Client");
}

TEST(FormDescription, MalformedInputFailsNamingTheLine) {
  const struct {
    const char* text;
    int line;
    const char* fragment;
  } cases[] = {
      {"", 1, "no object"},
      {"# only a comment\n", 2, "no object"},
      {"Form1: TForm1\n\tLeft = 1\n", 2, "tabs"},
      {"Form1: TForm1\n   Left = 1\n", 2, "two spaces"},
      {"Form1: TForm1\n  Left = 1\n      Top = 2\n", 3, "indented under"},
      {"Form1: TForm1\n  A: TPanel\n      B: TPanel\n", 3, "deeper"},
      {"Left = 1\n", 1, "indented under"},
      {"Form1: TForm1\nForm2: TForm2\n", 2, "one root"},
      {"Form1: TForm1\n  A: TPanel\n  A: TButton\n", 3, "second object named A"},
      {"Form1: TForm1\n  Left = 1\n  Left = 2\n", 3, "set twice (first on line 2)"},
      {"Form1: TForm1\n  Caption = \"open\n", 2, "closing quote"},
      {"Form1: TForm1\n  Caption = \"a\\n\"\n", 2, "may follow"},
      {"Form1: TForm1\n  Left = 12px\n", 2, "only digits"},
      {"Form1: TForm1\n  Left = 99999999999\n", 2, "too large"},
      {"Form1: TForm1\n  Left = -\n", 2, "digits"},
      {"Form1: TForm1\n  Left =\n", 2, "expected a value"},
      {"Form1: TForm1\n  Left = 1 2\n", 2, "after the value"},
      {"Form1: TForm1\n  Opts = [A B]\n", 2, "\",\" or \"]\""},
      {"Form1: TForm1\n  Opts = [A,]\n", 2, "identifier in the set"},
      {"Form1: TForm1\n  Opts = [A\n", 2, "\",\" or \"]\""},
      {"Form1:\n", 1, "kind"},
      {"Form1: TForm1 extra\n", 1, "after the object's kind"},
      {"Form1: TForm1\n  Font.: X\n", 2, "after \".\""},
      {"Form1: TForm1\n  A.B: TPanel\n", 2, "may not hold \".\""},
      {"Form1: TForm1\n  9 = 1\n", 2, "property name"},
      {"Form1: TForm1\n  Left 1\n", 2, "\"Name: Kind\" or \"Key = value\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseFormDescription(c.text);
      ADD_FAILURE() << "parsed without error";
    } catch (const FormError& e) {
      EXPECT_EQ(e.Line(), c.line);
      const std::string message = e.what();
      EXPECT_EQ(message.rfind("Form description, line " + std::to_string(c.line) + ": ", 0), 0u)
          << message;
      EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
    }
  }
}

TEST(FormDescription, TypedReadersRejectOtherTypesNamingTheLine) {
  const FormObject root = ParseFormDescription(
      "F: TForm\n"
      "  Count = 3\n"
      "  Name = \"x\"\n"
      "  Align = Middle\n"
      "  Flags = [A, Z]\n"
      "  Visible = Yes\n");
  const struct {
    std::function<void()> read;
    int line;
    const char* fragment;
  } cases[] = {
      {[&] { root.Text("Count", ""); }, 2, "Count must be a text, not a number"},
      {[&] { root.Number("Name", 0); }, 3, "Name must be a number, not a text"},
      {[&] {
         root.Choice("Align", {"Left", "Client"}, 0);
       },
       4, "not one of: Left, Client"},
      {[&] { root.Number("Flags", 0); }, 5, "must be a number, not a set"},
      {[&] {
         root.Flags("Flags", {{"A", 1}, {"B", 2}}, 0);
       },
       5, "may not hold Z"},
      {[&] { root.Boolean("Visible", false); }, 6, "not one of: False, True"},
      {[&] {
         root.Flags("Align", {{"A", 1}}, 0);
       },
       4, "must be a set, not an identifier"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fragment);
    try {
      c.read();
      ADD_FAILURE() << "read without error";
    } catch (const FormError& e) {
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
    }
  }
}

TEST(FormDescription, ReadersGiveValuesOrFallbacks) {
  const FormObject root = ParseFormDescription(
      "F: TForm\n  On = True\n  Off = False\n  Flags = [B, C]\n  Align = Client\n");
  EXPECT_TRUE(root.Boolean("On", false));
  EXPECT_FALSE(root.Boolean("Off", true));
  EXPECT_TRUE(root.Boolean("Missing", true));
  EXPECT_EQ(root.Flags("Flags", {{"A", 1}, {"B", 2}, {"C", 8}}, 0), 10u);
  EXPECT_EQ(root.Flags("None", {{"A", 1}}, 5), 5u);
  EXPECT_EQ(root.Choice("Align", {"None", "Left", "Client"}, 0), 2);
  EXPECT_EQ(root.Choice("Nothing", {"None", "Left"}, 1), 1);
  EXPECT_EQ(root.Number("Width", 64), 64);
  EXPECT_EQ(root.Text("Caption", "dflt"), "dflt");
  EXPECT_EQ(root.Find("Missing"), nullptr);
}

TEST(FormDescription, UnreadPropertyIsReportedWithItsLine) {
  const FormObject root = ParseFormDescription("F: TForm\n  Left = 1\n  Lfet = 2\n  Top = 3\n");
  root.Number("Left", 0);
  root.Number("Top", 0);
  try {
    root.CheckAllRead();
    ADD_FAILURE() << "the misspelt key went unnoticed";
  } catch (const FormError& e) {
    EXPECT_EQ(e.Line(), 3);
    EXPECT_NE(std::string(e.what()).find("TForm F has no property Lfet"), std::string::npos);
  }
  root.Number("Lfet", 0);
  EXPECT_NO_THROW(root.CheckAllRead());
}

TEST(FormDescription, ByteOrderMarkAndTrailingSpacesAreIgnored) {
  const FormObject root =
      ParseFormDescription("\xEF\xBB\xBFWin: TForm   \n  Caption = \"a b \"  \n");
  EXPECT_EQ(root.name, "Win");
  EXPECT_EQ(root.Text("Caption", ""), "a b ");
}

}  // namespace
