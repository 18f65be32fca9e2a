// The folder controls as kinds of control: TDriveComboBox and TDirectoryListBox.
#pragma once

#include "win32/ui/control.h"

namespace folderctl {

// Adds both kinds; each control reaches drives and folders through its form's os (the program's
// the real one, window tests a fake machine).
void AddKinds(ui::ControlKinds& kinds);

}  // namespace folderctl
