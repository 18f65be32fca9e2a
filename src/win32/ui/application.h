// The application object: its title (taskbar and error boxes), its icon, the kinds of control its
// forms are made of, the error box that shows an exception escaping any handler, and the one
// message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/os.h"
#include "win32/ui/control.h"

namespace ui {

class Application {
 public:
  // Title from the program file's name, icon MAINICON from the resources; from now on every
  // window shows the exceptions it catches in the error box.
  explicit Application(os::Os& os);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  const std::string& Title() const { return title_; }
  HICON Icon() const { return icon_; }
  // Filled once at start-up, before the first form is created.
  ControlKinds& Kinds() { return kinds_; }

  // The first top-level form created becomes the main window; closing it ends the loop.
  HWND MainWindow() const { return mainWindow_; }
  void SetMainWindow(HWND hwnd) {
    if (!mainWindow_) mainWindow_ = hwnd;
  }
  // The main window is being destroyed: the next form created becomes the main window.
  void ForgetMainWindow() { mainWindow_ = nullptr; }

  // Forms, whose dialog keys (Tab, Enter, Esc) the loop hands to them while they live.
  void AddDialogWindow(HWND hwnd) { dialogWindows_.push_back(hwnd); }
  void RemoveDialogWindow(HWND hwnd);

  // Shows the error box: error icon, the application's title, the message with its "." rule.
  // The program then goes on.
  void ShowError(const std::string& utf8Message);

  // The message loop: handles messages until done() holds, or until the program is quitting,
  // when it returns false and the quit goes on to the loop outside this one. A message queue
  // that cannot be read raises an exception.
  bool PumpUntil(const std::function<bool()>& done);
  // The program's own loop, until the main window is gone; the program's exit code.
  int Run();

 private:
  std::string title_;
  HICON icon_ = nullptr;
  ControlKinds kinds_;
  HWND mainWindow_ = nullptr;
  std::vector<HWND> dialogWindows_;
  int exitCode_ = 0;
};

}  // namespace ui
