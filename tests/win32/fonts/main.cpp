// Runs the font checks; "--measure [FACE...]" instead prints the metrics of the given faces (by
// default every installed Japanese face) at the Browse dialog's and the main window's heights,
// the figures by which scripts/setup's stand-ins for the Gothic faces were chosen.
#include <gtest/gtest.h>
#include <windows.h>
// shellapi.h needs windows.h first
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "font_probe.h"

namespace {

int MeasureFaces(std::vector<std::wstring> faces) {
  if (faces.empty()) faces = fonts::JapaneseFaces();
  for (const std::wstring& face : faces) {
    for (int height : {-16, -15}) {
      const ui::Font font = fonts::PlainFont(face, height, SHIFTJIS_CHARSET);
      std::printf("%s\n", fonts::Describe(face, height, fonts::Measure(font.Get())).c_str());
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Face names may be Japanese: read them from the UTF-16 command line, not the ANSI one.
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args && count > 1 && std::wstring(args[1]) == L"--measure") {
    std::vector<std::wstring> faces(args + 2, args + count);
    LocalFree(args);
    return MeasureFaces(faces);
  }
  LocalFree(args);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
