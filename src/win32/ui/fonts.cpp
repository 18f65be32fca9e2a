#include "win32/ui/fonts.h"

#include "win32/ui/window.h"

namespace ui {
namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const std::wstring& face, BYTE charset) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW lf{};
  lf.lfCharSet = charset;
  face.copy(lf.lfFaceName, face.size());
  bool found = false;
  ScopedWindowDc screen(nullptr);
  EnumFontFamiliesExW(screen.Get(), &lf, &NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

std::wstring InstalledFace(const std::wstring& face, BYTE charset) {
  if (FaceInstalled(face, charset)) return face;
  // Proportional faces ("ＭＳ Ｐゴシック") fall back to proportional ones first.
  const bool proportional =
      face.find(L'\xFF30') != std::wstring::npos || face.find(L"PGothic") != std::wstring::npos;
  static const wchar_t* const kProportional[] = {L"MS PGothic", L"IPAPGothic", L"VL PGothic",
                                                 L"IPAGothic", L"MS Gothic"};
  static const wchar_t* const kFixed[] = {L"MS Gothic", L"IPAGothic", L"VL Gothic", L"IPAPGothic",
                                          L"MS PGothic"};
  for (const wchar_t* fallback : proportional ? kProportional : kFixed) {
    if (FaceInstalled(fallback, charset)) return fallback;
  }
  return face;
}

Font CreateFormFont(const std::wstring& face, int height, BYTE charset) {
  const std::wstring installed = InstalledFace(face, charset);
  // A negative height asks for the character height, internal leading left out.
  return Font(CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, installed.c_str()));
}

Font DescribedFont(const zolt::FormObject& form) {
  static const BYTE charsets[] = {DEFAULT_CHARSET, ANSI_CHARSET, SHIFTJIS_CHARSET};
  std::wstring face;
  int charset = 0, height = 12;
  if (const zolt::FormProperty* p = form.Find("font")) {
    zolt::ValueReader value(*p);
    face = Widen(value.Text());
    value.Expect(',');
    charset = value.Choice({"default", "ANSI", "Shift-JIS"});
    value.Expect(',');
    height = value.Number();
    value.End();
  }
  return CreateFormFont(face, height, charsets[charset]);
}

}  // namespace ui
