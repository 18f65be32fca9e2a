#include "win32/folderctl/directory_list_box.h"

#include "win32/ui/gdi.h"

namespace folderctl {

TDirectoryListBox::TDirectoryListBox(os::Os& os)
    : state_(os), itemHeight_(folders::FolderItemHeight(FontCellHeight(nullptr))) {
  state_.OnChange = [this] {
    if (OnChange) OnChange();
  };
}

TDirectoryListBox::~TDirectoryListBox() {
  state_.SetView(nullptr);
}

void TDirectoryListBox::CreateIn(HWND parent, int id, int x, int y, int width, int height) {
  CreateHost(parent, id, x, y, width, height);
}

void TDirectoryListBox::CreateControl() {
  ui::WaitCursor wait;
  RECT host;
  GetClientRect(Handle(), &host);
  // Not sorted: the state keeps the order. The texts are kept so that a typed character
  // moves the selection to the next item beginning with it.
  HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                                  LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                              0, 0, host.right, host.bottom, Handle(), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  AttachControl(list);
  if (Font()) SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  SendMessageA(list, LB_SETITEMHEIGHT, 0, itemHeight_);
  state_.SetView(this);
  state_.Rebuild();
}

void TDirectoryListBox::FontChanged() {
  itemHeight_ = folders::FolderItemHeight(FontCellHeight(Font()));
  if (Control()) {
    SendMessageA(Control(), LB_SETITEMHEIGHT, 0, itemHeight_);
    InvalidateRect(Control(), nullptr, TRUE);
  }
}

void TDirectoryListBox::OnDestroyed() {
  state_.SetView(nullptr);
}

void TDirectoryListBox::RebuildStarted() {
  SendMessageA(Control(), WM_SETREDRAW, FALSE, 0);
}

void TDirectoryListBox::RebuildFinished() {
  const int count = static_cast<int>(state_.Items().size());
  SendMessageA(Control(), LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i) {
    SendMessageA(Control(), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(state_.DisplayText(i).c_str()));
  }
  SendMessageA(Control(), LB_SETCURSEL, static_cast<WPARAM>(state_.Selected()), 0);
  SendMessageA(Control(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Control(), nullptr, TRUE);
}

void TDirectoryListBox::SyncSelection() {
  state_.SetSelected(static_cast<int>(SendMessageA(Control(), LB_GETCURSEL, 0, 0)));
}

void TDirectoryListBox::SetCurrentDrive(char letter) {
  ui::WaitCursor wait;
  state_.SetCurrentDrive(letter);
}

void TDirectoryListBox::OpenSelected() {
  ui::WaitCursor wait;
  if (Control()) SyncSelection();
  state_.OpenSelected();
}

void TDirectoryListBox::Command(WORD code) {
  if (code == LBN_SELCHANGE) SyncSelection();
}

bool TDirectoryListBox::ControlMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
  switch (message) {
    case WM_LBUTTONDBLCLK: {
      result = CallControl(message, wParam, lParam);
      // Only a double-click on an item opens it, not one below the last item.
      const LRESULT hit = SendMessageA(Control(), LB_ITEMFROMPOINT, 0, lParam);
      if (HIWORD(hit) == 0) OpenSelected();
      return true;
    }
    case WM_KEYDOWN:
      // Enter reaches the list only outside a dialog: a dialog gives it to its default button.
      if (wParam != VK_RETURN) return false;
      OpenSelected();
      result = 0;
      return true;
    default:
      return HostWindow::ControlMessage(message, wParam, lParam, result);
  }
}

const Glyph& TDirectoryListBox::GlyphOf(folders::FolderKind kind) const {
  switch (kind) {
    case folders::FolderKind::kCurrent:
      return currentFolder_;
    case folders::FolderKind::kSubfolder:
      return closedFolder_;
    default:
      return openFolder_;
  }
}

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item) {
  const int index = static_cast<int>(item.itemID);
  if (index < 0 || index >= static_cast<int>(state_.Items().size())) {
    DrawGlyphItem(item, nullptr, 0, 0, std::string(), DT_TOP);
    return;
  }
  // Folder texts are top-aligned, 4 pixels after the glyph at the item's indent.
  const int indent = state_.Indent(index);
  DrawGlyphItem(item, &GlyphOf(state_.Items()[static_cast<size_t>(index)].kind), indent, indent + 4,
                state_.DisplayText(index), DT_TOP);
}

}  // namespace folderctl
