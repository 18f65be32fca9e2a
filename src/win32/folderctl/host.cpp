#include "win32/folderctl/host.h"

#include "win32/ui/gdi.h"

namespace folderctl {
namespace {

const char kHostClass[] = "ZoltFolderControlHost";

}  // namespace

int FontCellHeight(HFONT font) {
  ui::ScopedWindowDc screen(nullptr);
  ui::ScopedSelect select(screen.Get(),
                          font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  return metrics.tmHeight;
}

void HostWindow::CreateHost(HWND parent, int id, int x, int y, int width, int height) {
  RegisterClass(kHostClass, nullptr, nullptr);
  Create(kHostClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, x, y,
         width, height, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void HostWindow::SetFont(HFONT font) {
  if (Control()) {
    SendMessageA(Control(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  } else {
    font_ = font;
    FontChanged();
  }
}

bool HostWindow::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_SETFONT) return false;
  result = CallControl(message, wParam, lParam);
  font_ = reinterpret_cast<HFONT>(wParam);
  FontChanged();
  return true;
}

LRESULT HostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ItemHeight());
      return TRUE;
    case WM_COMMAND:
      if (Control() && reinterpret_cast<HWND>(lParam) == Control()) Command(HIWORD(wParam));
      return 0;
    case WM_SETFONT:
      // A form sets the font on its direct children: the container passes it on.
      SetFont(reinterpret_cast<HFONT>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETFOCUS:
      if (Control()) SetFocus(Control());
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the control covers the whole container
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

LRESULT HostWindow::Inner::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (host_.ControlMessage(message, wParam, lParam, result)) return result;
  return DefaultHandling(message, wParam, lParam);
}

Glyph::Glyph(const char* resource) {
  HBITMAP loaded = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (!loaded) return;
  image_.Reset(loaded);
  BITMAP info{};
  GetObjectA(loaded, sizeof info, &info);
  width_ = info.bmWidth;
  height_ = info.bmHeight;
  mask_.Reset(CreateBitmap(width_, height_, 1, 1, nullptr));
  ui::ScopedWindowDc screen(nullptr);
  ui::BitmapDc image(screen.Get(), image_.Get());
  ui::BitmapDc mask(screen.Get(), mask_.Get());
  const COLORREF key = GetPixel(image.Get(), 0, height_ - 1);
  // Colour to monochrome: pixels of the background colour become 1.
  SetBkColor(image.Get(), key);
  BitBlt(mask.Get(), 0, 0, width_, height_, image.Get(), 0, 0, SRCCOPY);
  // Monochrome to colour: 1 becomes the background colour (black), 0 the text colour (white).
  SetBkColor(image.Get(), RGB(0, 0, 0));
  SetTextColor(image.Get(), RGB(255, 255, 255));
  BitBlt(image.Get(), 0, 0, width_, height_, mask.Get(), 0, 0, SRCAND);
}

void Glyph::Draw(HDC dc, int x, int y) const {
  if (!Loaded()) return;
  ui::ScopedDcState state(dc);
  ui::BitmapDc image(dc, image_.Get());
  ui::BitmapDc mask(dc, mask_.Get());
  // Black where the glyph has colour, unchanged elsewhere; then the colours are or-ed in.
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, x, y, width_, height_, mask.Get(), 0, 0, SRCAND);
  BitBlt(dc, x, y, width_, height_, image.Get(), 0, 0, SRCPAINT);
}

void HostWindow::DrawGlyphItem(const DRAWITEMSTRUCT& item, const Glyph* glyph, int glyphX,
                               int textX, const std::string& text, UINT verticalAlign) const {
  HDC dc = item.hDC;
  const RECT& rc = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (glyph) {
    glyph->Draw(dc, rc.left + glyphX, (rc.top + rc.bottom - glyph->Height()) / 2);
    ui::ScopedDcState saved(dc);
    if (Font()) SelectObject(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = rc;
    textRect.left = rc.left + textX + (glyph->Loaded() ? glyph->Width() : 16);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | verticalAlign | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

}  // namespace folderctl
