#include "win32/folderctl/control_kinds.h"

#include <memory>

#include "win32/folderctl/directory_list_box.h"
#include "win32/folderctl/drive_combo_box.h"
#include "win32/ui/form.h"

namespace folderctl {
namespace {

void MakeDriveComboBox(os::Os& os, ui::ControlContext& c) {
  auto combo = std::make_unique<TDriveComboBox>(os);
  const zolt::Bounds& b = c.control.bounds;
  combo->CreateIn(c.parent, c.id, b.left, b.top, b.width, b.height);
  // Bound once the control stands: creating it applies its drive while the form's later controls
  // do not exist yet (and every list then starts from the same current directory).
  combo->OnChange = c.form.Handler(c.description, "OnChange");
  c.control.hwnd = combo->Handle();
  c.control.window = std::move(combo);
}

void MakeDirectoryListBox(os::Os& os, ui::ControlContext& c) {
  // The list takes its item height from the font it is given; a description's ItemHeight records
  // what the form's font makes of it and changes nothing.
  c.description.Number("ItemHeight", 0);
  auto list = std::make_unique<TDirectoryListBox>(os);
  const zolt::Bounds& b = c.control.bounds;
  list->CreateIn(c.parent, c.id, b.left, b.top, b.width, b.height);
  list->OnChange = c.form.Handler(c.description, "OnChange");
  c.control.hwnd = list->Handle();
  c.control.window = std::move(list);
}

}  // namespace

void RegisterControlKinds(os::Os& os) {
  ui::RegisterControlKind("TDriveComboBox",
                          [&os](ui::ControlContext& c) { MakeDriveComboBox(os, c); });
  ui::RegisterControlKind("TDirectoryListBox",
                          [&os](ui::ControlContext& c) { MakeDirectoryListBox(os, c); });
}

}  // namespace folderctl
