// The container each folder control lives in: a child window of the form, exactly the size of
// the platform control it holds. Owner-draw and notification messages go to a control's parent,
// so this parent is ours: the form creates the control and needs to forward nothing. The
// container is a control parent, so the dialog manager tabs into the control inside it.
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

class HostWindow : public ui::Window {
 public:
  HostWindow() : inner_(*this) {}
  // The platform control inside (the list box or combo box); nullptr before creation.
  HWND Control() const { return inner_.Handle(); }
  HFONT Font() const { return font_; }
  // Not owned; the item height follows it (WM_SETFONT to either window does the same).
  void SetFont(HFONT font);
  // Creates the platform control inside the container and fills it from the machine.
  virtual void CreateControl() = 0;
  // The control's window, with what the machine holds then, comes with its form's first showing.
  void OnFormShown() override {
    if (!Control()) CreateControl();
  }

 protected:
  // Creates the container under parent; the control is then made as its child.
  void CreateHost(HWND parent, int id, int x, int y, int width, int height);
  void AttachControl(HWND control) { inner_.Attach(control); }
  // The platform control's own handling of a message.
  LRESULT CallControl(UINT message, WPARAM wParam, LPARAM lParam) {
    return inner_.Default(message, wParam, lParam);
  }

  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
  // What both controls draw for an item: the background by selection, the glyph at glyphX from
  // the item's left (vertically centred), the text from textX plus the glyph's width (16 with no
  // glyph) in the highlight-text colour when selected, "&" literal; then the focus rectangle.
  // glyph is nullptr for an item the control does not hold.
  void DrawGlyphItem(const DRAWITEMSTRUCT& item, const Glyph* glyph, int glyphX, int textX,
                     const std::string& text, UINT verticalAlign) const;
  virtual int ItemHeight() const = 0;
  virtual void Command(WORD code) = 0;
  // Messages to the control itself, before its own procedure sees them; false leaves them to
  // it. WM_SETFONT has reached the control (and updated Font()) when FontChanged runs.
  virtual bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  virtual void FontChanged() = 0;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class Inner : public ui::Window {
   public:
    explicit Inner(HostWindow& host) : host_(host) {}
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
      return DefaultHandling(message, wParam, lParam);
    }

   protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

   private:
    HostWindow& host_;
  };

  Inner inner_;
  HFONT font_ = nullptr;  // not owned
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
