// The string grid: a grid of text cells under title rows, with grid lines, a whole-row
// selection, resizable columns and an owner-draw event called after each cell's default
// drawing. Only visible cells are painted and scroll positions are 32-bit, so a grid of a
// million rows scrolls and repaints as quickly as one of a hundred.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "core/cell_table.h"
#include "win32/ui/window.h"

namespace ui {

// Drawing state of a cell, as the owner-draw event receives it.
enum GridDrawState : unsigned {
  kGridSelected = 1,
  kGridFocused = 2,
  kGridTitle = 4,
};

// Grid options (any combination): the lines between title cells and between data cells, and
// columns resized by dragging a title boundary.
enum GridOption : unsigned {
  kGridTitleVertLine = 1,
  kGridTitleHorzLine = 2,
  kGridVertLine = 4,
  kGridHorzLine = 8,
  kGridColSizing = 16,
};

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
  int TitleRows() const { return titleRows_; }
  void SetDefaultColWidth(int width);  // every column
  void SetDefaultRowHeight(int height);
  int DefaultRowHeight() const { return rowHeight_; }
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  void SetGridLineWidth(int width);
  void SetOptions(unsigned options);
  unsigned Options() const { return options_; }
  void SetFont(HFONT font);  // not owned

  // --- selection and scrolling ---
  int Row() const { return row_; }
  int Col() const { return col_; }
  // Makes row current (highlighted across all columns) and scrolls it into view.
  void SetRow(int row);
  int TopRow() const { return topRow_; }  // first data row shown below the title rows
  void SetTopRow(int row);
  int VisibleRowCount() const;  // data rows that fit wholly

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
  // Geometry, in client pixels; every cell is followed by its right and bottom grid line.
  int Pitch() const;  // row height plus one grid line
  int TitleHeight() const;
  int ContentWidth() const;  // every column with its line
  int ColLeft(int col) const;
  long long RowTop(int row) const;  // 64-bit: far rows lie far below the client area
  SIZE ClientSize() const;
  int RowsFitting(int height) const;
  int MaxTopRow() const;
  int MaxLeftOffset() const;

  // Sets the scroll bars from the geometry, showing each only when needed, and clamps the
  // scroll position; true when the position had to move.
  bool UpdateScrollBars();
  void Changed();  // after a geometry change: scroll bars and a full repaint
  void InvalidateRow(int row);
  void ScrollTo(int topRow, int leftOffset);
  void ScrollRowIntoView(int row);
  void ScrollColIntoView(int col);
  void MoveTo(int col, int row);
  int SizingColAt(int x, int y) const;  // the column whose right boundary is under (x, y), or -1

  void Render(HDC dc, const RECT& dirty);
  void DrawCell(HDC dc, int col, int row, const RECT& rect, bool focused);
  HFONT CurrentFont() const;

  bool OnKeyDown(WPARAM key);
  void OnScroll(int bar, int code);
  void OnMouseWheel(int delta);
  void OnLButtonDown(int x, int y, bool doubleClick);
  void OnMouseMove(int x);
  bool OnSetCursor();

  zolt::CellTable cells_;
  std::vector<int> colWidths_;
  int defaultColWidth_ = 64;
  int rowHeight_ = 24;
  int titleRows_ = 1;
  int lineWidth_ = 1;
  unsigned options_ = kGridTitleVertLine | kGridTitleHorzLine | kGridVertLine | kGridHorzLine;
  HFONT font_ = nullptr;
  int row_ = 1;
  int col_ = 0;
  int topRow_ = 1;
  int leftOffset_ = 0;            // horizontal scroll in pixels
  int sizingCol_ = -1;            // column being resized by a drag, or -1
  int sizingGrab_ = 0;            // pointer offset from that column's boundary when the drag began
  long long wheelRemainder_ = 0;  // wheel travel not yet worth a whole row, in rows x WHEEL_DELTA
  bool updatingScrollBars_ = false;
  bool paintFailing_ = false;  // the last paint failed; its failure has been reported
};

}  // namespace ui
