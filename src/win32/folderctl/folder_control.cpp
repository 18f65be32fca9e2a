#include "win32/folderctl/folder_control.h"

#include "core/glyph_item.h"
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

namespace {

int SystemColour(folders::ItemColour role) {
  static const int kIndex[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT,
                               COLOR_HIGHLIGHTTEXT};
  return kIndex[static_cast<int>(role)];
}

}  // namespace

void DrawGlyphItem(const DRAWITEMSTRUCT& item, const Glyph* glyph, int glyphX, int textX,
                   const std::string& text, UINT verticalAlign) {
  HDC dc = item.hDC;
  const RECT& rc = item.rcItem;
  const folders::GlyphItem places = folders::LayOutGlyphItem(
      rc.left, rc.top, rc.bottom,
      glyph ? folders::GlyphSize{glyph->Width(), glyph->Height(), glyph->Loaded()}
            : folders::GlyphSize{},
      glyphX, textX, (item.itemState & ODS_SELECTED) != 0);
  FillRect(dc, &rc, GetSysColorBrush(SystemColour(places.background)));
  if (glyph) {
    glyph->Draw(dc, places.glyphLeft, places.glyphTop);
    ui::ScopedDcState saved(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(SystemColour(places.text)));
    RECT textRect = rc;
    textRect.left = places.textLeft;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | verticalAlign | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

}  // namespace folderctl
