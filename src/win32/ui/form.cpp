#include "win32/ui/form.h"

#include <algorithm>
#include <utility>

#include "win32/ui/fonts.h"

namespace ui {
namespace {

const char kFormClass[] = "ZoltForm";

zolt::Align ReadAlign(const zolt::FormObject& o) {
  static const zolt::Align aligns[] = {zolt::Align::kNone, zolt::Align::kLeft, zolt::Align::kTop,
                                       zolt::Align::kBottom, zolt::Align::kClient};
  return aligns[o.Choice("align", {"none", "left", "top", "bottom", "fill"}, 0)];
}

}  // namespace

std::string LoadTextResource(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) throw zolt::Exception(std::string("The program has no resource ") + name);
  HGLOBAL loaded = LoadResource(module, found);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return std::string(data, SizeofResource(module, found));
}

Form::Form(Application& app, os::Os& os, std::string kind)
    : app_(app), os_(os), kind_(std::move(kind)), handlers_(kind_) {
  // The platform's dialog manager keeps the focused control over deactivation, moves the
  // default-button frame with the focus and answers DM_GETDEFID.
  SetDefaultProcedure(&DefDlgProcA);
}

Form::~Form() {
  Destroy();
}

void Form::Destroy() {
  // While the controls still live and WM_DESTROY still reaches this form, so a main window that
  // goes this way ends the loop too. The menu goes with the window.
  if (Handle()) DestroyWindow(Handle());
}

void Form::CreateFromResource(const char* resourceName, HWND owner) {
  CreateFromText(LoadTextResource(resourceName), owner);
}

void Form::CreateFromText(std::string_view text, HWND owner) {
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
  // Owned: a dialog stays above its owner and is not a window of its own on the taskbar.
  if (!Create(kFormClass, "", style, exStyle, owner, outer.left, outer.top,
              outer.right - outer.left, outer.bottom - outer.top, menu_.get())) {
    throw zolt::Exception("The window " + root.name + " could not be created");
  }
  static_cast<void>(menu_.release());  // the window has taken it: it goes with the window
  SetWindowTextW(Handle(), caption.c_str());
  app_.SetMainWindow(Handle());
  if (app_.MainWindow() == Handle() && app_.Icon()) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app_.Icon()));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app_.Icon()));
  }
  app_.AddDialogWindow(Handle());
  CreateChildren(root, nullptr);
  Realign();
}

void Form::ReadFormProperties(const zolt::FormObject& root, DWORD& style, DWORD& exStyle,
                              RECT& outer, std::wstring& caption) {
  caption = Widen(root.Text("caption", ""));
  static const int colors[] = {COLOR_BTNFACE, COLOR_WINDOW};
  colorIndex_ = colors[root.Choice("colour", {"button face", "window"}, 0)];
  const bool dialog = root.Choice("border", {"sizeable", "dialog"}, 0) == 1;
  style = WS_CLIPCHILDREN |
          (dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME : WS_OVERLAPPEDWINDOW);
  exStyle = WS_EX_CONTROLPARENT | (dialog ? WS_EX_DLGMODALFRAME : 0);

  font_ = DescribedFont(root);

  // The menu is made first, so that the window's client area is measured with it.
  const std::string menuName = root.Name("menu", "");
  for (const zolt::FormObject& child : root.children) {
    if (child.kind != "main menu") continue;
    if (child.name != menuName) {
      throw zolt::FormError(child.line, "the form's menu is not " + child.name);
    }
    BuildMenu(child);
  }
  if (!menuName.empty() && !menu_) {
    throw zolt::FormError(root.Find("menu")->line, "the form has no menu " + menuName);
  }

  int32_t left = 0, top = 0, width = 0, height = 0;
  root.Pair("place", ',', left, top);
  if (root.Pair("client size", 'x', width, height)) {
    RECT client{0, 0, width, height};
    AdjustWindowRectEx(&client, style, menu_ != nullptr, exStyle);
    width = client.right - client.left;
    height = client.bottom - client.top;
  } else {
    root.Pair("size", 'x', width, height);
  }
  outer = RECT{left, top, left + width, top + height};
  onShow_ = handlers_.For<Handler>(root, "when shown");
  onClose_ = handlers_.For<CloseHandler>(root, "when closing");
  root.CheckAllRead();
}

Control& Form::AddControl(const zolt::FormObject& description, Control* parent) {
  controls_.push_back(std::make_unique<Control>());
  Control& control = *controls_.back();
  control.name = description.name;
  control.kind = description.kind;
  control.parent = parent;
  byName_[control.name] = &control;
  return control;
}

void Form::BuildMenu(const zolt::FormObject& menu) {
  menu_.reset(CreateMenu());
  AddControl(menu, nullptr);
  for (const zolt::FormObject& item : menu.children) {
    if (item.kind != "menu item") {
      throw zolt::FormError(item.line, "a main menu holds menu items, not " + item.kind);
    }
    if (!item.children.empty()) {
      throw zolt::FormError(item.children.front().line, "the menu bar has no drop-down menus");
    }
    Control& entry = AddControl(item, nullptr);
    entry.commandId = static_cast<UINT>(nextId_++);
    entry.onClick = handlers_.For<Handler>(item, "when chosen");
    const std::wstring caption = Widen(item.Text("caption", ""));
    AppendMenuW(menu_.get(), MF_STRING, entry.commandId, caption.c_str());
    item.CheckAllRead();
    byCommand_[entry.commandId] = &entry;
  }
  menu.CheckAllRead();
}

void Form::CreateChildren(const zolt::FormObject& description, Control* parent) {
  for (const zolt::FormObject& child : description.children) {
    if (child.kind == "main menu") {
      if (parent) throw zolt::FormError(child.line, "a main menu belongs to the form itself");
      continue;  // made before the window
    }
    const ControlKinds::Kind* kind = app_.Kinds().Find(child.kind);
    if (!kind) throw zolt::FormError(child.line, "no control kind " + child.kind);
    if (!kind->container && !child.children.empty()) {
      throw zolt::FormError(child.children.front().line, child.kind + " holds no controls");
    }
    Control& control = AddControl(child, parent);
    control.align = ReadAlign(child);
    child.Pair("place", ',', control.bounds.left, control.bounds.top);
    child.Pair("size", 'x', control.bounds.width, control.bounds.height);
    ControlContext context{child,     control,   parent ? parent->hwnd : Handle(),
                           nextId_++, handlers_, os_};
    kind->factory(context);
    child.CheckAllRead();
    if (!control.hwnd && control.window) control.hwnd = control.window->Handle();
    if (!control.hwnd) throw zolt::FormError(child.line, child.name + " could not be created");
    SendMessageA(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    (parent ? parent->children : topControls_).push_back(&control);
    if (!child.children.empty()) CreateChildren(child, &control);
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
  HWND owner = GetWindow(Handle(), GW_OWNER);
  // EnableWindow answers whether the owner was disabled already; it is given back as it was.
  ownerWasEnabled_ = owner && !EnableWindow(owner, FALSE);
  modal_ = true;
  // However the loop ends (the program quitting, or failing), the showing ends with it.
  struct Ending {
    Form& form;
    ~Ending() {
      if (form.modal_) form.EndModal();
    }
  } ending{*this};
  Show();
  SetForegroundWindow(Handle());
  // Whatever push button had the default frame when the form last closed, the showing starts
  // with IDOK's; the dialog manager moves the frame with the focus from here on.
  if (GetDlgItem(Handle(), IDOK)) SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  }
  app_.PumpUntil([this] { return !modal_; });
}

void Form::EndModal() {
  modal_ = false;
  HWND owner = GetWindow(Handle(), GW_OWNER);
  if (owner && ownerWasEnabled_) EnableWindow(owner, TRUE);
  const bool active = GetActiveWindow() == Handle();
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  if (active && owner) SetForegroundWindow(owner);
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

int Form::SplitterPosition(Control& splitter, int proposedLeft, int minPaneSize) {
  std::vector<Control*>& siblings = SiblingsOf(splitter);
  std::vector<zolt::Placed> placed;
  int index = -1;
  for (Control* c : siblings) {
    if (c == &splitter) index = static_cast<int>(placed.size());
    placed.push_back(zolt::Placed{c->align, c->bounds});
  }
  const zolt::SplitRange range =
      zolt::SplitterRange(AreaOf(splitter.parent), placed, index, minPaneSize);
  if (range.target < 0) return splitter.bounds.left;
  const int targetLeft = placed[static_cast<size_t>(range.target)].bounds.left;
  return targetLeft + zolt::ClampSplit(range, targetLeft, proposedLeft);
}

void Form::MoveSplitter(Control& splitter, int acceptedLeft) {
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
      // Shown by the program, not restored along with its owner (SW_PARENTOPENING).
      if (wParam && lParam == 0) {
        for (const std::unique_ptr<Control>& c : controls_) {
          if (c->window) c->window->OnFormShown();
        }
        if (onShow_) onShow_();
      }
      return DefaultHandling(message, wParam, lParam);
    case WM_COMMAND: {
      // What comes from a control went back to it; what remains is the menu's (code 0).
      if (HIWORD(wParam) != 0) return 0;
      auto found = byCommand_.find(LOWORD(wParam));
      if (found != byCommand_.end() && found->second->onClick) found->second->onClick();
      return 0;
    }
    case WM_CTLCOLORSTATIC: {  // the labels, in the form's colours
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(colorIndex_));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(colorIndex_));
    }
    case WM_CLOSE: {
      CloseEffect effect =
          app_.MainWindow() == Handle() ? CloseEffect::kDestroy : CloseEffect::kHide;
      if (onClose_) onClose_(effect);
      if (effect == CloseEffect::kHide) {
        if (modal_) {
          EndModal();
        } else {
          ShowWindow(Handle(), SW_HIDE);
        }
      }
      if (effect == CloseEffect::kDestroy) DestroyWindow(Handle());
      return 0;
    }
    case WM_SETTINGCHANGE:
      SettingsChanged();
      return DefaultHandling(message, wParam, lParam);
    case WM_DESTROY:
      app_.RemoveDialogWindow(Handle());
      if (app_.MainWindow() == Handle()) {
        app_.ForgetMainWindow();
        PostQuitMessage(0);
      }
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace ui
