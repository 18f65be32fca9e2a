#include "core/form_description.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using zolt::FormError;
using zolt::FormObject;
using zolt::FormProperty;
using zolt::ParseFormDescription;

TEST(FormDescription, ParsesNestedObjectsAndEveryKindOfValue) {
  const FormObject root = ParseFormDescription(
      "# comment line\n"
      "Form1: TForm1\n"
      "  caption = \"ZOLT \\\"q\\\" = : \\\\\"\n"
      "  left = 196\n"
      "  font = \"\xEF\xBC\xAD\xEF\xBC\xB3\", Shift-JIS, 15\n"
      "\n"
      "  Panel1: push button\n"
      "    align = left\n"
      "    Panel3: panel\n"
      "      lines = titles vertical,cells horizontal\n"
      "    client size = 367 x -3\n"
      "  Panel2: panel\r\n"
      "    place = 1,2\n"
      "  colour = button face\n");
  EXPECT_EQ(root.name, "Form1");
  EXPECT_EQ(root.kind, "TForm1");
  EXPECT_EQ(root.line, 2);
  EXPECT_EQ(root.Text("caption", ""), "ZOLT \"q\" = : \\");
  EXPECT_EQ(root.Number("left", 0), 196);
  // After the children: still the form's.
  EXPECT_EQ(root.Choice("colour", {"button", "button face", "window"}, 0), 1);
  const FormProperty* font = root.Find("font");
  ASSERT_NE(font, nullptr);
  zolt::ValueReader value(*font);
  EXPECT_EQ(value.Text(), "\xEF\xBC\xAD\xEF\xBC\xB3");
  value.Expect(',');
  EXPECT_EQ(value.Choice({"ANSI", "Shift-JIS"}), 1);
  EXPECT_TRUE(value.Take(','));
  EXPECT_EQ(value.Number(), 15);
  EXPECT_NO_THROW(value.End());
  ASSERT_EQ(root.children.size(), 2u);
  const FormObject& panel1 = root.children[0];
  EXPECT_EQ(panel1.name, "Panel1");
  EXPECT_EQ(panel1.kind, "push button");
  EXPECT_EQ(panel1.line, 7);
  EXPECT_EQ(panel1.Choice("align", {"none", "left", "fill"}, 0), 1);
  ASSERT_EQ(panel1.children.size(), 1u);
  EXPECT_EQ(panel1.children[0].Flags("lines", {{"titles vertical", 1}, {"cells horizontal", 8}}, 0),
            9u);
  int32_t width = 0, height = 0;  // back at Panel1's level after Panel3
  EXPECT_TRUE(panel1.Pair("client size", 'x', width, height));
  EXPECT_EQ(width, 367);
  EXPECT_EQ(height, -3);
  EXPECT_TRUE(root.children[1].Pair("place", ',', width, height));
  EXPECT_EQ(width, 1);
  EXPECT_EQ(height, 2);
}

TEST(FormDescription, MalformedInputFailsNamingTheLine) {
  const struct {
    const char* text;
    int line;
    const char* fragment;
  } cases[] = {
      {"", 1, "no object"},
      {"# only a comment\n", 2, "no object"},
      {"Form1: TForm1\n\tleft = 1\n", 2, "tabs"},
      {"Form1: TForm1\n   left = 1\n", 2, "two spaces"},
      {"Form1: TForm1\n  left = 1\n      top = 2\n", 3, "indented under"},
      {"Form1: TForm1\n  A: panel\n      B: panel\n", 3, "deeper"},
      {"left = 1\n", 1, "indented under"},
      {"Form1: TForm1\nForm2: TForm2\n", 2, "one root"},
      {"Form1: TForm1\n  A: panel\n  A: push button\n", 3, "second object named A"},
      {"Form1: TForm1\n  left = 1\n  left = 2\n", 3, "set twice (first on line 2)"},
      {"Form1: TForm1\n  left =\n", 2, "left has no value"},
      {"Form1:\n", 1, "kind"},
      {"Form1: T  Form1\n", 1, "the object's kind"},
      {"Form1: TForm1\n  A.B: panel\n", 2, "name holds only"},
      {"Form1: TForm1\n  9 = 1\n", 2, "a key of words"},
      {"Form1: TForm1\n  client  size = 1\n", 2, "a key of words"},
      {"Form1: TForm1\n  left 1\n", 2, "\"Name: kind\" or \"key = value\""},
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

TEST(FormDescription, ReadersRejectOtherValuesNamingTheLine) {
  const FormObject root = ParseFormDescription(
      "F: form\n"
      "  count = 3\n"
      "  name = \"x\"\n"
      "  align = middle\n"
      "  flags = a, z\n"
      "  visible = true\n"
      "  size = 3 x\n"
      "  open = \"open\n"
      "  escape = \"a\\n\"\n"
      "  left = 12px\n"
      "  huge = 99999999999\n"
      "  two = 1 2\n"
      "  menu = 9x\n");
  int32_t x = 0, y = 0;
  const struct {
    std::function<void()> read;
    int line;
    const char* fragment;
  } cases[] = {
      {[&] { root.Text("count", ""); }, 2, "count = 3: expected a \"text\""},
      {[&] { root.Number("name", 0); }, 3, "expected a whole number"},
      {[&] {
         root.Choice("align", {"left", "fill"}, 0);
       },
       4, "expected one of: left, fill"},
      {[&] {
         root.Flags("flags", {{"a", 1}, {"b", 2}}, 0);
       },
       5, "expected one of: a, b"},
      {[&] { root.YesNo("visible", false); }, 6, "expected one of: no, yes"},
      {[&] { root.Pair("size", 'x', x, y); }, 7, "expected a whole number"},
      {[&] { root.Text("open", ""); }, 8, "closing quote"},
      {[&] { root.Text("escape", ""); }, 9, "may follow"},
      {[&] { root.Number("left", 0); }, 10, "only digits"},
      {[&] { root.Number("huge", 0); }, 11, "too large"},
      {[&] { root.Number("two", 0); }, 12, "unexpected \"2\""},
      {[&] { root.Name("menu", ""); }, 13, "expected a name"},
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
      "F: form\n  on = yes\n  off = no\n  flags = b, c\n  align = fill\n  menu = Main_1\n");
  EXPECT_TRUE(root.YesNo("on", false));
  EXPECT_FALSE(root.YesNo("off", true));
  EXPECT_TRUE(root.YesNo("missing", true));
  EXPECT_EQ(root.Flags("flags", {{"a", 1}, {"b", 2}, {"c", 8}}, 0), 10u);
  EXPECT_EQ(root.Flags("none", {{"a", 1}}, 5), 5u);
  EXPECT_EQ(root.Choice("align", {"none", "left", "fill"}, 0), 2);
  EXPECT_EQ(root.Choice("nothing", {"none", "left"}, 1), 1);
  EXPECT_EQ(root.Name("menu", ""), "Main_1");
  EXPECT_EQ(root.Number("width", 64), 64);
  EXPECT_EQ(root.Text("caption", "dflt"), "dflt");
  int32_t x = 7, y = 8;
  EXPECT_FALSE(root.Pair("place", ',', x, y));
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 8);
  EXPECT_EQ(root.Find("missing"), nullptr);
}

TEST(FormDescription, UnreadPropertyIsReportedWithItsLine) {
  const FormObject root = ParseFormDescription("F: form\n  left = 1\n  lfet = 2\n  top = 3\n");
  root.Number("left", 0);
  root.Number("top", 0);
  try {
    root.CheckAllRead();
    ADD_FAILURE() << "the misspelt key went unnoticed";
  } catch (const FormError& e) {
    EXPECT_EQ(e.Line(), 3);
    EXPECT_NE(std::string(e.what()).find("form F has no property lfet"), std::string::npos);
  }
  root.Number("lfet", 0);
  EXPECT_NO_THROW(root.CheckAllRead());
}

TEST(FormDescription, ByteOrderMarkAndTrailingSpacesAreIgnored) {
  const FormObject root =
      ParseFormDescription("\xEF\xBB\xBFWin: main window   \n  caption = \"a b \"  \n");
  EXPECT_EQ(root.name, "Win");
  EXPECT_EQ(root.kind, "main window");
  EXPECT_EQ(root.Text("caption", ""), "a b ");
}

}  // namespace
