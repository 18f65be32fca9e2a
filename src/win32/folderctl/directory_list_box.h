// `TDirectoryListBox`: the folder list, an owner-drawn list box (fixed item height, not
// sorted, no items of its own) showing the chain from the root to the current folder and its
// subfolders. Thin over folders::FolderList, which holds every rule; it answers the list box's
// text messages and searches from it, as the platform's list box answers them over its texts.
#pragma once

#include <functional>
#include <string>

#include "core/folder_list.h"
#include "win32/folderctl/folder_control.h"

namespace folderctl {

class TDirectoryListBox : public FolderControl<folders::FolderList, folders::FolderListView> {
 public:
  static constexpr const char* kKind = "TDirectoryListBox";
  // Starts from the process's current directory; Fill builds the items and selects the current
  // one.
  explicit TDirectoryListBox(os::Os& os);

  // Creates the list box, still empty, as a child of parent.
  void CreateIn(HWND parent, int id, int x, int y, int width, int height);

  const std::string& CurrentFolder() const { return state_.CurrentFolder(); }
  void SetCurrentFolder(const std::string& path) { state_.SetCurrentFolder(path); }
  char CurrentDrive() const { return state_.CurrentDrive(); }
  // Enters the drive and reads its folder: the wait cursor shows meanwhile.
  void SetCurrentDrive(char letter);
  std::string ItemPath(int index) const { return state_.ItemPath(index); }
  void OpenSelected();

  std::function<void()> OnChange;  // after every change of folder, once the items are rebuilt

 protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void Command(WORD code) override;
  void FontChanged(HFONT font) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void RebuildStarted() override;
  void RebuildFinished() override;
  void SyncSelection();
  // LB_GETTEXT's answer (LB_GETTEXTLEN's with no text to fill): the item's text as shown.
  LRESULT ItemText(WPARAM index, char* text) const;

  Glyph openFolder_{"OPENFOLDER"};
  Glyph closedFolder_{"CLOSEDFOLDER"};
  Glyph currentFolder_{"CURRENTFOLDER"};
};

}  // namespace folderctl
