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
  // The list box holds no items, only their count: each item is drawn from the state by its
  // index, with no message per item on the way in or out, and the item a typed character moves
  // to is asked of this control (WM_CHARTOITEM).
  CreateControl("LISTBOX",
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA |
                    LBS_WANTKEYBOARDINPUT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE, parent, id, x, y, width, height);
  // Only then does the window say that it has strings: the list box keeps the style it was made
  // with (with strings it would not be made without items), while the platform carries a text
  // query from another process (a screen reader's, a test tool's) as a text only to a list box
  // whose window says so. The texts are answered here, from the state.
  SetWindowLongPtrA(Handle(), GWL_STYLE, GetWindowLongPtrA(Handle(), GWL_STYLE) | LBS_HASSTRINGS);
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
  // Emptied first, so that the new items start at the top as in a list filled anew.
  SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
  SendMessageA(Handle(), LB_SETCOUNT, state_.Items().size(), 0);
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

LRESULT TDirectoryListBox::ItemText(WPARAM index, char* text) const {
  if (index >= state_.Items().size()) return LB_ERR;
  const std::string shown = state_.DisplayText(static_cast<int>(index));
  if (text) {
    shown.copy(text, shown.size());
    text[shown.size()] = '\0';
  }
  return static_cast<LRESULT>(shown.size());
}

bool TDirectoryListBox::OnNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
  switch (message) {
    case WM_CHARTOITEM: {
      // The character the platform's list box asks about, whatever it made of the bytes typed:
      // a byte, or a double-byte character with its lead byte high.
      const WORD c = LOWORD(wParam);
      const std::string typed =
          c > 0xFF ? std::string{static_cast<char>(HIBYTE(c)), static_cast<char>(LOBYTE(c))}
                   : std::string(1, static_cast<char>(c));
      const int focus = static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
      const int found = state_.FindItem(typed, focus, false);
      result = found >= 0 ? found : -2;  // -2: nothing moves
      return true;
    }
    case WM_VKEYTOITEM:
      result = -1;  // the platform's own handling of the key
      return true;
    default:
      return FolderControl::OnNotification(message, wParam, lParam, result);
  }
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
    case LB_GETTEXTLEN:
      return ItemText(wParam, nullptr);
    case LB_GETTEXT:
      return ItemText(wParam, reinterpret_cast<char*>(lParam));
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
      const int found = state_.FindItem(lParam ? reinterpret_cast<const char*>(lParam) : "",
                                        static_cast<int>(wParam), message == LB_FINDSTRINGEXACT);
      if (found >= 0 && message == LB_SELECTSTRING) {
        DefaultHandling(LB_SETCURSEL, static_cast<WPARAM>(found), 0);
      }
      return found >= 0 ? found : LB_ERR;
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
