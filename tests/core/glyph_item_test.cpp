#include "core/glyph_item.h"

#include <gtest/gtest.h>

namespace {

using folders::ItemColour;

TEST(GlyphItem, GlyphAndTextPlacesAndTheColoursOfASelectedItem) {
  const struct {
    const char* name;
    int left, top, bottom;
    folders::GlyphSize glyph;
    int glyphX, textX;
    bool selected;
    int glyphLeft, glyphTop, textLeft;
  } cases[] = {
      // The drive list: the glyph at left + 2, the text at 6 plus the glyph's width; centred.
      {"drive", 0, 16, 32, {16, 11, true}, 2, 6, false, 2, 18, 22},
      {"selected drive", 3, 0, 16, {16, 11, true}, 2, 6, true, 5, 2, 25},
      // The folder list: the glyph at the item's indent, the text at 4 more.
      {"folder at indent 14", 0, 32, 48, {16, 15, true}, 14, 18, false, 14, 32, 34},
      {"glyph not loaded", 0, 0, 16, {0, 0, false}, 2, 6, true, 2, 8, 22},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const folders::GlyphItem item =
        folders::LayOutGlyphItem(c.left, c.top, c.bottom, c.glyph, c.glyphX, c.textX, c.selected);
    EXPECT_EQ(item.glyphLeft, c.glyphLeft);
    EXPECT_EQ(item.glyphTop, c.glyphTop);
    EXPECT_EQ(item.textLeft, c.textLeft);
    EXPECT_EQ(item.background, c.selected ? ItemColour::kHighlight : ItemColour::kWindow);
    EXPECT_EQ(item.text, c.selected ? ItemColour::kHighlightText : ItemColour::kWindowText);
  }
}

}  // namespace
