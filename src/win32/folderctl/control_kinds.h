// The folder controls as kinds of the form loader: TDriveComboBox and TDirectoryListBox.
#pragma once

#include "core/os.h"

namespace folderctl {

// Registers both kinds; the controls of every form created afterwards reach drives and folders
// through os (the program passes the real one, window tests a fake machine).
void RegisterControlKinds(os::Os& os);

}  // namespace folderctl
