#include "core/glyph_item.h"

namespace folders {

GlyphItem LayOutGlyphItem(int left, int top, int bottom, const GlyphSize& glyph, int glyphX,
                          int textX, bool selected) {
  GlyphItem item;
  item.glyphLeft = left + glyphX;
  item.glyphTop = (top + bottom - glyph.height) / 2;
  item.textLeft = left + textX + (glyph.loaded ? glyph.width : 16);
  item.background = selected ? ItemColour::kHighlight : ItemColour::kWindow;
  item.text = selected ? ItemColour::kHighlightText : ItemColour::kWindowText;
  return item;
}

}  // namespace folders
