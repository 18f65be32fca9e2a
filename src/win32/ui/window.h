// The base of every window of ours: one thunk stores `this` at creation and forwards each message
// to one virtual handler. Exceptions stop here: none may unwind through Windows' own frames (the
// cross compiler's DWARF unwinder would end the program); they go to the error hook, which the
// program sets at start-up to its error box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ui {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return hwnd_; }

  // Registers a window class of ours (once per name) whose procedure is the thunk; extraBytes
  // reserves the window's extra bytes (DLGWINDOWEXTRA for a window with dialog behaviour).
  static void RegisterClass(const char* className, HCURSOR cursor, HBRUSH background,
                            UINT style = CS_DBLCLKS, int extraBytes = 0);

  // Creates the window of a class registered above; `this` reaches the thunk at WM_NCCREATE.
  HWND Create(const char* className, const char* caption, DWORD style, DWORD exStyle, HWND parent,
              int x, int y, int width, int height, HMENU menuOrId = nullptr);

  // Creates a control of a platform class (a push button, a list box, a combo box) as this
  // object's window, subclassed: its messages reach HandleMessage too, DefaultHandling passes
  // them on to its own procedure, and the notifications it sends its parent come back to
  // OnNotification, those sent while it is being created (WM_MEASUREITEM) included.
  HWND CreateControl(const char* className, DWORD style, DWORD exStyle, HWND parent, int id, int x,
                     int y, int width, int height);

  // The object of a window of ours or of a control made by CreateControl; nullptr for any other.
  static Window* FromHandle(HWND hwnd);

  // The form this window belongs to is being shown by the program (not restored with its owner).
  virtual void OnFormShown() {}

  // What every window does with an exception it caught: given the exception's message (UTF-8).
  static void SetErrorHook(std::function<void(const std::string& message)> hook);
  // Hands the exception being handled to the error hook (inside a catch block).
  static void ReportCurrentException();

 protected:
  // One flat switch in each derived class; whatever it does not handle goes to DefaultHandling.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  // What DefaultHandling passes messages to in a window of our own classes (DefWindowProcA
  // unless set; DefDlgProcA gives the window the platform's dialog manager).
  void SetDefaultProcedure(WNDPROC procedure) { defaultProcedure_ = procedure; }
  // Called after WM_NCDESTROY: the handle is gone.
  virtual void OnDestroyed() {}
  // A notification this control sent its parent (WM_COMMAND, WM_DRAWITEM, WM_MEASUREITEM,
  // WM_CHARTOITEM, WM_VKEYTOITEM, WM_CTLCOLOR...), handed back to it by the parent: true when
  // handled, with its result; false leaves it to the parent.
  virtual bool OnNotification(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

 private:
  // The procedure of our own classes and of the controls CreateControl subclasses (which are made
  // before it, so never see WM_NCCREATE here).
  static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // The control a notification to this window comes from, when it is one of ours.
  Window* Sender(UINT message, LPARAM lParam) const;

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;  // the platform's, for a control CreateControl made
  WNDPROC defaultProcedure_ = &DefWindowProcA;
};

// Runs f and hands any exception to the error hook: for the few callbacks that are not window
// procedures (timer and hook procedures).
template <typename F>
void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
    Window::ReportCurrentException();
  }
}

// The system's wait cursor while the scope lasts, the cursor it replaced after it, however the
// scope is left: long work on the one thread shows that it is working, and an error box that
// follows shows the arrow.
class WaitCursor {
 public:
  WaitCursor() {
    // Under Wine each top-level window has its own X cursor, set on the window the pointer was
    // last seen over: reading the input state (dispatching nothing) first takes in the pointer's
    // arrival over another window, as when the Browse dialog hid from under a click on OK.
    GetInputState();
    previous_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  }
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_ = nullptr;
};

// A window's text, as the ANSI functions give it (paths in the system code page).
std::string TextOf(HWND hwnd);

// UTF-8 to UTF-16, for the texts shown through the W functions.
std::wstring Widen(const std::string& utf8);
// Text in a code page (CP_ACP for the system's) to UTF-16.
std::wstring FromCodePage(const std::string& text, UINT codePage);

}  // namespace ui
