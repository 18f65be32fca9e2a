// Forms: top-level windows whose controls are created from a form description (a text resource
// embedded in the exe). A form creates each control by its kind, places it, aligns it to its
// container's edges on every resize, gives it the form's font and binds its events to the form's
// named handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/form_description.h"
#include "core/layout.h"
#include "core/os.h"
#include "win32/ui/application.h"
#include "win32/ui/control.h"
#include "win32/ui/gdi.h"
#include "win32/ui/window.h"

namespace ui {

class Form : public Window {
 public:
  // kind: the kind the root object of the form's description must have (TForm1). Its controls
  // are of the application's kinds and reach the machine through os.
  Form(Application& app, os::Os& os, std::string kind);
  ~Form() override;

  // Creates the window and its controls from the RCDATA resource of that name / from the text,
  // owned by owner (nullptr: a window of its own). The description's root object must be of the
  // kind the form says it is. Fails with zolt::FormError (naming the line) on a malformed or
  // inconsistent description.
  void CreateFromResource(const char* resourceName, HWND owner = nullptr);
  void CreateFromText(std::string_view description, HWND owner = nullptr);

  const std::string& Kind() const { return kind_; }
  // The control of that name; throws when the form has none (a form and its description out of
  // step).
  Control& Find(const std::string& name);
  // The control's window object, which must be of the kind T is made for.
  template <typename T>
  T& Get(const std::string& name);
  HWND HandleOf(const std::string& name) { return Find(name).hwnd; }
  HFONT FontHandle() const { return font_.Get(); }

  void Show();
  void Close();  // as the close box does: the close event, then the close effect
  // Shows the form over its owner, which takes no input meanwhile, and handles messages until
  // the form is closed (hidden). Each showing starts with the focus on the first control of the
  // tab order and the default button (IDOK) as the default.
  void ShowModal();

  // Binds the handler a description names in an event ("when shown = FormShow") to code. Bind
  // before creating; a description naming an unbound handler fails.
  void Bind(const std::string& name, Handler handler) { handlers_.Bind(name, std::move(handler)); }
  void BindClose(const std::string& name, CloseHandler handler) {
    handlers_.Bind(name, std::move(handler));
  }
  void BindDrawCell(const std::string& name, DrawCellHandler handler) {
    handlers_.Bind(name, std::move(handler));
  }

  // Re-applies edge alignment to every container, from the form's client area down.
  void Realign();

 protected:
  // The machine the form's controls and handlers reach drives, folders and files through.
  os::Os& Machine() const { return os_; }
  // Destroys the window. A derived form calls it first in its destructor, so that its handlers
  // are never reached once its own members are gone.
  void Destroy();
  // For a splitter's owner: the left edge the splitter may take when dragged to proposedLeft,
  // so that the pane it resizes and the rest each keep at least minPaneSize; and the move on
  // release.
  int SplitterPosition(Control& splitter, int proposedLeft, int minPaneSize);
  void MoveSplitter(Control& splitter, int acceptedLeft);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The system announced a change of its settings (WM_SETTINGCHANGE).
  virtual void SettingsChanged() {}

 private:
  void ReadFormProperties(const zolt::FormObject& root, DWORD& style, DWORD& exStyle, RECT& outer,
                          std::wstring& caption);
  // A new control of the form, named and kinded as its description says.
  Control& AddControl(const zolt::FormObject& description, Control* parent);
  void BuildMenu(const zolt::FormObject& menu);
  void CreateChildren(const zolt::FormObject& description, Control* parent);
  void RealignChildren(const zolt::Bounds& area, const std::vector<Control*>& children);
  std::vector<Control*>& SiblingsOf(Control& control);
  zolt::Bounds AreaOf(Control* container);
  // Ends a modal showing in the platform's order: the owner is enabled before the form hides,
  // so that activation returns to the owner rather than to another program's window.
  void EndModal();

  Application& app_;
  os::Os& os_;
  std::string kind_;
  Handlers handlers_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> topControls_;
  std::map<std::string, Control*> byName_;
  std::map<UINT, Control*> byCommand_;  // the menu's items
  Handler onShow_;
  CloseHandler onClose_;
  Font font_;
  // The menu, built before the window: destroyed with the form unless the window has taken it.
  struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
  };
  std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer> menu_;
  int colorIndex_ = COLOR_BTNFACE;
  int nextId_ = 100;
  bool modal_ = false;
  bool ownerWasEnabled_ = false;  // during a modal showing
};

template <typename T>
T& Form::Get(const std::string& name) {
  Control& control = Find(name);
  if (control.kind != T::kKind || !control.window) {
    throw zolt::Exception(kind_ + "'s " + name + " is a " + control.kind + ", not a " + T::kKind);
  }
  return static_cast<T&>(*control.window);
}

// The text of an RCDATA resource of the program.
std::string LoadTextResource(const char* name);

}  // namespace ui
