// Helpers shared by the window tests: pumping messages until the queue is idle, recording error
// boxes, rendering a window into a memory bitmap or reading the screen back, choosing a menu
// command.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "win32/ui/application.h"
#include "win32/ui/gdi.h"
#include "win32/ui/window.h"

namespace gui {

// The suite's application, made as the program makes its own.
ui::Application& App();

// Handles messages through the application's loop until none is waiting (posted, sent, input,
// paints, timers due); false when the program's quit came among them (it stays queued). Asked
// of the queue itself: a status bit can stay set for input the thread will never receive.
inline bool Pump() {
  return App().PumpUntil([] {
    MSG waiting;
    return !PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE);
  });
}

// The error boxes the program shows, recorded through its own error hook instead of shown: each
// box's text, as the box would read (UTF-8), and the pointer's cursor at that moment. An error
// box while none is recorded fails the test.
class ErrorBoxes {
 public:
  struct Box {
    std::string text;
    HCURSOR cursor;
  };
  ErrorBoxes() { Active() = this; }
  ~ErrorBoxes() { Active() = nullptr; }
  ErrorBoxes(const ErrorBoxes&) = delete;
  ErrorBoxes& operator=(const ErrorBoxes&) = delete;

  // The suite's error hook.
  static void Record(const std::string& message) {
    const std::string text = zolt::ErrorBoxText(message);
    if (Active()) {
      Active()->boxes.push_back(Box{text, GetCursor()});
    } else {
      ADD_FAILURE() << "an error box: " << text;
    }
  }

  std::vector<Box> boxes;

 private:
  static ErrorBoxes*& Active() {
    static ErrorBoxes* active = nullptr;
    return active;
  }
};

using Step = std::function<void()>;

// Runs steps inside a modal loop (a dialog's, a message box's), each once the loop has handled
// everything the step before posted: the first is posted before the modal call, and each posts
// the next. A dialog the steps leave open is closed and reported, so a fault cannot hang the
// suite.
class ModalDriver : public ui::Window {
 public:
  explicit ModalDriver(std::vector<Step> steps, HWND dialog = nullptr)
      : steps_(std::move(steps)), dialog_(dialog) {
    RegisterClass("ZoltTestModalDriver", nullptr, nullptr);
    Create("ZoltTestModalDriver", "", 0, 0, HWND_MESSAGE, 0, 0, 0, 0);
    PostMessageA(Handle(), kNext, 0, 0);
  }
  bool Finished() const { return next_ == steps_.size(); }
  bool ForcedClose() const { return forced_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != kNext) return DefaultHandling(message, wParam, lParam);
    // Only posted messages go before the next step: the loop takes input, paints and timers once
    // none is posted. A quit comes last of all and ends the loop.
    MSG waiting;
    if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE | QS_POSTMESSAGE << 16)) {
      if (waiting.message != WM_QUIT) PostMessageA(Handle(), kNext, 0, 0);
    } else if (next_ < steps_.size()) {
      steps_[next_++]();
      PostMessageA(Handle(), kNext, 0, 0);
    } else if (dialog_ && IsWindowVisible(dialog_)) {
      forced_ = true;
      PostMessageA(dialog_, WM_CLOSE, 0, 0);
    }
    return 0;
  }

 private:
  static constexpr UINT kNext = WM_APP;
  std::vector<Step> steps_;
  HWND dialog_;
  size_t next_ = 0;
  bool forced_ = false;
};

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

// Drops the quit message a test's destroyed main window posted, so that it ends no later loop;
// true when there was one.
inline bool DropQuit() {
  MSG msg;
  bool dropped = false;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) dropped = true;
  return dropped;
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
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), data_.data(), &bi, DIB_RGB_COLORS);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> data_;
};

// What the screen shows of the window's client area, read back from the window's own DC: what
// its paints put there, not a render on request.
inline Pixels OnScreen(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  ui::MemoryCanvas canvas(rc.right, rc.bottom);
  {
    ui::ScopedWindowDc screen(hwnd);
    BitBlt(canvas.Dc(), 0, 0, rc.right, rc.bottom, screen.Get(), 0, 0, SRCCOPY);
  }
  return Pixels(canvas.Dc(), rc.right, rc.bottom);
}

// Runs an action between two rounds of painting, then checks that each window shows on the screen
// what it paints for its new state. Before the action everything pending is painted, so the
// screen is up to date; after it only what the program invalidated is painted again, by its own
// WM_PAINT: a forgotten repaint leaves the old picture on the screen.
inline void ExpectShownAfter(std::initializer_list<HWND> windows,
                             const std::function<void()>& action) {
  Pump();
  action();
  Pump();
  for (HWND hwnd : windows) {
    EXPECT_TRUE(OnScreen(hwnd) == Pixels(hwnd)) << "the screen does not show window " << hwnd;
  }
}

// Chooses the main window's menu bar item at index as a click on it does (0: Exit, 1: Compare).
inline void ChooseMenuItem(HWND window, int index) {
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(GetMenu(window), index), 0), 0);
}

}  // namespace gui
