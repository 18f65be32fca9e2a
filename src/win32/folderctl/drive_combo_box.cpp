#include "win32/folderctl/drive_combo_box.h"

#include "win32/ui/gdi.h"

namespace folderctl {
namespace {

const int kDroppedEntries = 8;

}  // namespace

TDriveComboBox::TDriveComboBox(os::Os& os)
    : FolderControl(os, folders::DriveItemHeight(FontCellHeight(nullptr))) {
  state_.OnClick = [this] {
    if (OnClick) OnClick();
  };
  state_.OnChange = [this] {
    if (OnChange) OnChange();
  };
}

void TDriveComboBox::CreateIn(HWND parent, int id, int x, int y, int width, int height) {
  CreateControl("COMBOBOX",
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                    CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                0, parent, id, x, y, width, height);
}

void TDriveComboBox::FontChanged(HFONT font) {
  itemHeight_ = folders::DriveItemHeight(FontCellHeight(font));
  // -1 is the selection field, 0 the items of the dropped-down list.
  SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
  SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, itemHeight_);
}

void TDriveComboBox::EntriesChanged() {
  SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
  for (const folders::DriveEntry& entry : state_.Entries()) {
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
  }
}

void TDriveComboBox::SelectionChanged() {
  // CB_SETCURSEL sends no CBN_SELCHANGE: only the user's changes come back as picks.
  SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(state_.Selected()), 0);
}

void TDriveComboBox::Command(WORD code) {
  if (code == CBN_DROPDOWN) {
    // The window keeps only the field's height: room for eight entries, whatever the layout set.
    RECT field;
    GetWindowRect(Handle(), &field);
    SetWindowPos(Handle(), nullptr, 0, 0, field.right - field.left,
                 folders::DroppedHeight(field.bottom - field.top, itemHeight_, kDroppedEntries,
                                        GetSystemMetrics(SM_CYBORDER)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (code == CBN_SELCHANGE) {
    state_.Pick(static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)));
  }
}

LRESULT TDriveComboBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = FolderControl::HandleMessage(message, wParam, lParam);
  // Enter belongs to the dialog's default button unless the list is dropped down.
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (message == WM_GETDLGCODE && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
    if (SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0)) {
      result |= DLGC_WANTMESSAGE;
    } else {
      result &= ~(DLGC_WANTMESSAGE | DLGC_WANTALLKEYS);
    }
  }
  return result;
}

void TDriveComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  // Drive texts are vertically centred, 6 pixels after the glyph at left + 2; the field shows no
  // entry while none is selected.
  const auto& entries = state_.Entries();
  const folders::DriveEntry* entry = item.itemID < entries.size() ? &entries[item.itemID] : nullptr;
  DrawGlyphItem(item, entry ? &glyphs_[static_cast<size_t>(entry->glyph)] : nullptr, 2, 6,
                entry ? entry->text : std::string(), DT_VCENTER);
}

}  // namespace folderctl
