// The "Browse" dialog: created once at start-up after the main window, which owns it, and hidden
// until a pane's "B" button shows it modally (ShowModal). Its drive and folder lists take their
// place from the process's current directory at creation, are filled from the machine at the
// first showing and keep their place between showings.
#pragma once

#include <string>

#include "core/os.h"
#include "win32/folderctl/directory_list_box.h"
#include "win32/folderctl/drive_combo_box.h"
#include "win32/ui/form.h"

class TForm2 : public ui::Form {
 public:
  // The folder lists and the path rules reach drives and folders through os.
  TForm2(ui::Application& app, os::Os& os);
  ~TForm2() override;
  // Creates the (hidden) window from the form description TFORM2, owned by the window it is
  // shown over.
  void Create(HWND owner);

  // The result of the last showing, read by the main window right after ShowModal.
  bool Selected = false;
  std::string FolderPath;  // ends in "\"; empty unless Selected

 private:
  void FormShow();
  void DriveComboBox1Change();
  void Button1Click();
  void Button2Click();

  folderctl::TDriveComboBox* drives_ = nullptr;
  folderctl::TDirectoryListBox* folders_ = nullptr;
};
