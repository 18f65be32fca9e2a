// What a form is made of: its controls as its description made them, the handlers it binds by
// name, and the kinds of control a description may name, each made by its own factory.
#pragma once

#include <windows.h>

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/form_description.h"
#include "core/layout.h"
#include "core/os.h"
#include "win32/ui/window.h"

namespace ui {

// What closing a form does: hide it, destroy it (the main window then ends the loop), or keep
// it open.
enum class CloseEffect { kStayOpen, kHide, kDestroy };

// The handlers a form binds: a plain event's, the close event's, a grid's cell drawing one (the
// DC, the cell's column and row, its rectangle and state).
using Handler = std::function<void()>;
using CloseHandler = std::function<void(CloseEffect&)>;
using DrawCellHandler =
    std::function<void(HDC dc, int col, int row, const RECT& rect, unsigned state)>;

// A form's handlers by name. Bound before the form is created; a description naming a handler
// that is not bound, or one of another kind, fails.
class Handlers {
 public:
  explicit Handlers(std::string formKind) : formKind_(std::move(formKind)) {}

  template <typename H>
  void Bind(const std::string& name, H handler) {
    handlers_[name] = std::move(handler);
  }
  // The handler that a description's event names; nullptr when the description leaves the event
  // out.
  template <typename H>
  H For(const zolt::FormObject& description, const char* event) const {
    const std::string name = description.Name(event, "");
    if (name.empty()) return nullptr;
    const auto found = handlers_.find(name);
    const H* handler = found == handlers_.end() ? nullptr : std::any_cast<H>(&found->second);
    if (!handler) {
      throw zolt::FormError(description.Find(event)->line, formKind_ + " has no handler " + name);
    }
    return *handler;
  }

 private:
  std::string formKind_;  // names the form in a failure
  std::map<std::string, std::any> handlers_;
};

// One control of a form, as its description made it.
struct Control {
  std::string name;
  std::string kind;
  zolt::Align align = zolt::Align::kNone;
  zolt::Bounds bounds;  // relative to the parent's client area; alignment keeps it current
  HWND hwnd = nullptr;
  std::unique_ptr<Window> window;  // our own window classes; platform controls have none
  Control* parent = nullptr;       // nullptr: a child of the form itself
  std::vector<Control*> children;  // in description order
  int childInset = 0;              // a container's children align inside its bevel
  std::function<void()> onClick;   // menu items
  UINT commandId = 0;              // menu items
};

// What a kind's factory is given: it creates the control's window as a child of `parent` at
// control.bounds and fills in control.window with its object, or control.hwnd for a control that
// has none.
struct ControlContext {
  const zolt::FormObject& description;
  Control& control;
  HWND parent;
  int id;
  const Handlers& handlers;
  os::Os& os;  // the form's: the folder controls reach drives and folders through it
};
using ControlFactory = std::function<void(ControlContext&)>;

// The kinds of control descriptions may name, registered once at start-up.
class ControlKinds {
 public:
  struct Kind {
    ControlFactory factory;
    bool container = false;  // may hold child objects in a description
  };
  void Add(const std::string& kind, ControlFactory factory, bool container = false) {
    kinds_[kind] = Kind{std::move(factory), container};
  }
  const Kind* Find(const std::string& kind) const {
    const auto found = kinds_.find(kind);
    return found == kinds_.end() ? nullptr : &found->second;
  }

 private:
  std::map<std::string, Kind> kinds_;
};

}  // namespace ui
