#include "win32/Unit2.h"

#include "core/errors.h"
#include "core/text.h"

TForm2::TForm2(ui::Application& app, os::Os& os) : Form(app, os, "TForm2") {
  Bind("FormShow", [this] { FormShow(); });
  Bind("DriveComboBox1Change", [this] { DriveComboBox1Change(); });
  Bind("Button1Click", [this] { Button1Click(); });
  Bind("Button2Click", [this] { Button2Click(); });
}

TForm2::~TForm2() {
  Destroy();
}

void TForm2::Create(HWND owner) {
  CreateFromResource("TFORM2", owner);
  drives_ = &Get<folderctl::TDriveComboBox>("DriveComboBox1");
  folders_ = &Get<folderctl::TDirectoryListBox>("DirectoryListBox1");
}

void TForm2::FormShow() {
  Selected = false;
  FolderPath.clear();
}

void TForm2::DriveComboBox1Change() {
  const char oldDrive = folders_->CurrentDrive();
  try {
    folders_->SetCurrentDrive(drives_->CurrentDrive());
  } catch (const zolt::Exception&) {
    // A drive that cannot be entered (no medium): both lists go back to the drive the folder
    // list still shows, and nothing is reported. Setting the drive list back runs this handler
    // once more, where the folder list is already on that drive.
    drives_->SetCurrentDrive(oldDrive);
    folders_->SetCurrentDrive(oldDrive);
  }
}

void TForm2::Button1Click() {
  Selected = true;
  FolderPath = folders_->CurrentFolder();
  if (!text::EndsWithBackslash(Machine(), FolderPath)) FolderPath += '\\';
  Close();
}

void TForm2::Button2Click() {
  Selected = false;
  FolderPath.clear();
  Close();
}
