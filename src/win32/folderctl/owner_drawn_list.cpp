#include "win32/folderctl/owner_drawn_list.h"

#include "win32/ui/gdi.h"

namespace folderctl {

int FontCellHeight(HFONT font) {
  ui::ScopedWindowDc screen(nullptr);
  ui::ScopedSelect select(screen.Get(),
                          font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  return metrics.tmHeight;
}

bool OwnerDrawnList::OnNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ItemHeight());
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

LRESULT OwnerDrawnList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefaultHandling(message, wParam, lParam);
  if (message == WM_SETFONT) FontChanged(reinterpret_cast<HFONT>(wParam));
  return result;
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

void OwnerDrawnList::DrawGlyphItem(const DRAWITEMSTRUCT& item, const Glyph* glyph, int glyphX,
                                   int textX, const std::string& text, UINT verticalAlign) {
  HDC dc = item.hDC;
  const RECT& rc = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (glyph) {
    glyph->Draw(dc, rc.left + glyphX, (rc.top + rc.bottom - glyph->Height()) / 2);
    ui::ScopedDcState saved(dc);
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
