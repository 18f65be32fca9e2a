// `TDriveComboBox`: the drive list, an owner-drawn drop-down list (not editable, not sorted,
// fixed item height) of the machine's drives. Thin over folders::DriveList, which holds every
// rule.
#pragma once

#include <functional>

#include "core/drive_list.h"
#include "win32/folderctl/host.h"

namespace folderctl {

class TDriveComboBox : public HostWindow, private folders::DriveListView {
 public:
  static constexpr const char* kKind = "TDriveComboBox";
  // CurrentDrive starts from the process's current directory; entries come with the window.
  explicit TDriveComboBox(os::Os& os);
  ~TDriveComboBox() override;

  // Creates the container, as a child of parent, that the combo box will fill.
  void CreateIn(HWND parent, int id, int x, int y, int width, int height);
  // Creates the combo box in the container, builds the entries and applies CurrentDrive, which
  // fires OnChange. The container takes the height of the combo box's selection field, which
  // follows the font; the list drops down below it.
  void CreateControl() override;

  char CurrentDrive() const { return state_.CurrentDrive(); }
  void SetCurrentDrive(char drive) { state_.SetCurrentDrive(drive); }
  const folders::DriveList& State() const { return state_; }

  int ItemHeight() const override { return itemHeight_; }

  std::function<void()> OnClick;   // first on every pick by the user
  std::function<void()> OnChange;  // every application of a drive, and once more per pick

 protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void Command(WORD code) override;
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void FontChanged() override;
  void OnDestroyed() override;

 private:
  void EntriesChanged() override;
  void SelectionChanged() override;
  const Glyph& GlyphOf(folders::DriveGlyph kind) const;
  void FitHost();

  folders::DriveList state_;
  Glyph floppy_{"FLOPPY"};
  Glyph hard_{"HARD"};
  Glyph network_{"NETWORK"};
  Glyph cdRom_{"CDROM"};
  Glyph ram_{"RAM"};
  int itemHeight_;
};

}  // namespace folderctl
