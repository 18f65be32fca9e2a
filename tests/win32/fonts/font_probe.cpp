#include "font_probe.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <set>

#include "gui/gui_support.h"
#include "win32/ui/gdi.h"

namespace fonts {

namespace {

// Wide enough for any glyph of a UI font, with room above and below the cell.
constexpr int kCanvas = 96;
constexpr int kOrigin = 32;
const COLORREF kWhite = RGB(255, 255, 255);

// The ink box of ch drawn with its cell's top left corner at (kOrigin, kOrigin).
RECT InkOf(HDC dc, wchar_t ch) {
  const RECT all{0, 0, kCanvas, kCanvas};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TextOutW(dc, kOrigin, kOrigin, &ch, 1);
  return gui::Pixels(dc, kCanvas, kCanvas).InkBox(all, kWhite);
}

void PrepareCanvas(HDC dc) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

int CALLBACK NoteFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM faces) {
  if (lf->lfFaceName[0] != L'@') {
    reinterpret_cast<std::set<std::wstring>*>(faces)->insert(lf->lfFaceName);
  }
  return 1;
}

}  // namespace

ui::Font PlainFont(const std::wstring& face, int height, BYTE charset) {
  return ui::Font(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring SelectedFace(HFONT font) {
  ui::ScopedWindowDc screen(nullptr);
  ui::ScopedSelect select(screen.Get(), font);
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(screen.Get(), LF_FACESIZE, face);
  return face;
}

CellMetrics Measure(HFONT font) {
  ui::MemoryCanvas canvas(kCanvas, kCanvas);
  HDC dc = canvas.Dc();
  ui::ScopedSelect select(dc, font);
  PrepareCanvas(dc);
  CellMetrics m;
  m.selected = SelectedFace(font);
  GetTextMetricsW(dc, &m.tm);
  m.inkTop = INT_MAX;
  m.inkBottom = INT_MIN;
  for (wchar_t ch = L'!'; ch <= L'~'; ++ch) {
    const RECT ink = InkOf(dc, ch);
    if (IsRectEmpty(&ink)) {
      m.blank += ch;
      continue;
    }
    m.inkTop = std::min<int>(m.inkTop, ink.top - kOrigin);
    m.inkBottom = std::max<int>(m.inkBottom, ink.bottom - kOrigin);
    if (ch == L'_') m.underscoreBottom = ink.bottom - kOrigin;
  }
  if (m.inkTop > m.inkBottom) m.inkTop = m.inkBottom = 0;  // no ink at all: blank says so
  return m;
}

std::vector<std::vector<COLORREF>> GlyphImages(HFONT font, const std::wstring& text) {
  ui::MemoryCanvas canvas(kCanvas, kCanvas);
  HDC dc = canvas.Dc();
  ui::ScopedSelect select(dc, font);
  PrepareCanvas(dc);
  std::vector<std::vector<COLORREF>> images;
  for (wchar_t ch : text) {
    InkOf(dc, ch);
    const gui::Pixels pixels(dc, kCanvas, kCanvas);
    std::vector<COLORREF> image;
    for (int y = 0; y < kCanvas; ++y) {
      for (int x = 0; x < kCanvas; ++x) image.push_back(pixels.At(x, y));
    }
    images.push_back(std::move(image));
  }
  return images;
}

std::vector<std::wstring> JapaneseFaces() {
  LOGFONTW lf{};
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::set<std::wstring> faces;
  ui::ScopedWindowDc screen(nullptr);
  EnumFontFamiliesExW(screen.Get(), &lf, &NoteFace, reinterpret_cast<LPARAM>(&faces), 0);
  return {faces.begin(), faces.end()};
}

std::string Describe(const std::wstring& asked, int height, const CellMetrics& m) {
  char line[512];
  std::snprintf(line, sizeof line,
                "%-22s %4d  %-22s cell %2ld = ascent %2ld + descent %ld, internal leading %ld, "
                "external %ld, average width %ld; ASCII ink rows %d..%d, \"_\" ends at row %d%s%s",
                Utf8(asked).c_str(), height, Utf8(m.selected).c_str(), m.tm.tmHeight, m.tm.tmAscent,
                m.tm.tmDescent, m.tm.tmInternalLeading, m.tm.tmExternalLeading, m.tm.tmAveCharWidth,
                m.inkTop, m.inkBottom - 1, m.underscoreBottom - 1,
                m.blank.empty() ? "" : "; no ink: ", Utf8(m.blank).c_str());
  return line;
}

}  // namespace fonts
