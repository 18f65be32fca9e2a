#include "win32/Unit1.h"

#include "core/compare.h"
#include "core/errors.h"
#include "core/listing.h"
#include "core/mark_paint.h"
#include "win32/Unit2.h"

namespace {

// Marked cells: cyan behind black text.
constexpr COLORREF kMarkFill = RGB(0, 255, 255);
constexpr COLORREF kMarkText = RGB(0, 0, 0);
// Neither pane may be dragged narrower than this.
constexpr int kMinPaneSize = 30;

}  // namespace

TForm1::TForm1(ui::Application& app, os::Os& os) : Form(app, os, "TForm1"), format_(os) {
  Bind("FormShow", [this] { FormShow(); });
  BindClose("FormClose", [this](ui::CloseEffect& effect) { FormClose(effect); });
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

TForm1::~TForm1() {
  Destroy();
}

void TForm1::Create() {
  CreateFromResource("TFORM1");
  left_.emplace(Pane{Get<ui::StringGrid>("StringGrid1"),
                     HandleOf("Edit1"),
                     HandleOf("Panel4"),
                     {FileCount1, Marks1}});
  right_.emplace(Pane{Get<ui::StringGrid>("StringGrid2"),
                      HandleOf("Edit2"),
                      HandleOf("Panel6"),
                      {FileCount2, Marks2}});
  // The splitter proposes; this window keeps both panes at least kMinPaneSize wide.
  ui::Control& splitter = Find("Splitter1");
  ui::Splitter& bar = Get<ui::Splitter>("Splitter1");
  bar.OnProposal = [this, &splitter](int left) {
    return SplitterPosition(splitter, left, kMinPaneSize);
  };
  bar.OnMoved = [this, &splitter](int left) { MoveSplitter(splitter, left); };
}

void TForm1::LoadPane(Pane& pane, const std::string& folderPath) {
  SetWindowTextA(pane.pathBox, folderPath.c_str());
  // The listing goes by what the path box shows.
  const std::string pathText = ui::TextOf(pane.pathBox);
  ui::WaitCursor wait;
  std::string status;
  pane.grid.EditCells([&](zolt::CellTable& cells) {
    status = listing::LoadPane(Machine(), cells, pathText, format_, pane.state);
  });
  SetWindowTextA(pane.statusBar, status.c_str());
}

void TForm1::Empty(Pane& pane) {
  SetWindowTextA(pane.pathBox, "");
  SetWindowTextA(pane.statusBar, "");
  pane.grid.EditCells(zolt::WriteTitles);
  pane.state.marks.Clear();
  pane.state.fileCount = 0;
}

void TForm1::FormShow() {
  Empty(*left_);
  Empty(*right_);
}

void TForm1::FormClose(ui::CloseEffect&) {
  Marks1.Clear();
  Marks2.Clear();
}

void TForm1::MnuExitClick() {
  Close();
}

void TForm1::MnuCompareClick() {
  const std::string leftPath = ui::TextOf(left_->pathBox);
  const std::string rightPath = ui::TextOf(right_->pathBox);
  ui::WaitCursor wait;
  if (!compare::ComparePanes({leftPath, left_->grid.Cells(), left_->state},
                             {rightPath, right_->grid.Cells(), right_->state})) {
    return;
  }
  // Repainted now, the marks shown before the pointer says the work is done.
  for (const Pane* pane : {&*left_, &*right_}) {
    RedrawWindow(pane->grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

void TForm1::PaintMarkedCell(const Pane& pane, HDC dc, int col, int row, const RECT& rect) {
  if (!compare::PaintsMark(pane.state.fileCount, pane.state.marks, col, row)) return;
  // The opaque background fills the whole cell, the text where the grid draws it, clipped.
  SetBkColor(dc, kMarkFill);
  SetTextColor(dc, kMarkText);
  const std::string_view text = pane.grid.Cell(col, row);
  const int inset = ui::StringGrid::kTextInset;
  ExtTextOutA(dc, rect.left + inset, rect.top + inset, ETO_OPAQUE | ETO_CLIPPED, &rect, text.data(),
              static_cast<UINT>(text.size()), nullptr);
}

void TForm1::StringGrid1DrawCell(HDC dc, int col, int row, const RECT& rect) {
  PaintMarkedCell(*left_, dc, col, row, rect);
}

void TForm1::StringGrid2DrawCell(HDC dc, int col, int row, const RECT& rect) {
  PaintMarkedCell(*right_, dc, col, row, rect);
}

void TForm1::SelectNamesake(const Pane& from, Pane& to) {
  const int match = compare::MatchRow(from.grid.Cells(), from.grid.Row(), to.grid.Cells());
  if (match > 0 && match != to.grid.Row()) to.grid.SetRow(match);
}

void TForm1::StringGrid1DblClick() {
  SelectNamesake(*left_, *right_);
}

void TForm1::StringGrid2DblClick() {
  SelectNamesake(*right_, *left_);
}

void TForm1::Button1Click() {
  BrowseInto(*left_);
}

void TForm1::Button2Click() {
  BrowseInto(*right_);
}

void TForm1::BrowseInto(Pane& pane) {
  if (!form2_) throw zolt::Exception("The browse dialog has not been created");
  form2_->ShowModal();
  if (!form2_->Selected) return;
  LoadPane(pane, form2_->FolderPath);
}

void TForm1::SettingsChanged() {
  format_.SettingsChanged(Machine());
}
