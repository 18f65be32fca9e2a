#include "win32/Unit2.h"

#include "core/errors.h"
#include "core/text.h"
#include "win32/folderctl/control_kinds.h"
#include "win32/ui/application.h"

TForm2::TForm2(os::Os& os) : Form("TForm2"), os_(os) {
  Bind("FormShow", [this] { FormShow(); });
  Bind("DriveComboBox1Change", [this] { DriveComboBox1Change(); });
  Bind("Button1Click", [this] { Button1Click(); });
  Bind("Button2Click", [this] { Button2Click(); });
}

void TForm2::Create() {
  folderctl::RegisterControlKinds(os_);
  CreateFromResource("TFORM2");
}

folderctl::TDriveComboBox& TForm2::DriveComboBox1() {
  return Get<folderctl::TDriveComboBox>("DriveComboBox1");
}

folderctl::TDirectoryListBox& TForm2::DirectoryListBox1() {
  return Get<folderctl::TDirectoryListBox>("DirectoryListBox1");
}

void TForm2::FormShow() {
  Selected = false;
  FolderPath.clear();
}

void TForm2::DriveComboBox1Change() {
  folderctl::TDriveComboBox& drives = DriveComboBox1();
  folderctl::TDirectoryListBox& folders = DirectoryListBox1();
  const char oldDrive = folders.CurrentDrive();
  try {
    folders.SetCurrentDrive(drives.CurrentDrive());
  } catch (const zolt::Exception&) {
    // A drive that cannot be entered (no medium): both lists go back to the drive the folder
    // list still shows, and nothing is reported. Setting the drive list back runs this handler
    // once more, where the folder list is already on that drive.
    drives.SetCurrentDrive(oldDrive);
    folders.SetCurrentDrive(oldDrive);
  }
}

void TForm2::Button1Click() {
  Selected = true;
  FolderPath = DirectoryListBox1().CurrentFolder();
  if (!text::EndsWithBackslash(os_, FolderPath)) FolderPath += '\\';
  Close();
}

void TForm2::Button2Click() {
  Selected = false;
  FolderPath.clear();
  Close();
}
