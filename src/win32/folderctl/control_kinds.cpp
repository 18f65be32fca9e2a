#include "win32/folderctl/control_kinds.h"

#include <memory>

#include "win32/folderctl/directory_list_box.h"
#include "win32/folderctl/drive_combo_box.h"
#include "win32/ui/form.h"

namespace folderctl {
namespace {

// Either folder control: its container takes its place in the form now, while the control's own
// window, with the entries or items read from the machine, comes with the form's first showing.
template <typename Control>
void MakeFolderControl(os::Os& os, ui::ControlContext& c) {
  auto control = std::make_unique<Control>(os);
  control->OnChange = c.form.Handler(c.description, "OnChange");
  const zolt::Bounds& b = c.control.bounds;
  control->CreateIn(c.parent, c.id, b.left, b.top, b.width, b.height);
  Control* made = control.get();
  c.control.createOnFirstShow = [made] { made->CreateControl(); };
  c.control.hwnd = control->Handle();
  c.control.window = std::move(control);
}

void MakeDirectoryListBox(os::Os& os, ui::ControlContext& c) {
  // The list takes its item height from the font it is given; a description's ItemHeight records
  // what the form's font makes of it and changes nothing.
  c.description.Number("ItemHeight", 0);
  MakeFolderControl<TDirectoryListBox>(os, c);
}

}  // namespace

void RegisterControlKinds(os::Os& os) {
  ui::RegisterControlKind(
      "TDriveComboBox", [&os](ui::ControlContext& c) { MakeFolderControl<TDriveComboBox>(os, c); });
  ui::RegisterControlKind("TDirectoryListBox",
                          [&os](ui::ControlContext& c) { MakeDirectoryListBox(os, c); });
}

}  // namespace folderctl
