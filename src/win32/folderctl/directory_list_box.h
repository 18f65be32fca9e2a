// `TDirectoryListBox`: the folder list, an owner-drawn list box (fixed item height, not
// sorted) showing the chain from the root to the current folder and its subfolders. Thin over
// folders::FolderList, which holds every rule.
#pragma once

#include <functional>
#include <string>

#include "core/folder_list.h"
#include "win32/folderctl/host.h"

namespace folderctl {

class TDirectoryListBox : public HostWindow, private folders::FolderListView {
 public:
  static constexpr const char* kKind = "TDirectoryListBox";
  // Starts from the process's current directory; the items are built when the window is.
  explicit TDirectoryListBox(os::Os& os);
  ~TDirectoryListBox() override;

  // Creates the container, as a child of parent, that the list box will fill.
  void CreateIn(HWND parent, int id, int x, int y, int width, int height);
  // Creates the list box in the container, builds the items and selects the current one. May be
  // called again after the windows were destroyed and the container made anew.
  void CreateControl() override;

  const std::string& CurrentFolder() const { return state_.CurrentFolder(); }
  void SetCurrentFolder(const std::string& path) { state_.SetCurrentFolder(path); }
  char CurrentDrive() const { return state_.CurrentDrive(); }
  // Enters the drive and reads its folder: the wait cursor shows meanwhile.
  void SetCurrentDrive(char letter);
  std::string ItemPath(int index) const { return state_.ItemPath(index); }
  void OpenSelected();
  const folders::FolderList& State() const { return state_; }

  int ItemHeight() const override { return itemHeight_; }

  std::function<void()> OnChange;  // after every change of folder, once the items are rebuilt

 protected:
  void DrawItem(const DRAWITEMSTRUCT& item) override;
  void Command(WORD code) override;
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void FontChanged() override;
  void OnDestroyed() override;

 private:
  void RebuildStarted() override;
  void RebuildFinished() override;
  const Glyph& GlyphOf(folders::FolderKind kind) const;
  void SyncSelection();

  folders::FolderList state_;
  Glyph openFolder_{"OPENFOLDER"};
  Glyph closedFolder_{"CLOSEDFOLDER"};
  Glyph currentFolder_{"CURRENTFOLDER"};
  int itemHeight_;
};

}  // namespace folderctl
