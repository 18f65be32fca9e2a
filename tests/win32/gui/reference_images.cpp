#include "gui/reference_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>
#include <stb_image_write.h>

#include "win32/ui/gdi.h"

namespace gui {
namespace {

// Adds the list a combo box has dropped down to the windows in found.
BOOL CALLBACK AddDroppedList(HWND child, LPARAM found) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(child, &info) && IsWindowVisible(info.hwndList)) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(info.hwndList);
  }
  return TRUE;
}

// The windows of this thread owned, directly or not, by window, with window itself and the lists
// its combo boxes have dropped down (children of the desktop, owned by none): bottom first.
std::vector<HWND> Layers(HWND window) {
  std::vector<HWND> shown;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (!IsWindowVisible(w) || GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId())
      continue;
    HWND owner = w;
    while (owner && owner != window) owner = GetWindow(owner, GW_OWNER);
    if (owner) shown.insert(shown.begin(), w);
  }
  std::vector<HWND> lists;
  for (HWND layer : shown)
    EnumChildWindows(layer, &AddDroppedList, reinterpret_cast<LPARAM>(&lists));
  shown.insert(shown.end(), lists.begin(), lists.end());
  return shown;
}

// A folder of the build machine as the Windows side names it (Wine's Z: is the root).
std::string WindowsPath(const std::string& folder) {
  return "Z:" + folder;
}

using Rgb = std::vector<unsigned char>;

Rgb ToRgb(const Pixels& p) {
  Rgb rgb;
  rgb.reserve(static_cast<size_t>(p.Width()) * static_cast<size_t>(p.Height()) * 3);
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      const COLORREF c = p.At(x, y);
      rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  return rgb;
}

bool WritePng(const std::string& path, int width, int height, const Rgb& rgb) {
  return stbi_write_png(path.c_str(), width, height, 3, rgb.data(), width * 3) != 0;
}

// What draws the pictures, in words "what=version": the build, the screen (size, depth,
// resolution), whether it is the display the scripts start, and the Debian packages of Wine,
// the fonts, FreeType, fontconfig and Xvfb, in the order dpkg keeps them (both architectures
// of one package list the same version).
std::string DrawingEnvironment() {
  HDC screen = GetDC(nullptr);
  std::ostringstream words;
  words << "build=" << sizeof(void*) * 8 << "-bit screen=" << GetSystemMetrics(SM_CXSCREEN) << "x"
        << GetSystemMetrics(SM_CYSCREEN) << "x" << GetDeviceCaps(screen, BITSPIXEL) << "@"
        << GetDeviceCaps(screen, LOGPIXELSY) << "dpi";
  ReleaseDC(nullptr, screen);
  const char *display = std::getenv("DISPLAY"), *ours = std::getenv("ZOLT_TEST_DISPLAY");
  words << " display="
        << (display && ours && std::string(display) == ours ? "scripts/test" : "other");
  std::ifstream status(WindowsPath("/var/lib/dpkg/status"));
  const std::regex drawing("libwine|fonts-.*|libfreetype6|libfontconfig1|xvfb");
  std::string line, package;
  while (std::getline(status, line)) {
    if (line.rfind("Package: ", 0) == 0) package = line.substr(9);
    if (line.rfind("Status: ", 0) == 0 && line.find(" installed") == std::string::npos)
      package = "";
    if (line.rfind("Version: ", 0) == 0 && std::regex_match(package, drawing) &&
        words.str().find(" " + package + "=") == std::string::npos)
      words << " " << package << "=" << line.substr(9);
  }
  return words.str();
}

// The words of one environment that the other lacks.
std::string Lacking(const std::string& one, const std::string& other) {
  std::istringstream in(one);
  std::string word, lacking;
  while (in >> word)
    if ((" " + other + " ").find(" " + word + " ") == std::string::npos) lacking += " " + word;
  return lacking;
}

}  // namespace

Pixels Scene(HWND window) {
  const std::vector<HWND> layers = Layers(window);
  RECT all{};
  for (HWND layer : layers) {
    RECT rc;
    GetWindowRect(layer, &rc);
    UnionRect(&all, &all, &rc);
  }
  ui::MemoryCanvas canvas(all.right - all.left, all.bottom - all.top);
  for (HWND layer : layers) {
    RECT rc;
    GetWindowRect(layer, &rc);
    HDC dc = GetWindowDC(layer);
    BitBlt(canvas.Dc(), rc.left - all.left, rc.top - all.top, rc.right - rc.left,
           rc.bottom - rc.top, dc, 0, 0, SRCCOPY);
    ReleaseDC(layer, dc);
  }
  return Pixels(canvas.Dc(), all.right - all.left, all.bottom - all.top);
}

void ExpectLooksLike(const Pixels& scene, const std::string& reference) {
  const Rgb actual = ToRgb(scene);
  const std::string codePage = ".cp" + std::to_string(GetACP());
  const std::string running = DrawingEnvironment();
  if (const char* rewrite = std::getenv("ZOLT_WRITE_REFERENCES")) {
    const std::string path = WindowsPath(rewrite) + "/" + reference + codePage + ".png";
    EXPECT_TRUE(WritePng(path, scene.Width(), scene.Height(), actual)) << path;
    std::ofstream(WindowsPath(rewrite) + "/environment.txt", std::ios::app)
        << reference + codePage + ".png " << running << "\n";
    return;
  }
  const std::string folder = WindowsPath(ZOLT_REFERENCE_IMAGES) + "/";
  std::string picture = reference + codePage + ".png";
  if (GetFileAttributesA((folder + picture).c_str()) == INVALID_FILE_ATTRIBUTES)
    picture = reference + ".png";
  const std::string path = folder + picture;
  int width = 0, height = 0, channels = 0;
  unsigned char* loaded = stbi_load(path.c_str(), &width, &height, &channels, 3);
  const Rgb expected = loaded ? Rgb(loaded, loaded + width * height * 3) : Rgb();
  stbi_image_free(loaded);
  if (width == scene.Width() && height == scene.Height() && expected == actual) return;

  // Each place of either picture compared: the differing ones, and those the other picture does
  // not reach, in red over a faded copy of the actual picture.
  const int w = std::max(width, scene.Width()), h = std::max(height, scene.Height());
  ui::MemoryCanvas marked(w, h);
  RECT box{};
  int differing = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t i = (static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 3;
      const COLORREF c = x < scene.Width() && y < scene.Height() ? scene.At(x, y) : CLR_INVALID;
      const bool same =
          x < width && y < height && c == RGB(expected[i], expected[i + 1], expected[i + 2]);
      SetPixelV(marked.Dc(), x, y, same ? (c >> 2 & 0x3F3F3F) + 0xC0C0C0 : RGB(255, 0, 0));
      const RECT one{x, y, x + 1, y + 1};
      if (!same && ++differing) UnionRect(&box, &box, &one);
    }
  }
  const std::string out = WindowsPath(ZOLT_IMAGE_MISMATCHES) + "/" + reference + codePage;
  CreateDirectoryA(WindowsPath(ZOLT_IMAGE_MISMATCHES).c_str(), nullptr);
  CopyFileA(path.c_str(), (out + ".reference.png").c_str(), FALSE);
  WritePng(out + ".actual.png", scene.Width(), scene.Height(), actual);
  WritePng(out + ".differences.png", w, h, ToRgb(Pixels(marked.Dc(), w, h)));
  // What made the picture (its line in environment.txt) first, where it is not what runs; then
  // the files, as the build machine names them.
  std::string made;
  for (std::ifstream record(folder + "environment.txt");
       std::getline(record, made) && made.rfind(picture + " ", 0) != 0;) {
  }
  made.erase(0, made.empty() ? 0 : picture.size() + 1);
  const std::string was = made.empty() ? " nothing recorded" : Lacking(made, running);
  const std::string is = Lacking(running, made);
  ADD_FAILURE() << (was.empty() && is.empty() ? ""
                                              : "made with" + was + " / running with" + is + "\n")
                << "the window does not look like " << path.substr(2) << " ("
                << (loaded ? std::to_string(width) + " x " + std::to_string(height) : "unreadable")
                << "): " << scene.Width() << " x " << scene.Height() << " with " << differing
                << " pixels differing within " << box.right - box.left << "x"
                << box.bottom - box.top << "+" << box.left << "+" << box.top << "; see "
                << out.substr(2)
                << ".{reference,actual,differences}.png; scripts/update-references " << reference
                << " writes it again";
}

}  // namespace gui
