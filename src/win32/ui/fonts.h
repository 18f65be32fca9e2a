// The forms' fonts: CreateFontW, so the Japanese face name is right in any code page. Where the
// face is not installed, another Japanese Gothic face of the same pitch is used. No scaling to
// the screen's resolution: heights are in pixels.
#pragma once

#include <windows.h>

#include <string>

#include "core/form_description.h"
#include "win32/ui/gdi.h"

namespace ui {

// height: the character height (no internal leading), in pixels.
Font CreateFormFont(const std::wstring& face, int height, BYTE charset);
// The face that CreateFormFont would use for this request.
std::wstring InstalledFace(const std::wstring& face, BYTE charset);

// The font a form's description asks for (font = "face", character set, height).
Font DescribedFont(const zolt::FormObject& form);

}  // namespace ui
