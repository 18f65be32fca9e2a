#include "win32/Unit1.h"

namespace {

const char* const kTitles[] = {"FileName", "Size", "DateTime"};

}  // namespace

TForm1::TForm1(os::Os& os) : Form("TForm1"), os_(os) {
  Bind("FormShow", [this] { FormShow(); });
  BindClose("FormClose", [this](ui::CloseAction& action) { FormClose(action); });
  Bind("MnuExitClick", [this] { MnuExitClick(); });
  ReadSeparators();
}

void TForm1::Create() {
  CreateFromResource("TFORM1");
}

void TForm1::FormShow() {
  SetWindowTextA(HandleOf("Edit1"), "");
  SetWindowTextA(HandleOf("Edit2"), "");
  Get<ui::Panel>("Panel4").SetCaption("");
  Get<ui::Panel>("Panel6").SetCaption("");
  for (const char* name : {"StringGrid1", "StringGrid2"}) {
    ui::StringGrid& grid = Get<ui::StringGrid>(name);
    for (int col = 0; col < 3; ++col) grid.SetCell(col, 0, kTitles[col]);
  }
  Marks1.Clear();
  FileCount1 = 0;
  Marks2.Clear();
  FileCount2 = 0;
}

void TForm1::FormClose(ui::CloseAction&) {
  Marks1.Clear();
  Marks2.Clear();
}

void TForm1::MnuExitClick() {
  Close();
}

void TForm1::ReadSeparators() {
  dateSeparator_ = os_.LocaleSeparator(os::Separator::kDate);
  if (dateSeparator_.empty()) dateSeparator_ = "/";
  timeSeparator_ = os_.LocaleSeparator(os::Separator::kTime);
  if (timeSeparator_.empty()) timeSeparator_ = ":";
}

void TForm1::SettingsChanged() {
  ReadSeparators();
  os_.ResetThreadLocale();
}
