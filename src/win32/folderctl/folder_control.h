// What both folder controls are: a platform list (a list box, a drop-down combo box) that shows
// a window-free state (Rules, which holds every rule) as its view (RulesView), each item drawn
// here as a glyph and a text, all of one height that follows the font. The control is one
// window, the platform's own, subclassed: its notifications come back to it from its parent.
#pragma once

#include <windows.h>

#include <string>

#include "core/os.h"
#include "win32/ui/gdi.h"
#include "win32/ui/window.h"

namespace folderctl {

// The font's full character-cell height (internal leading included), measured with it selected
// into a screen DC; nullptr stands for the system font a control starts with.
int FontCellHeight(HFONT font);

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
  ui::Bitmap image_;
  COLORREF key_ = 0;  // the bottom-left pixel's colour
  int width_ = 0;
  int height_ = 0;
};

// What both controls draw for an item, in the font the control has selected into the item's DC:
// the background by selection, the glyph at glyphX from the item's left (vertically centred),
// the text from textX plus the glyph's width (16 with no glyph) in the highlight-text colour
// when selected, "&" literal; then the focus rectangle. glyph is nullptr for an item the control
// does not hold.
void DrawGlyphItem(const DRAWITEMSTRUCT& item, const Glyph* glyph, int glyphX, int textX,
                   const std::string& text, UINT verticalAlign);

template <typename Rules, typename RulesView>
class FolderControl : public ui::Window, protected RulesView {
 public:
  // itemHeight: for the system font a control starts with.
  FolderControl(os::Os& os, int itemHeight) : state_(os), itemHeight_(itemHeight) {}
  ~FolderControl() override { state_.SetView(nullptr); }

  const Rules& State() const { return state_; }
  // Fills the control from the machine: done at its form's first showing, with what the machine
  // holds then (the drives' labels, the folder's subfolders), and again for a window made anew.
  void Fill() {
    ui::WaitCursor wait;
    filled_ = true;
    state_.SetView(this);
    state_.Rebuild();
  }
  void OnFormShown() override {
    if (!filled_) Fill();
  }

 protected:
  // The control's font changed (nullptr: the system font); the item height follows it.
  virtual void FontChanged(HFONT font) = 0;
  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
  // The control's notification codes (LBN_..., CBN_...).
  virtual void Command(WORD code) = 0;

  bool OnNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
      case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(itemHeight_);
        result = TRUE;
        return true;
      case WM_COMMAND:
        Command(HIWORD(wParam));
        result = 0;
        return true;
      default:
        return false;
    }
  }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    if (message == WM_SETFONT) FontChanged(reinterpret_cast<HFONT>(wParam));
    return result;
  }
  void OnDestroyed() override {
    filled_ = false;
    state_.SetView(nullptr);
  }

  Rules state_;
  int itemHeight_;

 private:
  bool filled_ = false;
};

}  // namespace folderctl
