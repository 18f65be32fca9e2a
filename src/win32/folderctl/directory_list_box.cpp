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

namespace {

// A character as the platform's list box compares it: ASCII letters in either case, nothing else.
wchar_t FoldAscii(wchar_t c) {
  return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool CharacterAt(const std::wstring& text, size_t at, wchar_t folded) {
  return at < text.size() && FoldAscii(text[at]) == folded;
}

}  // namespace

int TDirectoryListBox::ItemStartingWith(char typed) const {
  // Each byte is a character of its own, as the platform turns one into the list box's.
  const wchar_t c = FoldAscii(ui::FromCodePage(std::string(1, typed), CP_ACP)[0]);
  const int count = static_cast<int>(state_.Items().size());
  const int focus = static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
  for (int step = 1; step <= count; ++step) {
    const int i = (focus + step) % count;
    const std::wstring text = ui::FromCodePage(state_.DisplayText(i), CP_ACP);
    // The platform also reads "[x" and "[-x" (its marks of a folder and a drive) as beginning
    // with x.
    if (CharacterAt(text, 0, c) ||
        (!text.empty() && text[0] == L'[' &&
         (CharacterAt(text, 1, c) || (text[1] == L'-' && CharacterAt(text, 2, c))))) {
      return i;
    }
  }
  return -2;  // nothing moves
}

bool TDirectoryListBox::OnNotification(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
  switch (message) {
    case WM_CHARTOITEM:
      result = ItemStartingWith(typed_);
      return true;
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
    case WM_CHAR:
      // The platform asks for the item (WM_CHARTOITEM) while it handles the character.
      typed_ = static_cast<char>(wParam);
      break;
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
