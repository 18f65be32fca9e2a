// The string grid's arithmetic, window-free: where its cells lie, which cell is under a point,
// what a dirty rectangle needs painted, which scroll bars it shows, and where keys, scroll codes,
// the wheel, clicks and column drags take its view. Each move says, as data, what the window
// must then do; the window applies it and draws.
#pragma once

#include <array>
#include <optional>
#include <vector>

namespace zolt {

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

// A rectangle in client pixels, right and bottom excluded.
struct GridRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return left >= right || top >= bottom; }
  bool operator==(const GridRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct GridCell {
  int col = 0, row = 0;
  bool operator==(const GridCell& o) const { return col == o.col && row == o.row; }
};

// A scroll bar's settings; a hidden bar is {false, 0, 0, 1, 0}.
struct GridBar {
  bool shown = false;
  int min = 0, max = 0, page = 1, pos = 0;
};

// Part of the client area to bring up to date. With a shift, what stays visible of the area
// moves by (dx, dy) and only what scrolls in is repainted; without, the whole area is.
struct GridRepaint {
  GridRect area;
  int dx = 0, dy = 0;
};

// What the window does after a move, in this order: set both bars whole (when bars is set),
// set the bars' positions to the view's, then repaint.
struct GridChange {
  std::optional<std::array<GridBar, 2>> bars;  // vertical, horizontal
  bool topMoved = false;
  bool leftMoved = false;
  std::vector<GridRepaint> repaints;
};

// The rows of one band (the title rows or the data rows) that a dirty rectangle touches, with
// the columns it touches and the part of the rectangle the band clips its drawing to.
struct GridBand {
  int firstRow = 0, lastRow = -1;
  int firstCol = 0, lastCol = -1;
  GridRect zone;
  bool Empty() const { return firstRow > lastRow || firstCol > lastCol || zone.Empty(); }
};

enum class GridKey { kUp, kDown, kLeft, kRight, kPageUp, kPageDown, kHome, kEnd };
enum class GridScroll { kLineUp, kLineDown, kPageUp, kPageDown, kTop, kBottom, kThumb };

// Wheel travel of one notch, and the wheel setting that scrolls a page a notch.
constexpr int kWheelDelta = 120;
constexpr unsigned kWheelPage = 0xFFFFFFFFu;

struct GridGeometry {
  // --- the grid, as its settings make it; every cell is followed by its right and bottom line ---
  std::vector<int> colWidths = std::vector<int>(5, 64);
  int rowHeight = 24;
  int lineWidth = 1;
  int titleRows = 1;
  int rowCount = 5;
  unsigned options = kGridTitleVertLine | kGridTitleHorzLine | kGridVertLine | kGridHorzLine;
  // --- the view ---
  int topRow = 1;      // first data row shown below the title rows
  int leftOffset = 0;  // horizontal scroll in pixels
  int clientWidth = 0, clientHeight = 0;
  bool vertBarShown = false, horzBarShown = false;  // their room is outside the client size
  int barWidth = 16, barHeight = 16;                // the platform's
  int row = 1, col = 0;                             // the current cell
  long long wheelRemainder = 0;  // travel not yet worth a whole row, in rows x kWheelDelta
  int sizingCol = -1;            // column being resized by a drag, or -1
  int sizingGrab = 0;            // pointer offset from that column's boundary when the drag began

  int ColCount() const { return static_cast<int>(colWidths.size()); }
  int Pitch() const;  // row height plus one line, at least 1
  int TitleHeight() const;
  int ContentWidth() const;  // every column with its line
  int ColLeft(int col) const;
  long long RowTop(int row) const;  // 64-bit: far rows lie far below the client area
  int RowsFitting(int height) const;
  int VisibleRows() const;  // data rows that fit wholly
  int MaxTopRow() const;
  int MaxLeftOffset() const;

  // Where a cell is drawn, whether shown or not (a row on screen fits an int).
  GridRect CellBox(int col, int row) const;
  // The rectangle of a cell in client coordinates; empty when it is not shown.
  GridRect CellRect(int col, int row) const;
  // A shown row's band across the client area, its bottom line included; empty when not shown.
  GridRect RowArea(int row) const;
  // The cell whose rectangle with its right and bottom line holds the point; none outside the
  // cells and the client area.
  std::optional<GridCell> CellAt(int x, int y) const;
  // The column whose right boundary is under a point of a title row, or -1.
  int SizingColAt(int x, int y) const;
  // The title band and the data band of a dirty rectangle inside the client area.
  std::array<GridBand, 2> Bands(const GridRect& dirty) const;
  // What of a dirty rectangle lies right of the last column and below the last row.
  std::vector<GridRect> BlankAreas(const GridRect& dirty) const;
  unsigned CellState(int col, int row, bool focused) const;

  // --- moves ---
  // After the settings or the room changed: the bars for the room the client area and the bars
  // shown have together (each shown exactly when the content does not fit beside the other),
  // the client size between them, and the view clamped (repainted whole when it moved).
  GridChange Fit();
  GridChange ScrollTo(int top, int left);
  // Makes a cell current and brings its row into view (and its column, when the column changed).
  GridChange MoveTo(int col, int row);
  GridChange Key(GridKey key);
  GridChange Scroll(bool vertical, GridScroll code, int thumb);
  // A wheel turn by delta, with lines (or kWheelPage) a notch; 0 lines scroll nothing.
  GridChange Wheel(int delta, unsigned lines);
  // A press of the left button: starts a column drag on a title boundary (true), or moves to the
  // row under the point.
  bool StartColumnDrag(int x, int y);
  GridChange Click(int x, int y);
  GridChange ResizeColumn(int col, int width);
  GridChange DragColumn(int x);  // the pointer at x during a column drag
};

}  // namespace zolt
