#include "win32/folderctl/control_kinds.h"

#include <memory>

#include "win32/folderctl/directory_list_box.h"
#include "win32/folderctl/drive_combo_box.h"
#include "win32/ui/form.h"

namespace folderctl {
namespace {

// Creates either folder control at its bounds. OnChange is bound once the control stands:
// creating the drive list applies its drive while the form's later controls do not exist yet
// (and every list then starts from the same current directory).
template <typename Control>
void MakeFolderControl(os::Os& os, ui::ControlContext& c) {
  auto control = std::make_unique<Control>(os);
  const zolt::Bounds& b = c.control.bounds;
  control->CreateIn(c.parent, c.id, b.left, b.top, b.width, b.height);
  control->OnChange = c.form.Handler(c.description, "OnChange");
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
