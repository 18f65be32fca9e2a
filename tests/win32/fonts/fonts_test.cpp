// The fonts of the project's Wine prefix, which scripts/setup prepares: Japanese texts read in
// every UI font at every locale, the caption buttons find their symbol font, and the stand-ins
// for the Gothic faces keep every ASCII glyph inside a cell as tall as the real faces' cell.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "font_probe.h"
#include "win32/ui/fonts.h"

namespace {

const wchar_t kFixedGothic[] = L"ＭＳ ゴシック";
const wchar_t kProportionalGothic[] = L"ＭＳ Ｐゴシック";

// The Gothic faces as the forms ask for them.
ui::Font FormFont(const wchar_t* face, int height) {
  return ui::CreateFormFont(face, -height, SHIFTJIS_CHARSET);
}

TEST(PrefixFonts, JapaneseTextShowsInEveryUiFont) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  struct Case {
    const char* use;
    ui::Font font;
  };
  Case cases[] = {
      {"message box", ui::Font(CreateFontIndirectW(&metrics.lfMessageFont))},
      {"caption", ui::Font(CreateFontIndirectW(&metrics.lfCaptionFont))},
      {"menu", ui::Font(CreateFontIndirectW(&metrics.lfMenuFont))},
      {"status", ui::Font(CreateFontIndirectW(&metrics.lfStatusFont))},
      {"dialog (MS Shell Dlg)", fonts::PlainFont(L"MS Shell Dlg", -11, DEFAULT_CHARSET)},
      {"dialog (MS Shell Dlg 2)", fonts::PlainFont(L"MS Shell Dlg 2", -11, DEFAULT_CHARSET)},
      {"Browse dialog", FormFont(kFixedGothic, -16)},
      {"main window", FormFont(kProportionalGothic, -15)},
  };
  // Nine different characters, of the program's own error messages: a face that lacks them
  // draws nine equal boxes (or nothing).
  const std::wstring text = L"範囲チェックエラー";
  for (const Case& c : cases) {
    const std::string face = fonts::Utf8(fonts::SelectedFace(c.font.Get()));
    SCOPED_TRACE(std::string(c.use) + ", drawn with " + face);
    const auto images = fonts::GlyphImages(c.font.Get(), text);
    const std::vector<COLORREF> blank(images[0].size(), RGB(255, 255, 255));
    const std::set<std::vector<COLORREF>> distinct(images.begin(), images.end());
    std::printf("%s, %s: %d different glyphs of %d\n", c.use, face.c_str(),
                static_cast<int>(distinct.size()), static_cast<int>(text.size()));
    EXPECT_EQ(std::count(images.begin(), images.end(), blank), 0) << "characters that draw nothing";
    EXPECT_EQ(distinct.size(), text.size()) << "different pictures for the different characters";
  }
}

TEST(PrefixFonts, CaptionButtonsFindTheirSymbolFont) {
  // Wine draws minimise, maximise and close as the letters "0", "1" and "r" of this face: where
  // it is missing, those letters show.
  const ui::Font font = fonts::PlainFont(L"Marlett", -13, SYMBOL_CHARSET);
  EXPECT_EQ(fonts::SelectedFace(font.Get()), L"Marlett");
}

TEST(PrefixFonts, GothicStandInsKeepEveryAsciiGlyphInsideTheirCell) {
  // The real faces' cell is as tall as the requested character height, and the dialog's list
  // items are one cell tall: a taller cell or ink below it hides "_" in folder names.
  for (const wchar_t* face : {kFixedGothic, kProportionalGothic}) {
    for (int height : {-16, -15}) {
      const ui::Font font = FormFont(face, height);
      const fonts::CellMetrics m = fonts::Measure(font.Get());
      const std::string figures = fonts::Describe(face, height, m);
      std::printf("%s\n", figures.c_str());
      SCOPED_TRACE(figures);
      EXPECT_EQ(m.tm.tmHeight, -height);
      EXPECT_GE(m.inkTop, 0);
      EXPECT_LE(m.inkBottom, m.tm.tmHeight);
      EXPECT_TRUE(m.blank.empty()) << "glyphs without ink";
      EXPECT_GT(m.underscoreBottom, 0);
      EXPECT_LE(m.underscoreBottom, m.tm.tmHeight);
    }
  }
}

}  // namespace
