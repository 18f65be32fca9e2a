// Helpers shared by the window tests: pumping messages, rendering a window into a memory bitmap.
#pragma once

#include <windows.h>

#include <memory>

#include "win32/ui/gdi.h"

namespace gui {

// Handles pending messages for about ms milliseconds (paints, timers, posted input).
inline void Pump(DWORD ms = 50) {
  const DWORD end = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(1);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
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

}  // namespace gui
