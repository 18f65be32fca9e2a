// The standard kinds of control: panels, the vertical splitter, the string grid, and the kinds
// made from the platform's own controls (push buttons, edit boxes, labels).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/layout.h"
#include "win32/ui/control.h"
#include "win32/ui/gdi.h"
#include "win32/ui/window.h"

namespace ui {

// A bevelled area that holds other controls: button face, a raised bevel one pixel wide, no
// border, its caption (the window's text, in the system code page: " 3 Files") drawn vertically
// centred.
class Panel : public Window {
 public:
  static constexpr const char* kKind = "panel";
  static constexpr int kBevel = 1;
  enum class TextAlign { kCenter, kLeft };

  void CreateIn(HWND parent, int id, const zolt::Bounds& bounds);
  void SetTextAlign(TextAlign align) { textAlign_ = align; }

  // Paints the whole panel into dc (WM_PAINT and WM_PRINTCLIENT share it).
  void Paint(HDC dc);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TextAlign textAlign_ = TextAlign::kCenter;
  HFONT font_ = nullptr;  // the form's, not owned
};

// A vertical splitter: dragging it shows a hatched bar (inverted onto the parent) where the
// boundary would go and reports the proposed left edge; its owner answers with the edge it
// accepts (clamping it), and on release the owner moves the panes.
class Splitter : public Window {
 public:
  static constexpr const char* kKind = "splitter";
  void CreateIn(HWND parent, int id, const zolt::Bounds& bounds);
  bool Dragging() const { return drag_.Dragging(); }
  int BarLeft() const { return drag_.BarLeft(); }  // in the parent's client coordinates

  std::function<int(int proposedLeft)> OnProposal;
  std::function<void(int acceptedLeft)> OnMoved;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Draw(const std::vector<zolt::BarStroke>& strokes);
  int Accepted(int proposedLeft) const;  // the owner's answer

  zolt::SplitterDrag drag_;
  int grabOffset_ = 0;
  Brush hatch_;
};

// The platform's push button; its click comes back to it, however the button was pressed (the
// mouse, Space, or Enter and Esc through the form's dialog keys).
class PushButton : public Window {
 public:
  std::function<void()> OnClick;

 protected:
  bool OnNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// The platform's edit box. A read-only one asks for its colours as a static control does: it
// keeps the window's.
class EditBox : public Window {
 protected:
  bool OnNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// Adds panel, splitter, push button, edit box, label and string grid to kinds.
void AddStandardKinds(ControlKinds& kinds);

}  // namespace ui
