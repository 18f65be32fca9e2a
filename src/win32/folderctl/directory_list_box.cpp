#include "win32/folderctl/directory_list_box.h"

#include "win32/ui/gdi.h"

namespace folderctl {

TDirectoryListBox::TDirectoryListBox(os::Os& os)
    : FolderControl(os, folders::FolderItemHeight(FontCellHeight(nullptr))) {
  state_.OnChange = [this] {
    if (OnChange) OnChange();
  };
}

void TDirectoryListBox::CreateIn(HWND parent, int id, int x, int y, int width, int height) {
  // Not sorted: the state keeps the order. The texts are kept so that a typed character moves
  // the selection to the next item beginning with it.
  CreateControl("LISTBOX",
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                    LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE, parent, id, x, y, width, height);
}

void TDirectoryListBox::FontChanged(HFONT font) {
  itemHeight_ = folders::FolderItemHeight(FontCellHeight(font));
  SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TDirectoryListBox::RebuildStarted() {
  SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TDirectoryListBox::RebuildFinished() {
  const int count = static_cast<int>(state_.Items().size());
  SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i) {
    SendMessageA(Handle(), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(state_.DisplayText(i).c_str()));
  }
  SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(state_.Selected()), 0);
  SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TDirectoryListBox::SyncSelection() {
  state_.SetSelected(static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)));
}

void TDirectoryListBox::SetCurrentDrive(char letter) {
  ui::WaitCursor wait;
  state_.SetCurrentDrive(letter);
}

void TDirectoryListBox::OpenSelected() {
  ui::WaitCursor wait;
  if (Handle()) SyncSelection();
  state_.OpenSelected();
}

void TDirectoryListBox::Command(WORD code) {
  if (code == LBN_SELCHANGE) SyncSelection();
}

LRESULT TDirectoryListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      // Only a double-click on an item opens it, not one below the last item.
      const LRESULT hit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, lParam);
      if (HIWORD(hit) == 0) OpenSelected();
      return result;
    }
    case WM_KEYDOWN:
      // Enter reaches the list only outside a dialog: a dialog gives it to its default button.
      if (wParam != VK_RETURN) break;
      OpenSelected();
      return 0;
  }
  return FolderControl::HandleMessage(message, wParam, lParam);
}

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID >= state_.Items().size()) {
    DrawGlyphItem(item, nullptr, 0, 0, std::string(), DT_TOP);
    return;
  }
  // Folder texts are top-aligned, 4 pixels after the glyph at the item's indent.
  const int index = static_cast<int>(item.itemID);
  const folders::FolderKind kind = state_.Items()[item.itemID].kind;
  const Glyph& glyph = kind == folders::FolderKind::kCurrent     ? currentFolder_
                       : kind == folders::FolderKind::kSubfolder ? closedFolder_
                                                                 : openFolder_;
  const int indent = state_.Indent(index);
  DrawGlyphItem(item, &glyph, indent, indent + 4, state_.DisplayText(index), DT_TOP);
}

}  // namespace folderctl
