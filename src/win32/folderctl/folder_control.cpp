#include "win32/folderctl/folder_control.h"

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

Glyph::Glyph(const char* resource)
    : image_(static_cast<HBITMAP>(
          LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))) {
  if (!image_) return;
  BITMAP info{};
  GetObjectA(image_.Get(), sizeof info, &info);
  width_ = info.bmWidth;
  height_ = info.bmHeight;
  ui::ScopedWindowDc screen(nullptr);
  key_ = GetPixel(ui::BitmapDc(screen.Get(), image_.Get()).Get(), 0, height_ - 1);
}

void Glyph::Draw(HDC dc, int x, int y) const {
  if (!Loaded()) return;
  ui::BitmapDc image(dc, image_.Get());
  TransparentBlt(dc, x, y, width_, height_, image.Get(), 0, 0, width_, height_, key_);
}

void DrawGlyphItem(const DRAWITEMSTRUCT& item, const Glyph* glyph, int glyphX, int textX,
                   const std::string& text, UINT verticalAlign) {
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
