#include "win32/ui/form.h"

#include <algorithm>
#include <utility>

#include "win32/ui/application.h"
#include "win32/ui/controls.h"

namespace ui {
namespace {

const char kFormClass[] = "ZoltForm";

struct Kind {
  ControlFactory factory;
  bool container = false;
};

std::map<std::string, Kind>& Kinds() {
  static std::map<std::string, Kind> kinds;
  static bool standard = false;
  if (!standard) {
    standard = true;
    RegisterStandardControlKinds();
  }
  return kinds;
}

zolt::Align ReadAlign(const zolt::FormObject& o) {
  static const zolt::Align aligns[] = {zolt::Align::kNone, zolt::Align::kLeft, zolt::Align::kTop,
                                       zolt::Align::kBottom, zolt::Align::kClient};
  return aligns[o.Choice("Align", {"None", "Left", "Top", "Bottom", "Client"}, 0)];
}

int ReadColor(const zolt::FormObject& o, int fallback) {
  static const int colors[] = {COLOR_BTNFACE, COLOR_WINDOW};
  const int index = o.Choice("Color", {"BtnFace", "Window"}, -1);
  return index < 0 ? fallback : colors[index];
}

}  // namespace

void RegisterControlKind(const std::string& kind, ControlFactory factory, bool container) {
  Kinds()[kind] = Kind{std::move(factory), container};
}

Font DescribedFont(const zolt::FormObject& form) {
  static const BYTE charsets[] = {DEFAULT_CHARSET, ANSI_CHARSET, SHIFTJIS_CHARSET};
  const BYTE charset = charsets[form.Choice("Font.Charset", {"Default", "Ansi", "ShiftJis"}, 0)];
  form.Choice("Font.Color", {"WindowText"}, 0);  // the only colour our controls draw text in
  const unsigned fontStyle = form.Flags("Font.Style", {{"Bold", 1}, {"Italic", 2}}, 0);
  return CreateFormFont(Widen(form.Text("Font.Name", "")), form.Number("Font.Height", -12), charset,
                        (fontStyle & 1) ? FW_BOLD : FW_NORMAL, (fontStyle & 2) != 0);
}

std::string LoadTextResource(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) throw zolt::Exception(std::string("The program has no resource ") + name);
  HGLOBAL loaded = LoadResource(module, found);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return std::string(data, SizeofResource(module, found));
}

Form::Form(std::string kind) : kind_(std::move(kind)) {
  // The platform's dialog manager keeps the focused control over deactivation, moves the
  // default-button frame with the focus and answers DM_GETDEFID.
  SetDefaultProcedure(&DefDlgProcA);
}

Form::~Form() {
  // Destroyed while the controls still live and WM_DESTROY still reaches this form, so a main
  // window that goes this way ends the loop too. The menu goes with the window.
  if (Handle()) DestroyWindow(Handle());
}

void Form::Bind(const std::string& handlerName, std::function<void()> handler) {
  handlers_[handlerName] = std::move(handler);
}

void Form::BindClose(const std::string& handlerName, std::function<void(CloseAction&)> handler) {
  closeHandlers_[handlerName] = std::move(handler);
}

void Form::BindDrawCell(const std::string& handlerName, DrawCellHandler handler) {
  drawCellHandlers_[handlerName] = std::move(handler);
}

namespace {

// The handler of handlers that a description's event names; nullptr when the event is absent.
template <typename H>
H Lookup(const std::map<std::string, H>& handlers, const zolt::FormObject& description,
         const char* event, const std::string& kind) {
  const zolt::FormProperty* p = description.Find(event);
  if (!p) return nullptr;
  if (p->value.type != zolt::FormValue::Type::kIdentifier) {
    throw zolt::FormError(p->line, std::string(event) + " must name a handler");
  }
  auto found = handlers.find(p->value.text);
  if (found == handlers.end()) {
    throw zolt::FormError(p->line, kind + " has no handler " + p->value.text);
  }
  return found->second;
}

}  // namespace

std::function<void()> Form::Handler(const zolt::FormObject& description, const char* event) {
  return Lookup(handlers_, description, event, kind_);
}

DrawCellHandler Form::DrawCellHandlerFor(const zolt::FormObject& description, const char* event) {
  return Lookup(drawCellHandlers_, description, event, kind_);
}

void Form::CreateFromResource(const char* resourceName) {
  CreateFromText(LoadTextResource(resourceName));
}

void Form::CreateFromText(std::string_view text) {
  const zolt::FormObject root = zolt::ParseFormDescription(text);
  if (root.kind != kind_) {
    throw zolt::FormError(root.line, "the description is of a " + root.kind + ", not a " + kind_);
  }
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT outer{};
  std::wstring caption;
  ReadFormProperties(root, style, exStyle, outer, caption);

  Window::RegisterClass(kFormClass, nullptr, nullptr, CS_DBLCLKS, DLGWINDOWEXTRA);
  if (!Create(kFormClass, "", style, exStyle, nullptr, outer.left, outer.top,
              outer.right - outer.left, outer.bottom - outer.top, menu_)) {
    throw zolt::Exception("The window " + root.name + " could not be created");
  }
  SetWindowTextW(Handle(), caption.c_str());
  Application& app = Application::Instance();
  app.SetMainWindow(Handle());
  if (app.MainWindow() == Handle() && app.Icon()) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app.Icon()));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app.Icon()));
  }
  RegisterDialogWindow(Handle());
  CreateChildren(root, nullptr);
  Realign();
}

void Form::ReadFormProperties(const zolt::FormObject& root, DWORD& style, DWORD& exStyle,
                              RECT& outer, std::wstring& caption) {
  caption = Widen(root.Text("Caption", ""));
  colorIndex_ = ReadColor(root, COLOR_BTNFACE);
  const bool dialog = root.Choice("BorderStyle", {"Sizeable", "Dialog"}, 0) == 1;
  style = WS_CLIPCHILDREN |
          (dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME : WS_OVERLAPPEDWINDOW);
  exStyle = WS_EX_CONTROLPARENT | (dialog ? WS_EX_DLGMODALFRAME : 0);

  font_ = DescribedFont(root);

  // The menu is made first, so that the window's client area is measured with it.
  const std::string menuName = root.Identifier("Menu", "");
  for (const zolt::FormObject& child : root.children) {
    if (child.kind != "TMainMenu") continue;
    if (child.name != menuName) {
      throw zolt::FormError(child.line, "the form's Menu property does not name " + child.name);
    }
    BuildMenu(child);
  }
  if (!menuName.empty() && !menu_) {
    throw zolt::FormError(root.Find("Menu")->line, "the form has no menu " + menuName);
  }

  outer.left = root.Number("Left", 0);
  outer.top = root.Number("Top", 0);
  const zolt::FormProperty* clientWidth = root.Find("ClientWidth");
  const zolt::FormProperty* clientHeight = root.Find("ClientHeight");
  if (clientWidth || clientHeight) {
    RECT client{0, 0, root.Number("ClientWidth", 0), root.Number("ClientHeight", 0)};
    AdjustWindowRectEx(&client, style, menu_ != nullptr, exStyle);
    outer.right = outer.left + client.right - client.left;
    outer.bottom = outer.top + client.bottom - client.top;
  } else {
    outer.right = outer.left + root.Number("Width", 0);
    outer.bottom = outer.top + root.Number("Height", 0);
  }
  onShow_ = Handler(root, "OnShow");
  if (const zolt::FormProperty* p = root.Find("OnClose")) {
    auto found = closeHandlers_.find(p->value.text);
    if (p->value.type != zolt::FormValue::Type::kIdentifier || found == closeHandlers_.end()) {
      throw zolt::FormError(p->line, kind_ + " has no close handler " + p->value.text);
    }
    onClose_ = found->second;
  }
  root.CheckAllRead();
}

void Form::BuildMenu(const zolt::FormObject& menu) {
  menu_ = CreateMenu();
  auto control = std::make_unique<Control>();
  control->name = menu.name;
  control->kind = menu.kind;
  byName_[menu.name] = control.get();
  controls_.push_back(std::move(control));
  for (const zolt::FormObject& item : menu.children) {
    if (item.kind != "TMenuItem") {
      throw zolt::FormError(item.line, "a main menu holds menu items, not " + item.kind);
    }
    if (!item.children.empty()) {
      throw zolt::FormError(item.children.front().line, "the menu bar has no drop-down menus");
    }
    auto entry = std::make_unique<Control>();
    entry->name = item.name;
    entry->kind = item.kind;
    entry->commandId = static_cast<UINT>(nextId_++);
    entry->onClick = Handler(item, "OnClick");
    const std::wstring caption = Widen(item.Text("Caption", ""));
    AppendMenuW(menu_, MF_STRING, entry->commandId, caption.c_str());
    item.CheckAllRead();
    byName_[item.name] = entry.get();
    byCommand_[entry->commandId] = entry.get();
    controls_.push_back(std::move(entry));
  }
  menu.CheckAllRead();
}

void Form::CreateChildren(const zolt::FormObject& description, Control* parent) {
  for (const zolt::FormObject& child : description.children) {
    if (child.kind == "TMainMenu") {
      if (parent) throw zolt::FormError(child.line, "a main menu belongs to the form itself");
      continue;  // made before the window
    }
    auto found = Kinds().find(child.kind);
    if (found == Kinds().end()) {
      throw zolt::FormError(child.line, "no control kind " + child.kind);
    }
    if (!found->second.container && !child.children.empty()) {
      throw zolt::FormError(child.children.front().line, child.kind + " holds no controls");
    }
    auto control = std::make_unique<Control>();
    control->name = child.name;
    control->kind = child.kind;
    control->parent = parent;
    control->align = ReadAlign(child);
    control->bounds = zolt::Bounds{child.Number("Left", 0), child.Number("Top", 0),
                                   child.Number("Width", 0), child.Number("Height", 0)};
    const int id = nextId_++;
    ControlContext context{*this, child, *control, parent ? parent->hwnd : Handle(), id};
    found->second.factory(context);
    child.CheckAllRead();
    if (!control->hwnd) throw zolt::FormError(child.line, child.name + " could not be created");
    SendMessageA(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    Control* raw = control.get();
    byName_[raw->name] = raw;
    byHandle_[raw->hwnd] = raw;
    if (raw->onClick) byCommand_[static_cast<UINT>(GetDlgCtrlID(raw->hwnd))] = raw;
    (parent ? parent->children : topControls_).push_back(raw);
    controls_.push_back(std::move(control));
    if (!child.children.empty()) CreateChildren(child, raw);
  }
}

Control& Form::Find(const std::string& name) {
  auto found = byName_.find(name);
  if (found == byName_.end()) throw zolt::Exception(kind_ + " has no control " + name);
  return *found->second;
}

void Form::Show() {
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
}

void Form::Close() {
  SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void Form::ShowModal() {
  HWND owner = Application::Instance().MainWindow();
  if (owner == Handle()) owner = nullptr;
  // Owned by the main window: it stays above it and is not a window of its own on the taskbar.
  SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  if (owner) EnableWindow(owner, FALSE);
  modal_ = true;
  Show();
  SetForegroundWindow(Handle());
  // Whatever push button had the default frame when the form last closed, the showing starts
  // with IDOK's; the dialog manager moves the frame with the focus from here on.
  if (GetDlgItem(Handle(), IDOK)) SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  }
  MSG msg;
  while (modal_) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      // The program is ending: the quit goes on to the main loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      EndModal();
      break;
    }
    // Tab, Enter and Esc go to the form whichever of its controls has the focus.
    if (IsDialogMessageA(Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Form::EndModal() {
  modal_ = false;
  HWND owner = GetWindow(Handle(), GW_OWNER);
  if (owner) EnableWindow(owner, TRUE);
  const bool active = GetActiveWindow() == Handle();
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (active && owner) SetForegroundWindow(owner);
}

void Form::CreateFirstShowControls() {
  // Each runs once: taken out of its control before it runs.
  for (const std::unique_ptr<Control>& c : controls_) {
    if (c->createOnFirstShow) std::exchange(c->createOnFirstShow, nullptr)();
  }
}

zolt::Bounds Form::AreaOf(Control* container) {
  if (!container) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    return zolt::Bounds{0, 0, rc.right, rc.bottom};
  }
  const int inset = container->childInset;
  return zolt::Bounds{inset, inset, std::max(0, container->bounds.width - 2 * inset),
                      std::max(0, container->bounds.height - 2 * inset)};
}

void Form::Realign() {
  if (!Handle()) return;
  RealignChildren(AreaOf(nullptr), topControls_);
}

void Form::RealignChildren(const zolt::Bounds& area, const std::vector<Control*>& children) {
  std::vector<zolt::Placed> placed;
  placed.reserve(children.size());
  for (Control* c : children) placed.push_back(zolt::Placed{c->align, c->bounds});
  zolt::AlignControls(area, placed);
  HDWP batch = BeginDeferWindowPos(static_cast<int>(children.size()));
  for (size_t i = 0; i < children.size(); ++i) {
    Control* c = children[i];
    c->bounds = placed[i].bounds;
    if (batch) {
      batch = DeferWindowPos(batch, c->hwnd, nullptr, c->bounds.left, c->bounds.top,
                             c->bounds.width, c->bounds.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (batch) EndDeferWindowPos(batch);
  for (Control* c : children) {
    if (!c->children.empty()) RealignChildren(AreaOf(c), c->children);
  }
}

std::vector<Control*>& Form::SiblingsOf(Control& control) {
  return control.parent ? control.parent->children : topControls_;
}

namespace {

const int kMinPaneSize = 30;

}  // namespace

int Form::SplitterProposal(Control& splitter, int proposedLeft) {
  std::vector<Control*>& siblings = SiblingsOf(splitter);
  std::vector<zolt::Placed> placed;
  int index = -1;
  for (Control* c : siblings) {
    if (c == &splitter) index = static_cast<int>(placed.size());
    placed.push_back(zolt::Placed{c->align, c->bounds});
  }
  const zolt::SplitRange range =
      zolt::SplitterRange(AreaOf(splitter.parent), placed, index, kMinPaneSize);
  if (range.target < 0) return splitter.bounds.left;
  const int targetLeft = placed[static_cast<size_t>(range.target)].bounds.left;
  return targetLeft + zolt::ClampSplit(range, targetLeft, proposedLeft);
}

void Form::SplitterMoved(Control& splitter, int acceptedLeft) {
  std::vector<Control*>& siblings = SiblingsOf(splitter);
  Control* target = nullptr;
  for (Control* c : siblings) {
    if (c == &splitter) break;
    if (c->align == zolt::Align::kLeft) target = c;
  }
  if (!target) return;
  target->bounds.width = acceptedLeft - target->bounds.left;
  Realign();
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Realign();
      return 0;
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(Handle(), &rc);
      FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(colorIndex_));
      return 1;
    }
    case WM_SHOWWINDOW:
      if (wParam) CreateFirstShowControls();
      if (wParam && onShow_) onShow_();
      return DefaultHandling(message, wParam, lParam);
    case WM_COMMAND: {
      // Menu items and button clicks both come with notification code 0.
      if (HIWORD(wParam) != 0) return 0;
      auto found = byCommand_.find(LOWORD(wParam));
      if (found != byCommand_.end() && found->second->onClick) found->second->onClick();
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      // Read-only edit boxes ask as static controls do; they keep the window colour.
      HDC dc = reinterpret_cast<HDC>(wParam);
      auto found = byHandle_.find(reinterpret_cast<HWND>(lParam));
      const bool edit = found != byHandle_.end() && found->second->kind == "TEdit";
      const int back = edit ? COLOR_WINDOW : colorIndex_;
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(back));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
    }
    case WM_CLOSE: {
      Application& app = Application::Instance();
      CloseAction action = app.MainWindow() == Handle() ? CloseAction::kFree : CloseAction::kHide;
      if (onClose_) onClose_(action);
      if (action == CloseAction::kHide) {
        if (modal_) {
          EndModal();
        } else {
          ShowWindow(Handle(), SW_HIDE);
        }
      }
      if (action == CloseAction::kFree) DestroyWindow(Handle());
      return 0;
    }
    case WM_SETTINGCHANGE:
      SettingsChanged();
      return DefaultHandling(message, wParam, lParam);
    case WM_DESTROY: {
      UnregisterDialogWindow(Handle());
      Application& app = Application::Instance();
      if (app.MainWindow() == Handle()) {
        app.ForgetMainWindow();
        PostQuitMessage(0);
      }
      return 0;
    }
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace ui
