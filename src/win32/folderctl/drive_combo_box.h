// `TDriveComboBox`: the drive list, an owner-drawn drop-down list (not editable, not sorted,
// fixed item height) of the machine's drives. Thin over folders::DriveList, which holds every
// rule.
#pragma once

#include <functional>

#include "core/drive_list.h"
#include "win32/folderctl/folder_control.h"

namespace folderctl {

class TDriveComboBox : public FolderControl<folders::DriveList, folders::DriveListView> {
 public:
  static constexpr const char* kKind = "TDriveComboBox";
  // CurrentDrive starts from the process's current directory; Fill builds the entries and
  // applies it, which fires OnChange.
  explicit TDriveComboBox(os::Os& os);

  // Creates the combo box, still empty, as a child of parent: its window is the selection field,
  // whose height follows the font; the list drops down below it.
  void CreateIn(HWND parent, int id, int x, int y, int width, int height);

  char CurrentDrive() const { return state_.CurrentDrive(); }
  void SetCurrentDrive(char drive) { state_.SetCurrentDrive(drive); }

  std::function<void()> OnClick;   // first on every pick by the user
  std::function<void()> OnChange;  // every application of a drive, and once more per pick

 protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void Command(WORD code) override;
  void FontChanged(HFONT font) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void EntriesChanged() override;
  void SelectionChanged() override;

  // In the order of folders::DriveGlyph.
  const Glyph glyphs_[5] = {Glyph("FLOPPY"), Glyph("HARD"), Glyph("NETWORK"), Glyph("CDROM"),
                            Glyph("RAM")};
};

}  // namespace folderctl
