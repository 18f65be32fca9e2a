// `TDriveComboBox`: the drive list, an owner-drawn drop-down list (not editable, not sorted,
// fixed item height) of the machine's drives. Thin over folders::DriveList, which holds every
// rule.
#pragma once

#include <functional>

#include "core/drive_list.h"
#include "win32/folderctl/owner_drawn_list.h"

namespace folderctl {

class TDriveComboBox : public OwnerDrawnList, private folders::DriveListView {
 public:
  static constexpr const char* kKind = "TDriveComboBox";
  // CurrentDrive starts from the process's current directory; the entries are built by Fill.
  explicit TDriveComboBox(os::Os& os);
  ~TDriveComboBox() override;

  // Creates the combo box, still empty, as a child of parent: its window is the selection field,
  // whose height follows the font; the list drops down below it.
  void CreateIn(HWND parent, int id, int x, int y, int width, int height);

  char CurrentDrive() const { return state_.CurrentDrive(); }
  void SetCurrentDrive(char drive) { state_.SetCurrentDrive(drive); }
  const folders::DriveList& State() const { return state_; }

  std::function<void()> OnClick;   // first on every pick by the user
  std::function<void()> OnChange;  // every application of a drive, and once more per pick

 protected:
  // Builds the entries and applies CurrentDrive, which fires OnChange.
  void Build() override;
  int ItemHeight() const override { return itemHeight_; }
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void Command(WORD code) override;
  void FontChanged(HFONT font) override;
  void OnDestroyed() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void EntriesChanged() override;
  void SelectionChanged() override;
  const Glyph& GlyphOf(folders::DriveGlyph kind) const;

  folders::DriveList state_;
  Glyph floppy_{"FLOPPY"};
  Glyph hard_{"HARD"};
  Glyph network_{"NETWORK"};
  Glyph cdRom_{"CDROM"};
  Glyph ram_{"RAM"};
  int itemHeight_;
};

}  // namespace folderctl
