// Measures fonts as Wine draws them: the text metrics, and where the glyphs' ink falls in the
// character cell. Shared by the checks and by the measuring mode that compares candidate faces.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win32/ui/gdi.h"

namespace fonts {

// A font as a program asks for it by face name, height in pixels and character set.
ui::Font PlainFont(const std::wstring& face, int height, BYTE charset);

struct CellMetrics {
  std::wstring selected;  // the face Wine chose for the request
  TEXTMETRICW tm{};
  // Rows from the cell's top, over the printable ASCII glyphs: the highest ink row and one past
  // the lowest; the same for "_", whose ink is the lowest of most faces.
  int inkTop = 0;
  int inkBottom = 0;
  int underscoreBottom = 0;  // 0 when "_" draws nothing
  std::wstring blank;        // the printable ASCII characters that draw nothing
};

CellMetrics Measure(HFONT font);

// The face Wine chose for font.
std::wstring SelectedFace(HFONT font);

// Each character of text drawn alone: the pixels of its cell. A face without the characters
// draws the same box for all of them.
std::vector<std::vector<COLORREF>> GlyphImages(HFONT font, const std::wstring& text);

// The installed faces with a Japanese character set, vertical ("@") faces left out.
std::vector<std::wstring> JapaneseFaces();

// One line of figures for a report: the face asked for, the one chosen and its metrics.
std::string Describe(const std::wstring& asked, int height, const CellMetrics& m);

std::string Utf8(const std::wstring& text);

}  // namespace fonts
