// Helpers shared by the window tests: pumping messages, rendering a window into a memory bitmap
// and reading its pixels back, choosing a menu command.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "win32/ui/application.h"
#include "win32/ui/gdi.h"
#include "win32/ui/window.h"

namespace gui {

// The suite's application, made as the program makes its own.
ui::Application& App();

// Handles messages through the application's loop for about ms milliseconds (paints, timers,
// posted input), and then whatever is still posted, so that a slow handler near the end leaves
// nothing behind; false when the program's quit came among them (it stays queued).
inline bool Pump(DWORD ms = 50) {
  const DWORD end = GetTickCount() + ms;
  const UINT_PTR tick = SetTimer(nullptr, 0, 5, nullptr);  // the loop wakes to look at the time
  const bool going = App().PumpUntil([end] {
    return static_cast<LONG>(end - GetTickCount()) <= 0 &&
           HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE | QS_INPUT)) == 0;
  });
  KillTimer(nullptr, tick);
  return going;
}

// Calls seen with each message sent to a window of this thread while it lives: what a window
// goes through inside a call that returns only when it is over (a hide, a destruction).
class SentMessageWatch {
 public:
  explicit SentMessageWatch(std::function<void(const CWPSTRUCT&)> seen) : seen_(std::move(seen)) {
    Active() = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId());
  }
  ~SentMessageWatch() {
    UnhookWindowsHookEx(hook_);
    Active() = nullptr;
  }

 private:
  static SentMessageWatch*& Active() {
    static SentMessageWatch* active = nullptr;
    return active;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && Active()) Active()->seen_(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  std::function<void(const CWPSTRUCT&)> seen_;
  HHOOK hook_;
};

// Drops the quit message a test's destroyed main window posted, so that it ends no later loop.
inline void DropQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

// The window's client area as painted by its own paint routine (WM_PRINTCLIENT).
inline std::unique_ptr<ui::MemoryCanvas> Render(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  auto canvas = std::make_unique<ui::MemoryCanvas>(rc.right, rc.bottom);
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()),
               PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  return canvas;
}

// A rendering read back in one call, as colour words.
class Pixels {
 public:
  // The window's client area as its paint routine draws it.
  explicit Pixels(HWND hwnd) {
    auto canvas = Render(hwnd);
    RECT rc;
    GetClientRect(hwnd, &rc);
    Read(canvas->Dc(), rc.right, rc.bottom);
  }
  // What the bitmap selected into dc holds.
  Pixels(HDC dc, int width, int height) { Read(dc, width, height); }

  COLORREF At(int x, int y) const {
    const DWORD v =
        data_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int LinesRead() const { return lines_; }  // the height when the read succeeded
  bool operator==(const Pixels& other) const {
    return width_ == other.width_ && height_ == other.height_ && data_ == other.data_;
  }
  // Pixels of the colour inside area.
  int Count(const RECT& area, COLORREF colour) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) n += At(x, y) == colour;
    }
    return n;
  }
  bool Has(const RECT& area, COLORREF colour) const { return Count(area, colour) > 0; }
  // Bounding box of the pixels inside area that differ from background; empty when none.
  RECT InkBox(const RECT& area, COLORREF background) const {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (At(x, y) == background) continue;
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
    }
    if (box.left > box.right) box = RECT{0, 0, 0, 0};
    return box;
  }

 private:
  void Read(HDC dc, int width, int height) {
    width_ = width;
    height_ = height;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    data_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    lines_ = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), data_.data(), &bi, DIB_RGB_COLORS);
  }

  int width_ = 0;
  int height_ = 0;
  int lines_ = 0;
  std::vector<DWORD> data_;
};

// Chooses the main window's menu bar item at index as a click on it does (0: Exit, 1: Compare).
inline void ChooseMenuItem(HWND window, int index) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(GetMenu(window), index), 0), 0);
}

}  // namespace gui
