// Forms: top-level windows whose controls are created from a form description (a text resource
// embedded in the exe). The loader creates each control through a registry of control kinds,
// places it, aligns it to its container's edges on every resize, gives it the form's font and binds
// its events to the form's named handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/form_description.h"
#include "core/layout.h"
#include "win32/ui/gdi.h"
#include "win32/ui/window.h"

namespace ui {

class Form;

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
  std::function<void()> onClick;   // buttons and menu items
  // For a control whose own window comes with its form's first showing (built from what the
  // machine holds then); its container (hwnd) exists from the form's creation.
  std::function<void()> createOnFirstShow;
  UINT commandId = 0;  // menu items
};

// What a kind's factory is given: it creates the control's window as a child of `parent` at
// control.bounds and fills in control.hwnd (and control.window for our own classes).
struct ControlContext {
  Form& form;
  const zolt::FormObject& description;
  Control& control;
  HWND parent;
  int id;
};
using ControlFactory = std::function<void(ControlContext&)>;

// A grid's owner-draw handler: the DC, the cell's column and row, its rectangle and state.
using DrawCellHandler =
    std::function<void(HDC dc, int col, int row, const RECT& rect, unsigned state)>;

// Makes a kind known to every form created afterwards (a second registration replaces the
// first). `container`: the kind may hold child objects in a description.
void RegisterControlKind(const std::string& kind, ControlFactory factory, bool container = false);

// What closing a form does: hide it, destroy it (the main window then ends the loop) or nothing.
enum class CloseAction { kNone, kHide, kFree };

class Form : public Window {
 public:
  // kind: the kind the root object of the form's description must have (TForm1).
  explicit Form(std::string kind);
  ~Form() override;

  // Creates the window and its controls from the RCDATA resource of that name / from the text.
  // The description's root object must be of the kind the form says it is. Fails with
  // zolt::FormError (naming the line) on a malformed or inconsistent description.
  void CreateFromResource(const char* resourceName);
  void CreateFromText(std::string_view description);

  const std::string& Kind() const { return kind_; }
  // The control of that name; throws when the form has none (a form and its description out of
  // step).
  Control& Find(const std::string& name);
  template <typename T>
  T& Get(const std::string& name);  // the control's window object, of type T
  HWND HandleOf(const std::string& name) { return Find(name).hwnd; }
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
  HFONT FontHandle() const { return font_.Get(); }
  HMENU Menu() const { return menu_; }

  void Show();
  void Close();  // as the close box does: the close event, then the close action
  // Shows the form over the main window, which is disabled meanwhile, and runs the form's own
  // message loop until the form is closed (hidden). Each showing starts with the focus on the
  // first control of the tab order and the default button (IDOK) as the default.
  void ShowModal();

  // Binds the handler a description names in an event (OnShow = FormShow) to code. Bind before
  // creating; a description naming an unbound handler fails.
  void Bind(const std::string& handlerName, std::function<void()> handler);
  void BindClose(const std::string& handlerName, std::function<void(CloseAction&)> handler);
  void BindDrawCell(const std::string& handlerName, DrawCellHandler handler);
  // The bound handler for a description's event, or a failure naming the property's line.
  std::function<void()> Handler(const zolt::FormObject& description, const char* event);
  DrawCellHandler DrawCellHandlerFor(const zolt::FormObject& description, const char* event);

  // Re-applies edge alignment to every container, from the form's client area down.
  void Realign();

  // Called by a splitter: the left edge it may take when dragged to proposedLeft (the resized
  // pane keeps at least the minimum width, and so does the rest), and the move on release.
  int SplitterProposal(Control& splitter, int proposedLeft);
  void SplitterMoved(Control& splitter, int acceptedLeft);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The system announced a change of its settings (WM_SETTINGCHANGE).
  virtual void SettingsChanged() {}

 private:
  void ReadFormProperties(const zolt::FormObject& root, DWORD& style, DWORD& exStyle, RECT& outer,
                          std::wstring& caption);
  void BuildMenu(const zolt::FormObject& menu);
  void CreateChildren(const zolt::FormObject& description, Control* parent);
  void RealignChildren(const zolt::Bounds& area, const std::vector<Control*>& children);
  std::vector<Control*>& SiblingsOf(Control& control);
  zolt::Bounds AreaOf(Control* container);
  // Makes the control windows that wait for the form's first showing; each is made once.
  void CreateFirstShowControls();
  // Ends a modal showing in the platform's order: the owner is enabled before the form hides,
  // so that activation returns to the owner rather than to another program's window.
  void EndModal();

  std::string kind_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> topControls_;
  std::map<std::string, Control*> byName_;
  std::map<HWND, Control*> byHandle_;
  std::map<UINT, Control*> byCommand_;
  std::map<std::string, std::function<void()>> handlers_;
  std::map<std::string, std::function<void(CloseAction&)>> closeHandlers_;
  std::map<std::string, DrawCellHandler> drawCellHandlers_;
  std::function<void()> onShow_;
  std::function<void(CloseAction&)> onClose_;
  Font font_;
  HMENU menu_ = nullptr;
  int colorIndex_ = COLOR_BTNFACE;
  int nextId_ = 100;
  bool modal_ = false;
};

template <typename T>
T& Form::Get(const std::string& name) {
  T* window = dynamic_cast<T*>(Find(name).window.get());
  if (!window) throw zolt::Exception("Control " + name + " is not of the kind the form expects");
  return *window;
}

// The text of an RCDATA resource of the program.
std::string LoadTextResource(const char* name);

// The font a form's description asks for (its Font.* settings), as its form gets it.
Font DescribedFont(const zolt::FormObject& form);

}  // namespace ui
