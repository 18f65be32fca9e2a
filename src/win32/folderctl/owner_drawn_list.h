// What both folder controls are: a platform list (a list box, a drop-down combo box) whose
// items the control draws itself, each a glyph and a text, all of one height that follows the
// font. It is one window, the platform's own, subclassed; its notifications come back to it
// from its parent.
#pragma once

#include <windows.h>

#include <string>

#include "win32/ui/gdi.h"
#include "win32/ui/window.h"

namespace folderctl {

class Glyph;

// The font's full character-cell height (internal leading included), measured with it selected
// into a screen DC; nullptr stands for the system font a control starts with.
int FontCellHeight(HFONT font);

class OwnerDrawnList : public ui::Window {
 public:
  // Fills the control from the machine: done at its form's first showing, with what the machine
  // holds then, and again for a window made anew.
  void Fill() {
    filled_ = true;
    Build();
  }
  void OnFormShown() override {
    if (!filled_) Fill();
  }

 protected:
  virtual void Build() = 0;
  void OnDestroyed() override { filled_ = false; }
  virtual int ItemHeight() const = 0;
  // The control's font changed (nullptr: the system font); the item height follows it.
  virtual void FontChanged(HFONT font) = 0;
  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
  // What both controls draw for an item, in the font the control has selected into the item's
  // DC: the background by selection, the glyph at glyphX from the item's left (vertically
  // centred), the text from textX plus the glyph's width (16 with no glyph) in the
  // highlight-text colour when selected, "&" literal; then the focus rectangle. glyph is nullptr
  // for an item the control does not hold.
  static void DrawGlyphItem(const DRAWITEMSTRUCT& item, const Glyph* glyph, int glyphX, int textX,
                            const std::string& text, UINT verticalAlign);
  // The control's notification codes (LBN_..., CBN_...).
  virtual void Command(WORD code) = 0;

  bool OnNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool filled_ = false;
};

// A glyph bitmap from the resources, drawn transparently: every pixel of its bottom-left
// pixel's colour shows what lies beneath.
class Glyph {
 public:
  explicit Glyph(const char* resource);
  bool Loaded() const { return static_cast<bool>(image_); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Draw(HDC dc, int x, int y) const;

 private:
  ui::Bitmap image_;  // the picture, with its key-colour pixels turned black
  ui::Bitmap mask_;   // monochrome: 1 where the key colour was
  int width_ = 0;
  int height_ = 0;
};

}  // namespace folderctl
