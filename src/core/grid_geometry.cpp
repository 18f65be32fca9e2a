#include "core/grid_geometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>
#include <utility>

namespace zolt {
namespace {

// How far (pixels) from a column boundary in a title row a press still grabs it for resizing.
const int kSizingSlack = 3;
// Horizontal scroll-bar arrows move by this many pixels.
const int kHorzLineStep = 16;

int ClampInt(long long v, int lo, int hi) {
  if (hi < lo) hi = lo;
  return static_cast<int>(std::max<long long>(lo, std::min<long long>(hi, v)));
}

// Adds what a later move asks to what an earlier one did.
void Then(GridChange& change, GridChange&& later) {
  if (later.bars) change.bars = later.bars;
  change.topMoved |= later.topMoved;
  change.leftMoved |= later.leftMoved;
  for (GridRepaint& r : later.repaints) change.repaints.push_back(r);
}

}  // namespace

int GridGeometry::Pitch() const {
  return std::max(1, rowHeight + lineWidth);
}

int GridGeometry::TitleHeight() const {
  return titleRows * Pitch();
}

int GridGeometry::ContentWidth() const {
  return std::accumulate(colWidths.begin(), colWidths.end(), 0,
                         [this](int sum, int w) { return sum + w + lineWidth; });
}

int GridGeometry::ColLeft(int column) const {
  int x = -leftOffset;
  for (int c = 0; c < column; ++c) x += colWidths[static_cast<size_t>(c)] + lineWidth;
  return x;
}

long long GridGeometry::RowTop(int r) const {
  if (r < titleRows) return static_cast<long long>(r) * Pitch();
  return TitleHeight() + static_cast<long long>(r - topRow) * Pitch();
}

int GridGeometry::RowsFitting(int height) const {
  // A row fits when its cell does; its bottom line may fall outside.
  return std::max(0, (height + lineWidth) / Pitch());
}

int GridGeometry::VisibleRows() const {
  return RowsFitting(clientHeight - TitleHeight());
}

int GridGeometry::MaxTopRow() const {
  // Keep in step with the vertical bar's range and page (Fit): its last position is this row.
  return std::max(titleRows, rowCount - std::max(1, VisibleRows()));
}

int GridGeometry::MaxLeftOffset() const {
  return std::max(0, ContentWidth() - clientWidth);
}

GridRect GridGeometry::CellBox(int column, int r) const {
  const int left = ColLeft(column), top = static_cast<int>(RowTop(r));
  return GridRect{left, top, left + colWidths[static_cast<size_t>(column)], top + rowHeight};
}

GridRect GridGeometry::CellRect(int column, int r) const {
  if (column < 0 || column >= ColCount() || r < 0 || r >= rowCount) return {};
  if (r >= titleRows && r < topRow) return {};
  if (RowTop(r) >= clientHeight) return {};
  const GridRect box = CellBox(column, r);
  if (box.left >= clientWidth || box.right + lineWidth <= 0) return {};
  return box;
}

GridRect GridGeometry::RowArea(int r) const {
  if (r < 0 || r >= rowCount || (r >= titleRows && r < topRow)) return {};
  const long long top = RowTop(r);
  if (top >= clientHeight) return {};
  return GridRect{0, static_cast<int>(top), clientWidth, static_cast<int>(top + Pitch())};
}

std::optional<GridCell> GridGeometry::CellAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight) return std::nullopt;
  const int titleHeight = TitleHeight();
  const long long r =
      y < titleHeight ? y / Pitch() : topRow + static_cast<long long>(y - titleHeight) / Pitch();
  if (r >= rowCount) return std::nullopt;
  long long cx = static_cast<long long>(x) + leftOffset;
  for (int c = 0; c < ColCount(); ++c) {
    const int span = colWidths[static_cast<size_t>(c)] + lineWidth;
    if (cx < span) return GridCell{c, static_cast<int>(r)};
    cx -= span;
  }
  return std::nullopt;
}

int GridGeometry::SizingColAt(int x, int y) const {
  if (!(options & kGridColSizing) || y < 0 || y >= TitleHeight()) return -1;
  int best = -1, bestDistance = INT_MAX;
  int left = -leftOffset;
  for (int c = 0; c < ColCount(); ++c) {
    const int boundary = left + colWidths[static_cast<size_t>(c)];
    left = boundary + lineWidth;
    if (boundary < 0) continue;  // scrolled out of view
    const int distance = std::abs(2 * x - (2 * boundary + lineWidth - 1));
    // Ties go to the later column, so a column dragged down to nothing can be widened again.
    if (distance <= 2 * kSizingSlack + lineWidth && distance <= bestDistance) {
      best = c;
      bestDistance = distance;
    }
  }
  return best;
}

std::array<GridBand, 2> GridGeometry::Bands(const GridRect& dirty) const {
  const int pitch = Pitch(), titleHeight = TitleHeight();
  const int bottom = std::min(dirty.bottom, clientHeight);
  // Found by arithmetic: never a walk over all rows.
  GridBand titles, data;
  titles.firstRow = std::min(titleRows, std::max(0, dirty.top / pitch));
  titles.lastRow =
      bottom <= 0 ? -1 : std::min(titleRows - 1, (std::min(bottom, titleHeight) - 1) / pitch);
  titles.zone = GridRect{dirty.left, std::max(0, dirty.top), dirty.right,
                         std::min(titleHeight, dirty.bottom)};
  data.firstRow =
      ClampInt(topRow + static_cast<long long>(std::max(0, dirty.top - titleHeight)) / pitch,
               INT_MIN, INT_MAX);
  data.lastRow = bottom > titleHeight
                     ? ClampInt(topRow + static_cast<long long>(bottom - 1 - titleHeight) / pitch,
                                INT_MIN, rowCount - 1)
                     : -1;
  data.zone = GridRect{dirty.left, std::max(titleHeight, dirty.top), dirty.right, dirty.bottom};
  // The columns whose cell or line meets the rectangle.
  int first = ColCount(), last = -1;
  int left = -leftOffset;
  for (int c = 0; c < ColCount() && left < dirty.right; ++c) {
    const int right = left + colWidths[static_cast<size_t>(c)] + lineWidth;
    if (right > dirty.left && right > left) {
      first = std::min(first, c);
      last = c;
    }
    left = right;
  }
  for (GridBand* band : {&titles, &data}) {
    band->firstCol = first;
    band->lastCol = last;
  }
  return {titles, data};
}

std::vector<GridRect> GridGeometry::BlankAreas(const GridRect& dirty) const {
  const int contentRight = ContentWidth() - leftOffset;
  const long long rowsBottom = RowTop(rowCount - 1) + Pitch();
  std::vector<GridRect> areas;
  const GridRect right{std::max(dirty.left, contentRight), dirty.top, dirty.right, dirty.bottom};
  if (!right.Empty()) areas.push_back(right);
  if (rowsBottom < dirty.bottom) {
    const GridRect below{dirty.left, static_cast<int>(std::max<long long>(dirty.top, rowsBottom)),
                         std::min(dirty.right, contentRight), dirty.bottom};
    if (!below.Empty()) areas.push_back(below);
  }
  return areas;
}

unsigned GridGeometry::CellState(int column, int r, bool focused) const {
  const bool title = r < titleRows;
  // The current row stays highlighted across all columns when the grid loses focus: the other
  // pane's row matching moves the selection of a grid the user is not typing in.
  unsigned state = title ? kGridTitle : (r == row ? unsigned{kGridSelected} : 0u);
  if (focused && column == col && r == row) state |= kGridFocused;
  return state;
}

GridChange GridGeometry::Fit() {
  const int bareWidth = clientWidth + (vertBarShown ? barWidth : 0);
  const int bareHeight = clientHeight + (horzBarShown ? barHeight : 0);
  const int dataRows = rowCount - titleRows;
  const int titleHeight = TitleHeight();
  const int contentWidth = ContentWidth();
  const auto rowsFit = [&](int height) {
    return RowsFitting(std::max(0, height) - titleHeight) >= dataRows;
  };
  bool needV = !rowsFit(bareHeight);
  const bool needH = contentWidth > std::max(0, bareWidth - (needV ? barWidth : 0));
  if (needH && !needV) needV = !rowsFit(bareHeight - barHeight);
  vertBarShown = needV;
  horzBarShown = needH;
  clientWidth = std::max(0, bareWidth - (needV ? barWidth : 0));
  clientHeight = std::max(0, bareHeight - (needH ? barHeight : 0));

  const int top = ClampInt(topRow, titleRows, MaxTopRow());
  const int left = ClampInt(leftOffset, 0, MaxLeftOffset());
  GridChange change;
  if (top != topRow || left != leftOffset) {
    topRow = top;
    leftOffset = left;
    change.repaints.push_back({GridRect{0, 0, clientWidth, clientHeight}});
  }
  // A bar whose page covers its range hides itself.
  const GridBar hidden;
  change.bars = std::array<GridBar, 2>{
      needV ? GridBar{true, titleRows, rowCount - 1, VisibleRows(), topRow} : hidden,
      needH ? GridBar{true, 0, contentWidth - 1, clientWidth, leftOffset} : hidden};
  return change;
}

GridChange GridGeometry::ScrollTo(int top, int left) {
  top = ClampInt(top, titleRows, MaxTopRow());
  left = ClampInt(left, 0, MaxLeftOffset());
  GridChange change;
  const long long dy = static_cast<long long>(topRow - top) * Pitch();
  const int dx = leftOffset - left;
  topRow = top;
  leftOffset = left;
  // What stays visible of a bar's area moves; only what scrolls in is repainted.
  auto shift = [&change](GridRect area, long long byX, long long byY) {
    const long long span = byX ? area.right - area.left : area.bottom - area.top;
    if (byX + byY > -span && byX + byY < span) {
      change.repaints.push_back({area, static_cast<int>(byX), static_cast<int>(byY)});
    } else {
      change.repaints.push_back({area});
    }
  };
  if (dy) {
    change.topMoved = true;
    shift(GridRect{0, TitleHeight(), clientWidth, clientHeight}, 0, dy);
  }
  if (dx) {
    change.leftMoved = true;
    shift(GridRect{0, 0, clientWidth, clientHeight}, dx, 0);
  }
  return change;
}

GridChange GridGeometry::MoveTo(int column, int r) {
  const int oldRow = row;
  // A whole-row selection shows no current column: only a move to another column brings it
  // into view, never a row move (row matching keeps the other grid's horizontal scroll).
  const bool showCol = column != col;
  row = r;
  col = column;
  GridChange change;
  if (r >= titleRows) {
    const int visible = std::max(1, VisibleRows());
    if (r < topRow) {
      change = ScrollTo(r, leftOffset);
    } else if (r >= topRow + visible) {
      change = ScrollTo(r - visible + 1, leftOffset);
    }
  }
  if (showCol) {
    const int left = ColLeft(column) + leftOffset;
    const int right = left + colWidths[static_cast<size_t>(column)] + lineWidth;
    int offset = leftOffset;
    if (left < offset) {
      offset = left;
    } else if (right > offset + clientWidth) {
      offset = std::min(left, right - clientWidth);
    }
    Then(change, ScrollTo(topRow, offset));
  }
  // After the scroll, so the rectangles are where the rows now are.
  for (const int changed : {oldRow, r}) {
    const GridRect area = RowArea(changed);
    if (!area.Empty()) change.repaints.push_back({area});
    if (r == oldRow) break;
  }
  return change;
}

GridChange GridGeometry::Key(GridKey key) {
  const int page = std::max(1, VisibleRows());
  long long r = row, c = col, top = topRow;
  switch (key) {
    case GridKey::kUp:
    case GridKey::kDown:
      r += key == GridKey::kUp ? -1 : 1;
      break;
    case GridKey::kLeft:
    case GridKey::kRight:
      c += key == GridKey::kLeft ? -1 : 1;
      break;
    case GridKey::kPageUp:
    case GridKey::kPageDown:
      r += key == GridKey::kPageUp ? -page : page;
      top += key == GridKey::kPageUp ? -page : page;
      break;
    // Whole-row selection makes the grid a list: Home and End go to its first and last row.
    case GridKey::kHome:
      r = titleRows;
      break;
    case GridKey::kEnd:
      r = rowCount - 1;
      break;
  }
  GridChange change = ScrollTo(ClampInt(top, titleRows, MaxTopRow()), leftOffset);
  Then(change, MoveTo(ClampInt(c, 0, ColCount() - 1), ClampInt(r, titleRows, rowCount - 1)));
  return change;
}

GridChange GridGeometry::Scroll(bool vertical, GridScroll code, int thumb) {
  const long long now = vertical ? topRow : leftOffset;
  const long long line = vertical ? 1 : kHorzLineStep;
  const long long page = std::max(1, vertical ? VisibleRows() : clientWidth);
  const long long to = [&]() -> long long {
    switch (code) {
      case GridScroll::kLineUp:
        return now - line;
      case GridScroll::kLineDown:
        return now + line;
      case GridScroll::kPageUp:
        return now - page;
      case GridScroll::kPageDown:
        return now + page;
      case GridScroll::kTop:
        return INT_MIN;
      case GridScroll::kBottom:
        return INT_MAX;
      case GridScroll::kThumb:
        break;
    }
    return thumb;
  }();
  const int clamped = ClampInt(to, INT_MIN, INT_MAX);
  return vertical ? ScrollTo(clamped, leftOffset) : ScrollTo(topRow, clamped);
}

GridChange GridGeometry::Wheel(int delta, unsigned lines) {
  if (lines == 0) return {};
  const long long perNotch =
      lines == kWheelPage ? std::max(1, VisibleRows()) : std::min<long long>(lines, rowCount);
  // Small steps of a fine-grained wheel add up until they make a whole row.
  wheelRemainder += delta * perNotch;
  const long long rows = wheelRemainder / kWheelDelta;
  wheelRemainder -= rows * kWheelDelta;
  if (!rows) return {};
  return ScrollTo(ClampInt(topRow - rows, titleRows, MaxTopRow()), leftOffset);
}

bool GridGeometry::StartColumnDrag(int x, int y) {
  const int sizing = SizingColAt(x, y);
  if (sizing < 0) return false;
  sizingCol = sizing;
  sizingGrab = x - (ColLeft(sizing) + colWidths[static_cast<size_t>(sizing)]);
  return true;
}

GridChange GridGeometry::Click(int x, int y) {
  // A whole-row selection: a click moves the current row and keeps the current column.
  const std::optional<GridCell> cell = CellAt(x, y);
  if (!cell || cell->row < titleRows) return {};
  return MoveTo(col, cell->row);
}

GridChange GridGeometry::ResizeColumn(int column, int width) {
  int& current = colWidths[static_cast<size_t>(column)];
  if (current == width) return {};
  current = width;
  GridChange change = Fit();
  // Unless the view moved, only this column and those to its right change.
  if (change.repaints.empty()) {
    change.repaints.push_back(
        {GridRect{std::max(0, ColLeft(column)), 0, clientWidth, clientHeight}});
  }
  return change;
}

GridChange GridGeometry::DragColumn(int x) {
  if (sizingCol < 0) return {};
  return ResizeColumn(sizingCol, std::max(0, x - sizingGrab - ColLeft(sizingCol)));
}

}  // namespace zolt
