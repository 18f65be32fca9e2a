#include "win32/ui/application.h"

#include <algorithm>

#include "core/errors.h"
#include "win32/ui/window.h"

namespace ui {

Application::Application(os::Os& os) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  title_ = zolt::ApplicationTitle(os, path);
  icon_ = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  Window::SetErrorHook([this](const std::string& message) { ShowError(message); });
}

Application::~Application() {
  Window::SetErrorHook(nullptr);
}

void Application::RemoveDialogWindow(HWND hwnd) {
  dialogWindows_.erase(std::remove(dialogWindows_.begin(), dialogWindows_.end(), hwnd),
                       dialogWindows_.end());
}

void Application::ShowError(const std::string& utf8Message) {
  // The title is the program file's name in the system code page; the message is UTF-8.
  const std::wstring caption = FromCodePage(title_, CP_ACP);
  const std::wstring text = Widen(zolt::ErrorBoxText(utf8Message));
  MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

bool Application::PumpUntil(const std::function<bool()>& done) {
  while (!done()) {
    MSG msg;
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) throw zolt::Exception("The program's messages cannot be read");
    if (got == 0) {
      exitCode_ = static_cast<int>(msg.wParam);
      PostQuitMessage(exitCode_);
      return false;
    }
    // Tab, Enter and Esc go to the form whichever of its controls has the focus.
    const auto owner = std::find_if(dialogWindows_.begin(), dialogWindows_.end(), [&](HWND form) {
      return form == msg.hwnd || IsChild(form, msg.hwnd);
    });
    if (owner != dialogWindows_.end() && IsDialogMessageA(*owner, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

int Application::Run() {
  PumpUntil([] { return false; });
  return exitCode_;
}

}  // namespace ui
