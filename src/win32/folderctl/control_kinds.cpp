#include "win32/folderctl/control_kinds.h"

#include <memory>

#include "win32/folderctl/directory_list_box.h"
#include "win32/folderctl/drive_combo_box.h"

namespace folderctl {
namespace {

// Either folder control: its window takes its place in the form now, empty; the entries or items
// are read from the machine at the form's first showing.
template <typename Control>
void MakeFolderControl(ui::ControlContext& c) {
  auto control = std::make_unique<Control>(c.os);
  control->OnChange = c.handlers.For<ui::Handler>(c.description, "when changed");
  const zolt::Bounds& b = c.control.bounds;
  control->CreateIn(c.parent, c.id, b.left, b.top, b.width, b.height);
  c.control.window = std::move(control);
}

}  // namespace

void AddKinds(ui::ControlKinds& kinds) {
  kinds.Add(TDriveComboBox::kKind, &MakeFolderControl<TDriveComboBox>);
  kinds.Add(TDirectoryListBox::kKind, &MakeFolderControl<TDirectoryListBox>);
}

}  // namespace folderctl
