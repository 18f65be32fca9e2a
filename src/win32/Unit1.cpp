#include "win32/Unit1.h"

#include "core/compare.h"
#include "core/errors.h"
#include "core/listing.h"
#include "core/mark_paint.h"
#include "core/pane.h"
#include "win32/Unit2.h"

namespace {

std::string TextOf(HWND hwnd) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd, &text[0], static_cast<int>(text.size()))));
  return text;
}

}  // namespace

TForm1::TForm1(os::Os& os) : Form("TForm1"), os_(os), format_(os) {
  Bind("FormShow", [this] { FormShow(); });
  BindClose("FormClose", [this](ui::CloseAction& action) { FormClose(action); });
  Bind("MnuExitClick", [this] { MnuExitClick(); });
  Bind("MnuCompareClick", [this] { MnuCompareClick(); });
  BindDrawCell("StringGrid1DrawCell", [this](HDC dc, int col, int row, const RECT& rect, unsigned) {
    StringGrid1DrawCell(dc, col, row, rect);
  });
  BindDrawCell("StringGrid2DrawCell", [this](HDC dc, int col, int row, const RECT& rect, unsigned) {
    StringGrid2DrawCell(dc, col, row, rect);
  });
  Bind("StringGrid1DblClick", [this] { StringGrid1DblClick(); });
  Bind("StringGrid2DblClick", [this] { StringGrid2DblClick(); });
  Bind("Button1Click", [this] { Button1Click(); });
  Bind("Button2Click", [this] { Button2Click(); });
}

void TForm1::Create() {
  CreateFromResource("TFORM1");
}

TForm1::Pane TForm1::LeftPane() {
  return Pane{HandleOf("Edit1"), Get<ui::StringGrid>("StringGrid1"), Get<ui::Panel>("Panel4"),
              FileCount1, Marks1};
}

TForm1::Pane TForm1::RightPane() {
  return Pane{HandleOf("Edit2"), Get<ui::StringGrid>("StringGrid2"), Get<ui::Panel>("Panel6"),
              FileCount2, Marks2};
}

void TForm1::LoadPane(const Pane& pane, const std::string& folderPath) {
  SetWindowTextA(pane.pathBox, folderPath.c_str());
  // The listing goes by what the path box shows.
  const std::string pathText = TextOf(pane.pathBox);
  std::string status;
  pane.grid.EditCells([&](zolt::CellTable& cells) {
    status = compare::LoadPane(os_, cells, pathText, format_, pane.fileCount, pane.marks);
  });
  pane.statusBar.SetCaption(status);
}

void TForm1::FormShow() {
  SetWindowTextA(HandleOf("Edit1"), "");
  SetWindowTextA(HandleOf("Edit2"), "");
  Get<ui::Panel>("Panel4").SetCaption("");
  Get<ui::Panel>("Panel6").SetCaption("");
  for (const char* name : {"StringGrid1", "StringGrid2"}) {
    Get<ui::StringGrid>(name).EditCells(compare::WriteTitles);
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

void TForm1::MnuCompareClick() {
  const Pane left = LeftPane();
  const Pane right = RightPane();
  const std::string leftPath = TextOf(left.pathBox);
  const std::string rightPath = TextOf(right.pathBox);
  compare::ComparePanes(
      compare::PaneInputs{leftPath, left.grid.Cells(), FileCount1, Marks1},
      compare::PaneInputs{rightPath, right.grid.Cells(), FileCount2, Marks2},
      [&](int pane) { InvalidateRect((pane == 1 ? left : right).grid.Handle(), nullptr, FALSE); });
}

void TForm1::PaintMarkedCell(const ui::StringGrid& grid, int32_t fileCount,
                             const zolt::MarkArray& marks, HDC dc, int col, int row,
                             const RECT& rect) {
  if (!compare::PaintsMark(fileCount, marks, col, row)) return;
  // The opaque background fills the whole cell, the text clipped to it.
  SetBkColor(dc, compare::kMarkFillColour);
  SetTextColor(dc, compare::kMarkTextColour);
  const std::string_view text = grid.Cell(col, row);
  ExtTextOutA(dc, rect.left + 2, rect.top + 2, ETO_OPAQUE | ETO_CLIPPED, &rect, text.data(),
              static_cast<UINT>(text.size()), nullptr);
}

void TForm1::StringGrid1DrawCell(HDC dc, int col, int row, const RECT& rect) {
  PaintMarkedCell(Get<ui::StringGrid>("StringGrid1"), FileCount1, Marks1, dc, col, row, rect);
}

void TForm1::StringGrid2DrawCell(HDC dc, int col, int row, const RECT& rect) {
  PaintMarkedCell(Get<ui::StringGrid>("StringGrid2"), FileCount2, Marks2, dc, col, row, rect);
}

void TForm1::SelectNamesake(const ui::StringGrid& grid, ui::StringGrid& other) {
  const int match = compare::MatchRow(grid.Cells(), grid.Row(), other.Cells());
  if (match > 0 && match != other.Row()) other.SetRow(match);
}

void TForm1::StringGrid1DblClick() {
  SelectNamesake(Get<ui::StringGrid>("StringGrid1"), Get<ui::StringGrid>("StringGrid2"));
}

void TForm1::StringGrid2DblClick() {
  SelectNamesake(Get<ui::StringGrid>("StringGrid2"), Get<ui::StringGrid>("StringGrid1"));
}

void TForm1::Button1Click() {
  BrowseInto(LeftPane());
}

void TForm1::Button2Click() {
  BrowseInto(RightPane());
}

void TForm1::BrowseInto(const Pane& pane) {
  if (!form2_) throw zolt::Exception("The browse dialog has not been created");
  form2_->ShowModal();
  if (!form2_->Selected) return;
  LoadPane(pane, form2_->FolderPath);
}

void TForm1::SettingsChanged() {
  format_.SettingsChanged(os_);
}
