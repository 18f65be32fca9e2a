#include "win32/ui/application.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "core/errors.h"
#include "win32/os/os_win32.h"
#include "win32/ui/window.h"

namespace ui {
namespace {

std::vector<HWND>& DialogWindows() {
  static std::vector<HWND> windows;
  return windows;
}

std::wstring FromCodePage(const std::string& s, UINT codePage) {
  if (s.empty()) return std::wstring();
  const int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), &out[0], n);
  return out;
}

}  // namespace

std::wstring Widen(const std::string& utf8) { return FromCodePage(utf8, CP_UTF8); }

Application& Application::Instance() {
  static Application app;
  return app;
}

void Application::Initialize() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  title_ = zolt::ApplicationTitle(os::RealOs(), path);
  icon_ = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
}

void Application::ShowError(const std::string& utf8Message) {
  // The title is the program file's name in the system code page; the message is UTF-8.
  const std::wstring caption = FromCodePage(title_, CP_ACP);
  const std::wstring text = Widen(zolt::ErrorBoxText(utf8Message));
  HWND owner = GetActiveWindow();
  MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

bool Application::ProcessOneMessage() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  for (HWND dialog : DialogWindows()) {
    if ((dialog == msg.hwnd || IsChild(dialog, msg.hwnd)) && IsDialogMessageA(dialog, &msg)) {
      return true;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

int Application::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    bool handled = false;
    for (HWND dialog : DialogWindows()) {
      if ((dialog == msg.hwnd || IsChild(dialog, msg.hwnd)) && IsDialogMessageA(dialog, &msg)) {
        handled = true;
        break;
      }
    }
    if (!handled) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

void RegisterDialogWindow(HWND hwnd) { DialogWindows().push_back(hwnd); }

void UnregisterDialogWindow(HWND hwnd) {
  auto& windows = DialogWindows();
  windows.erase(std::remove(windows.begin(), windows.end(), hwnd), windows.end());
}

void ShowCurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    Application::Instance().ShowError(e.what());
  } catch (...) {
    Application::Instance().ShowError("Unknown error");
  }
}

}  // namespace ui
