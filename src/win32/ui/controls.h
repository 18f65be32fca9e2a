// The form loader's standard controls: panels, the vertical splitter, and the kinds made from the
// platform's own controls (push buttons, edit boxes, labels), plus the forms' fonts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/layout.h"
#include "win32/ui/gdi.h"
#include "win32/ui/window.h"

namespace ui {

// A bevelled area that holds other controls: button face, a raised bevel of bevelWidth pixels, no
// border, its caption drawn vertically centred. Forwards its children's notifications
// (WM_COMMAND, WM_CTLCOLOR...) to its parent, so the form sees every control's.
class Panel : public Window {
 public:
  enum class TextAlign { kCenter, kLeft };

  void CreateIn(HWND parent, int id, const zolt::Bounds& bounds);
  void SetBevelWidth(int width) { bevelWidth_ = width; }
  int BevelWidth() const { return bevelWidth_; }
  void SetTextAlign(TextAlign align) { textAlign_ = align; }
  // The caption in the system code page (the texts the program makes: " 3 Files").
  void SetCaption(const std::string& ansi);
  std::string Caption() const;

  // Paints the whole panel into dc (WM_PAINT and WM_PRINTCLIENT share it).
  void Paint(HDC dc);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int bevelWidth_ = 1;
  TextAlign textAlign_ = TextAlign::kCenter;
  HFONT font_ = nullptr;  // the form's, not owned
};

// A vertical splitter: dragging it shows a hatched bar (inverted onto the parent) where the
// boundary would go and reports the proposed left edge; its owner answers with the edge it
// accepts (clamping it), and on release the owner moves the panes.
class Splitter : public Window {
 public:
  void CreateIn(HWND parent, int id, const zolt::Bounds& bounds);
  bool Dragging() const { return dragging_; }
  int BarLeft() const { return barLeft_; }  // in the parent's client coordinates

  std::function<int(int proposedLeft)> OnProposal;
  std::function<void(int acceptedLeft)> OnMoved;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void InvertBar();  // drawn twice at the same place, the bar is gone
  void EndDrag();

  bool dragging_ = false;
  int grabOffset_ = 0;
  int barLeft_ = 0;
  Brush hatch_;
};

// The form's font: CreateFontW, so the Japanese face name is right in any code page. Where the
// face is not installed, another Japanese Gothic face of the same pitch is used. No scaling to
// the screen's resolution: height is in pixels.
Font CreateFormFont(const std::wstring& face, int height, BYTE charset, int weight, bool italic);
// The face that CreateFormFont would use for this request.
std::wstring InstalledFace(const std::wstring& face, BYTE charset);

// Registers TPanel, TSplitter, TButton, TEdit, TLabel and TStringGrid with the form loader.
void RegisterStandardControlKinds();

}  // namespace ui
