#include "win32/ui/window.h"

#include <exception>
#include <set>

namespace ui {
namespace {

const char kThisProperty[] = "zolt.window";

// The control CreateControl is making: a notification from a control without an object yet is
// its own.
Window*& Creating() {
  static Window* creating = nullptr;
  return creating;
}

std::function<void(const std::string&)>& ErrorHook() {
  static std::function<void(const std::string&)> hook;
  return hook;
}

}  // namespace

void Window::SetErrorHook(std::function<void(const std::string& message)> hook) {
  ErrorHook() = std::move(hook);
}

void Window::ReportCurrentException() {
  std::string message = "Unknown error";
  try {
    throw;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
  }
  if (ErrorHook()) ErrorHook()(message);
}

std::wstring FromCodePage(const std::string& s, UINT codePage) {
  if (s.empty()) return std::wstring();
  const int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), &out[0], n);
  return out;
}

std::wstring Widen(const std::string& utf8) {
  return FromCodePage(utf8, CP_UTF8);
}

std::string TextOf(HWND hwnd) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd, &text[0], static_cast<int>(text.size()))));
  return text;
}

Window::~Window() {
  if (hwnd_) {
    // Detach first: messages sent while the window is destroyed must not reach a dead object.
    HWND hwnd = hwnd_;
    RemovePropA(hwnd, kThisProperty);
    if (original_) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

void Window::RegisterClass(const char* className, HCURSOR cursor, HBRUSH background, UINT style,
                           int extraBytes) {
  static std::set<std::string> registered;
  if (!registered.insert(className).second) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &Window::Thunk;
  wc.cbWndExtra = extraBytes;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
}

HWND Window::Create(const char* className, const char* caption, DWORD style, DWORD exStyle,
                    HWND parent, int x, int y, int width, int height, HMENU menuOrId) {
  return CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent, menuOrId,
                         GetModuleHandleA(nullptr), this);
}

HWND Window::CreateControl(const char* className, DWORD style, DWORD exStyle, HWND parent, int id,
                           int x, int y, int width, int height) {
  Creating() = this;
  HWND hwnd = CreateWindowExA(exStyle, className, "", style, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleA(nullptr), nullptr);
  Creating() = nullptr;
  if (!hwnd) return nullptr;
  hwnd_ = hwnd;
  SetPropA(hwnd, kThisProperty, this);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Thunk)));
  return hwnd;
}

Window* Window::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Window*>(GetPropA(hwnd, kThisProperty)) : nullptr;
}

Window* Window::Sender(UINT message, LPARAM lParam) const {
  if (message == WM_COMMAND || message == WM_VKEYTOITEM || message == WM_CHARTOITEM ||
      (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)) {
    return FromHandle(reinterpret_cast<HWND>(lParam));  // nullptr for a menu's command
  }
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    return item->CtlType == ODT_MENU ? nullptr : FromHandle(item->hwndItem);
  }
  if (message == WM_MEASUREITEM) {
    // By the control's id: it comes while the control is being created, before its handle leads
    // to its object.
    const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
    if (item->CtlType == ODT_MENU) return nullptr;
    Window* control = FromHandle(GetDlgItem(hwnd_, static_cast<int>(item->CtlID)));
    return control ? control : Creating();
  }
  return nullptr;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return original_ ? CallWindowProcA(original_, hwnd_, message, wParam, lParam)
                   : defaultProcedure_(hwnd_, message, wParam, lParam);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  try {
    // A child's notification goes back to the child in one step; containers pass nothing on.
    Window* sender = Sender(message, lParam);
    if (!sender || !sender->OnNotification(message, wParam, lParam, result)) {
      result = HandleMessage(message, wParam, lParam);
    }
  } catch (...) {
    ReportCurrentException();
  }
  if (message == WM_NCDESTROY) {
    RemovePropA(hwnd_, kThisProperty);
    hwnd_ = nullptr;
    original_ = nullptr;
    OnDestroyed();
  }
  return result;
}

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* self = static_cast<Window*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetPropA(hwnd, kThisProperty, self);
  }
  Window* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

}  // namespace ui
