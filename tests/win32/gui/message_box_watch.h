// Reads and closes the message boxes that appear while a test triggers an error: a thread timer
// fires inside the box's own modal loop, reads the box's caption and text and presses OK.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gui {

struct SeenBox {
  std::wstring caption;
  std::wstring text;  // the static texts of the box, joined by "|"
  bool errorIcon = false;
  HCURSOR cursor = nullptr;  // the pointer while the box shows
};

class MessageBoxWatch {
 public:
  MessageBoxWatch() {
    Active() = this;
    timer_ = SetTimer(nullptr, 0, 30, &MessageBoxWatch::Tick);
  }
  ~MessageBoxWatch() {
    KillTimer(nullptr, timer_);
    Active() = nullptr;
  }
  MessageBoxWatch(const MessageBoxWatch&) = delete;
  MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

  std::vector<SeenBox> boxes;

 private:
  static MessageBoxWatch*& Active() {
    static MessageBoxWatch* active = nullptr;
    return active;
  }

  static BOOL CALLBACK Visit(HWND hwnd, LPARAM) {
    wchar_t cls[32] = L"";
    GetClassNameW(hwnd, cls, 32);
    if (std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
    SeenBox box;
    box.cursor = GetCursor();
    wchar_t text[512] = L"";
    GetWindowTextW(hwnd, text, 512);
    box.caption = text;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      GetClassNameW(child, cls, 32);
      if (std::wstring(cls) != L"Static") continue;
      if (GetWindowLongPtrW(child, GWL_STYLE) & SS_ICON) {
        box.errorIcon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
        continue;
      }
      GetWindowTextW(child, text, 512);
      if (!text[0]) continue;
      if (!box.text.empty()) box.text += L"|";
      box.text += text;
    }
    Active()->boxes.push_back(box);
    EndDialog(hwnd, IDOK);
    return TRUE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Active()) EnumThreadWindows(GetCurrentThreadId(), &MessageBoxWatch::Visit, 0);
  }

  UINT_PTR timer_;
};

}  // namespace gui
