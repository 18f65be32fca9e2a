#include "gui/reference_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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
  if (const char* rewrite = std::getenv("ZOLT_WRITE_REFERENCES")) {
    const std::string path = WindowsPath(rewrite) + "/" + reference + codePage + ".png";
    EXPECT_TRUE(WritePng(path, scene.Width(), scene.Height(), actual)) << path;
    return;
  }
  const std::string folder = WindowsPath(ZOLT_REFERENCE_IMAGES) + "/" + reference;
  std::string path = folder + codePage + ".png";
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) path = folder + ".png";
  int width = 0, height = 0, channels = 0;
  unsigned char* loaded = stbi_load(path.c_str(), &width, &height, &channels, 3);
  const Rgb expected = loaded ? Rgb(loaded, loaded + width * height * 3) : Rgb();
  stbi_image_free(loaded);
  if (width == scene.Width() && height == scene.Height() && expected == actual) return;

  // Every pixel that differs in red, over a faded copy of the actual picture.
  Rgb differences = actual;
  int differing = 0;
  for (size_t i = 0; i < actual.size(); i += 3) {
    const bool same =
        i + 2 < expected.size() && std::equal(&actual[i], &actual[i] + 3, &expected[i]);
    differing += !same;
    for (size_t k = 0; k < 3; ++k) {
      differences[i + k] = same ? static_cast<unsigned char>(160 + actual[i + k] / 3)
                                : static_cast<unsigned char>(k == 0 ? 255 : 0);
    }
  }
  const std::string out = WindowsPath(ZOLT_IMAGE_MISMATCHES) + "/" + reference + codePage;
  CreateDirectoryA(WindowsPath(ZOLT_IMAGE_MISMATCHES).c_str(), nullptr);
  WritePng(out + ".actual.png", scene.Width(), scene.Height(), actual);
  WritePng(out + ".differences.png", scene.Width(), scene.Height(), differences);
  // Named as the build machine names them.
  ADD_FAILURE() << "the window does not look like " << path.substr(2) << " ("
                << (loaded ? std::to_string(width) + " x " + std::to_string(height) : "unreadable")
                << "): " << scene.Width() << " x " << scene.Height() << " with " << differing
                << " pixels differing; see " << out.substr(2) << ".actual.png and " << out.substr(2)
                << ".differences.png";
}

}  // namespace gui
