// The application object: its title (taskbar and error boxes), its icon, the outer handler that
// shows an exception escaping any handler, and the one message loop.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

class Application {
 public:
  static Application& Instance();

  // Title from the program file's name; icon MAINICON from the resources.
  void Initialize();
  const std::string& Title() const { return title_; }
  HICON Icon() const { return icon_; }

  // The first top-level form created becomes the main window; closing it ends the loop.
  HWND MainWindow() const { return mainWindow_; }
  void SetMainWindow(HWND hwnd) {
    if (!mainWindow_) mainWindow_ = hwnd;
  }
  // The main window is being destroyed: the next form created becomes the main window.
  void ForgetMainWindow() { mainWindow_ = nullptr; }

  // Shows the error box: error icon, the application's title, the message with its "." rule.
  // The program then goes on.
  void ShowError(const std::string& utf8Message);

  // Pumps messages until the main window is gone.
  int Run();
  // Handles one queued message the way the loop does (dialog keys included); false when empty.
  bool ProcessOneMessage();

 private:
  std::string title_;
  HICON icon_ = nullptr;
  HWND mainWindow_ = nullptr;
};

// Translates a message for the active form: Tab between controls, Enter and Esc to its default
// and cancel buttons. Forms register themselves while they live.
void RegisterDialogWindow(HWND hwnd);
void UnregisterDialogWindow(HWND hwnd);

// UTF-8 to UTF-16, for the texts shown through the W functions.
std::wstring Widen(const std::string& utf8);

}  // namespace ui
