// Where a folder control draws an item's glyph and text, and in which colours: window-free, so
// that the drawing code only paints what this says.
#pragma once

namespace folders {

// Colours by role, as the platform's system colours name them.
enum class ItemColour { kWindow, kWindowText, kHighlight, kHighlightText };

struct GlyphItem {
  int glyphLeft = 0, glyphTop = 0;  // the glyph's top-left corner
  int textLeft = 0;                 // the text runs from here to the item's right edge
  ItemColour background = ItemColour::kWindow, text = ItemColour::kWindowText;
};

struct GlyphSize {
  int width = 0, height = 0;
  bool loaded = false;
};

// An item from left, between top and bottom: the glyph glyphX to the right of its left edge and
// vertically centred; the text textX after the glyph (after 16 pixels when it is not loaded); the
// highlight colours when selected.
GlyphItem LayOutGlyphItem(int left, int top, int bottom, const GlyphSize& glyph, int glyphX,
                          int textX, bool selected);

}  // namespace folders
