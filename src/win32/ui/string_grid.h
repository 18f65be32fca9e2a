// The string grid: a grid of text cells under title rows, with grid lines, a whole-row
// selection, resizable columns and an owner-draw event called after each cell's default
// drawing. Only visible cells are painted and scroll positions are 32-bit, so a grid of a
// million rows scrolls and repaints as quickly as one of a hundred.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "core/cell_table.h"
#include "core/grid_geometry.h"
#include "win32/ui/window.h"

namespace ui {

// The cell states and options the geometry defines, under the widget layer's names.
using zolt::kGridColSizing;
using zolt::kGridFocused;
using zolt::kGridHorzLine;
using zolt::kGridSelected;
using zolt::kGridTitle;
using zolt::kGridTitleHorzLine;
using zolt::kGridTitleVertLine;
using zolt::kGridVertLine;

class StringGrid : public Window {
 public:
  static constexpr const char* kKind = "string grid";
  // Default drawing puts a cell's text this far right of and below its top-left corner.
  static constexpr int kTextInset = 2;

  StringGrid();

  // Creates the grid's window as a child of parent (WS_CHILD | WS_VISIBLE | WS_TABSTOP, both
  // scroll bars); its position and size are the parent's to set.
  void CreateIn(HWND parent, int id, int x, int y, int width, int height);

  // --- cells (the grid's only store of texts) ---
  const zolt::CellTable& Cells() const { return cells_; }
  std::string_view Cell(int col, int row) const { return cells_.Cell(col, row); }
  int RowCount() const { return cells_.RowCount(); }
  void SetRowCount(int rows);  // keeps the current row inside; updates scroll bars, repaints
  int ColCount() const { return cells_.ColCount(); }
  void SetColCount(int cols);  // before any cell is written
  // Lets fill write the cells in place (a listing writes a whole pane, then sets the row count
  // once), then brings the current row, the scroll bars and the picture up to date, also when
  // fill throws.
  void EditCells(const std::function<void(zolt::CellTable&)>& fill);

  // --- geometry and options, as a form description sets them ---
  void SetTitleRows(int rows);  // the title rows
  int TitleRows() const { return geometry_.titleRows; }
  void SetDefaultColWidth(int width);  // every column
  void SetDefaultRowHeight(int height);
  int DefaultRowHeight() const { return geometry_.rowHeight; }
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  void SetGridLineWidth(int width);
  void SetOptions(unsigned options);
  unsigned Options() const { return geometry_.options; }
  void SetFont(HFONT font);  // not owned

  // --- selection and scrolling ---
  int Row() const { return geometry_.row; }
  int Col() const { return geometry_.col; }
  // Makes row current (highlighted across all columns) and scrolls it into view.
  void SetRow(int row);
  int TopRow() const { return geometry_.topRow; }  // first data row shown below the title rows
  void SetTopRow(int row);
  int VisibleRowCount() const { return geometry_.VisibleRows(); }  // data rows that fit wholly

  // The rectangle of a cell in client coordinates (empty when it is not shown).
  RECT CellRect(int col, int row) const;
  // Cell under a client point; false outside the cells.
  bool CellAt(int x, int y, int& col, int& row) const;

  // Called for each painted cell after its default drawing, with the DC it is drawn on.
  std::function<void(HDC dc, int col, int row, const RECT& rect, unsigned state)> OnDrawCell;
  std::function<void()> OnDblClick;

  // Paints the dirty area into dc (WM_PAINT and WM_PRINTCLIENT share it). An exception from the
  // owner draw leaves the area drawn as far as it got and is passed on, the first time only.
  void Paint(HDC dc, const RECT& dirty);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Does what the geometry says after a move: the scroll bars, then the repaints.
  void Apply(const zolt::GridChange& change);
  void Changed();  // after a geometry change: scroll bars and a full repaint
  void Render(HDC dc, const RECT& dirty);
  void DrawCell(HDC dc, int col, int row, const RECT& rect, bool focused);
  HFONT CurrentFont() const;

  bool OnKeyDown(WPARAM key);
  void OnScroll(int bar, int code);
  void OnMouseWheel(int delta);
  void OnLButtonDown(int x, int y, bool doubleClick);
  void OnSize();
  bool OnSetCursor();

  zolt::CellTable cells_;
  zolt::GridGeometry geometry_;
  int defaultColWidth_ = 64;
  HFONT font_ = nullptr;
  bool updatingScrollBars_ = false;
  bool paintFailing_ = false;  // the last paint failed; its failure has been reported
};

}  // namespace ui
