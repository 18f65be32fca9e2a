#include "win32/ui/string_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <exception>

#include "core/errors.h"
#include "win32/ui/gdi.h"

namespace ui {
namespace {

const char kClassName[] = "ZoltStringGrid";
const int kDefaultColCount = 5;
const int kDefaultRowCount = 5;
// How far (pixels) from a column boundary in a title row a press still grabs it for resizing.
const int kSizingSlack = 3;
// Horizontal scroll-bar arrows move by this many pixels.
const int kHorzLineStep = 16;

// BeginPaint/EndPaint as a pair, so an exception from an owner-draw handler still ends the
// paint (otherwise WM_PAINT would come back at once, forever).
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd) { BeginPaint(hwnd, &ps_); }
  ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC Dc() const { return ps_.hdc; }
  const RECT& Dirty() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_;
};

// The fastest solid fill GDI has: an opaque text call with no text.
void Fill(HDC dc, const RECT& rect, COLORREF color) {
  if (rect.left >= rect.right || rect.top >= rect.bottom) return;
  SetBkColor(dc, color);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// Sets a scroll bar only when something changes: each change redraws the bar at once.
void SetBar(HWND hwnd, int bar, int min, int max, UINT page, int pos) {
  SCROLLINFO now{sizeof now, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, bar, &now);
  if (now.nMin == min && now.nMax == max && now.nPage == page && now.nPos == pos) return;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, min, max, page, pos, 0};
  SetScrollInfo(hwnd, bar, &si, TRUE);
}

// Data lines halfway between button face and shadow: silver on the classic colours, and still
// visible where the button face is almost white.
COLORREF DataLineColour() {
  const COLORREF a = GetSysColor(COLOR_BTNFACE), b = GetSysColor(COLOR_BTNSHADOW);
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
             (GetBValue(a) + GetBValue(b)) / 2);
}

int ClampInt(long long v, int lo, int hi) {
  if (hi < lo) hi = lo;
  return static_cast<int>(std::max<long long>(lo, std::min<long long>(hi, v)));
}

}  // namespace

StringGrid::StringGrid() : cells_(kDefaultColCount, kDefaultRowCount) {
  colWidths_.assign(kDefaultColCount, defaultColWidth_);
}

void StringGrid::CreateIn(HWND parent, int id, int x, int y, int width, int height) {
  RegisterClass(kClassName, nullptr, nullptr);
  Create(kClassName, "",
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
         WS_EX_CLIENTEDGE, parent, x, y, width, height,
         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  if (!Handle()) throw zolt::Exception("The string grid's window cannot be created");
  UpdateScrollBars();
}

// --- cells ---

void StringGrid::SetRowCount(int rows) {
  if (rows <= titleRows_) throw zolt::RangeError();
  cells_.SetRowCount(rows);
  row_ = std::min(row_, rows - 1);
  Changed();
}

void StringGrid::SetColCount(int cols) {
  if (cols <= 0) throw zolt::RangeError();
  cells_.SetColCount(cols);
  colWidths_.resize(static_cast<size_t>(cols), defaultColWidth_);
  col_ = std::min(col_, cols - 1);
  Changed();
}

void StringGrid::EditCells(const std::function<void(zolt::CellTable&)>& fill) {
  struct Refresh {
    StringGrid& grid;
    ~Refresh() {
      grid.row_ = std::max(grid.titleRows_, std::min(grid.row_, grid.RowCount() - 1));
      grid.Changed();
    }
  } refresh{*this};
  fill(cells_);
}

// --- geometry and options ---

void StringGrid::SetTitleRows(int rows) {
  if (rows < 0 || rows >= RowCount()) throw zolt::RangeError();
  // The current cell starts at the first data cell, as in a new grid.
  titleRows_ = rows;
  row_ = rows;
  topRow_ = rows;
  Changed();
}

void StringGrid::SetDefaultColWidth(int width) {
  if (width < 0) throw zolt::RangeError();
  defaultColWidth_ = width;
  colWidths_.assign(colWidths_.size(), width);
  Changed();
}

void StringGrid::SetDefaultRowHeight(int height) {
  if (height < 0) throw zolt::RangeError();
  rowHeight_ = height;
  Changed();
}

int StringGrid::ColWidth(int col) const {
  if (col < 0 || col >= ColCount()) throw zolt::RangeError();
  return colWidths_[static_cast<size_t>(col)];
}

void StringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount() || width < 0) throw zolt::RangeError();
  int& current = colWidths_[static_cast<size_t>(col)];
  if (current == width) return;
  current = width;
  if (!Handle()) return;
  // Only this column and those to its right move.
  const bool moved = UpdateScrollBars();
  const SIZE client = ClientSize();
  RECT rect{moved ? 0 : std::max(0, ColLeft(col)), 0, client.cx, client.cy};
  InvalidateRect(Handle(), &rect, FALSE);
}

void StringGrid::SetGridLineWidth(int width) {
  if (width < 0) throw zolt::RangeError();
  lineWidth_ = width;
  Changed();
}

void StringGrid::SetOptions(unsigned options) {
  options_ = options;
  Changed();
}

void StringGrid::SetFont(HFONT font) {
  font_ = font;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

HFONT StringGrid::CurrentFont() const {
  return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int StringGrid::Pitch() const {
  return std::max(1, rowHeight_ + lineWidth_);
}

int StringGrid::TitleHeight() const {
  return titleRows_ * Pitch();
}

int StringGrid::ContentWidth() const {
  int width = 0;
  for (int w : colWidths_) width += w + lineWidth_;
  return width;
}

int StringGrid::ColLeft(int col) const {
  int x = -leftOffset_;
  for (int c = 0; c < col; ++c) x += colWidths_[static_cast<size_t>(c)] + lineWidth_;
  return x;
}

long long StringGrid::RowTop(int row) const {
  if (row < titleRows_) return static_cast<long long>(row) * Pitch();
  return TitleHeight() + static_cast<long long>(row - topRow_) * Pitch();
}

SIZE StringGrid::ClientSize() const {
  RECT rc{};
  if (Handle()) GetClientRect(Handle(), &rc);
  return SIZE{rc.right, rc.bottom};
}

int StringGrid::RowsFitting(int height) const {
  // A row fits when its cell does; its bottom line may fall outside.
  return std::max(0, (height + lineWidth_) / Pitch());
}

int StringGrid::VisibleRowCount() const {
  return RowsFitting(ClientSize().cy - TitleHeight());
}

int StringGrid::MaxTopRow() const {
  return std::max(titleRows_, RowCount() - std::max(1, VisibleRowCount()));
}

int StringGrid::MaxLeftOffset() const {
  return std::max(0, ContentWidth() - static_cast<int>(ClientSize().cx));
}

RECT StringGrid::CellRect(int col, int row) const {
  const RECT none{0, 0, 0, 0};
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return none;
  if (row >= titleRows_ && row < topRow_) return none;
  const SIZE client = ClientSize();
  const long long top = RowTop(row);
  if (top >= client.cy) return none;
  const int left = ColLeft(col);
  const int right = left + colWidths_[static_cast<size_t>(col)];
  if (left >= client.cx || right + lineWidth_ <= 0) return none;
  return RECT{left, static_cast<LONG>(top), right, static_cast<LONG>(top + rowHeight_)};
}

bool StringGrid::CellAt(int x, int y, int& col, int& row) const {
  const SIZE client = ClientSize();
  if (x < 0 || y < 0 || x >= client.cx || y >= client.cy) return false;
  const int titleHeight = TitleHeight();
  const long long r = y < titleHeight ? y / Pitch() : topRow_ + (y - titleHeight) / Pitch();
  if (r >= RowCount()) return false;
  int cx = x + leftOffset_;
  for (int c = 0; c < ColCount(); ++c) {
    const int span = colWidths_[static_cast<size_t>(c)] + lineWidth_;
    if (cx < span) {
      col = c;
      row = static_cast<int>(r);
      return true;
    }
    cx -= span;
  }
  return false;
}

// --- scroll bars and invalidation ---

bool StringGrid::UpdateScrollBars() {
  if (!Handle() || updatingScrollBars_) return false;
  // Showing or hiding a bar sends WM_SIZE back here; the sizes below already allow for it.
  updatingScrollBars_ = true;
  const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
  const SIZE client = ClientSize();
  const int bareWidth = client.cx + ((style & WS_VSCROLL) ? barWidth : 0);
  const int bareHeight = client.cy + ((style & WS_HSCROLL) ? barHeight : 0);
  const int dataRows = RowCount() - titleRows_;
  const int titleHeight = TitleHeight();
  const int contentWidth = ContentWidth();

  bool needV = RowsFitting(bareHeight - titleHeight) < dataRows;
  const bool needH = contentWidth > bareWidth - (needV ? barWidth : 0);
  if (needH && !needV) needV = RowsFitting(bareHeight - barHeight - titleHeight) < dataRows;
  const int width = bareWidth - (needV ? barWidth : 0);
  const int height = bareHeight - (needH ? barHeight : 0);

  const int visibleRows = RowsFitting(height - titleHeight);
  const int top =
      ClampInt(topRow_, titleRows_, std::max(titleRows_, RowCount() - std::max(1, visibleRows)));
  const int pageWidth = std::max(0, width);
  const int left = ClampInt(leftOffset_, 0, std::max(0, contentWidth - pageWidth));
  const bool moved = top != topRow_ || left != leftOffset_;
  topRow_ = top;
  leftOffset_ = left;

  // A bar whose page covers its range hides itself.
  if (needV) {
    SetBar(Handle(), SB_VERT, titleRows_, RowCount() - 1, static_cast<UINT>(visibleRows), topRow_);
  } else {
    SetBar(Handle(), SB_VERT, 0, 0, 1, 0);
  }
  if (needH) {
    SetBar(Handle(), SB_HORZ, 0, contentWidth - 1, static_cast<UINT>(pageWidth), leftOffset_);
  } else {
    SetBar(Handle(), SB_HORZ, 0, 0, 1, 0);
  }
  updatingScrollBars_ = false;
  return moved;
}

void StringGrid::Changed() {
  if (!Handle()) return;
  UpdateScrollBars();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void StringGrid::InvalidateRow(int row) {
  if (!Handle() || row < 0 || row >= RowCount()) return;
  if (row >= titleRows_ && row < topRow_) return;
  const SIZE client = ClientSize();
  const long long top = RowTop(row);
  if (top >= client.cy) return;
  RECT rect{0, static_cast<LONG>(top), client.cx, static_cast<LONG>(top + Pitch())};
  InvalidateRect(Handle(), &rect, FALSE);
}

void StringGrid::SetTopRow(int row) {
  ScrollTo(row, leftOffset_);
}

void StringGrid::ScrollTo(int topRow, int leftOffset) {
  const int top = ClampInt(topRow, titleRows_, MaxTopRow());
  const int left = ClampInt(leftOffset, 0, MaxLeftOffset());
  if (top == topRow_ && left == leftOffset_) return;
  const long long dy = static_cast<long long>(topRow_ - top) * Pitch();
  const int dx = leftOffset_ - left;
  topRow_ = top;
  leftOffset_ = left;
  if (!Handle()) return;
  // Each bar to its new place; what stays visible of its area moves, only what scrolls in is
  // repainted.
  auto shift = [this](int bar, int pos, long long byX, long long byY, RECT area) {
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(Handle(), bar, &si, TRUE);
    const long long span = byX ? area.right - area.left : area.bottom - area.top;
    if (byX + byY > -span && byX + byY < span) {
      ScrollWindowEx(Handle(), static_cast<int>(byX), static_cast<int>(byY), &area, &area, nullptr,
                     nullptr, SW_INVALIDATE);
    } else {
      InvalidateRect(Handle(), &area, FALSE);
    }
  };
  const SIZE client = ClientSize();
  if (dy) shift(SB_VERT, topRow_, 0, dy, RECT{0, TitleHeight(), client.cx, client.cy});
  if (dx) shift(SB_HORZ, leftOffset_, dx, 0, RECT{0, 0, client.cx, client.cy});
}

void StringGrid::ScrollRowIntoView(int row) {
  if (row < titleRows_) return;
  const int visible = std::max(1, VisibleRowCount());
  if (row < topRow_) {
    ScrollTo(row, leftOffset_);
  } else if (row >= topRow_ + visible) {
    ScrollTo(row - visible + 1, leftOffset_);
  }
}

void StringGrid::ScrollColIntoView(int col) {
  const int left = ColLeft(col) + leftOffset_;
  const int right = left + colWidths_[static_cast<size_t>(col)] + lineWidth_;
  const int page = ClientSize().cx;
  int offset = leftOffset_;
  if (left < offset) {
    offset = left;
  } else if (right > offset + page) {
    offset = std::min(left, right - page);
  }
  ScrollTo(topRow_, offset);
}

void StringGrid::MoveTo(int col, int row) {
  const int oldRow = row_;
  // A whole-row selection shows no current column: only a move to another column brings it
  // into view, never a row move (row matching keeps the other grid's horizontal scroll).
  const bool showCol = col != col_;
  row_ = row;
  col_ = col;
  ScrollRowIntoView(row);
  if (showCol) ScrollColIntoView(col);
  // After the scroll, so the rectangles are where the rows now are.
  InvalidateRow(oldRow);
  if (row != oldRow) InvalidateRow(row);
}

void StringGrid::SetRow(int row) {
  if (row < titleRows_ || row >= RowCount()) throw zolt::RangeError();
  MoveTo(col_, row);
}

// --- painting ---

void StringGrid::Paint(HDC dc, const RECT& dirty) {
  const int width = dirty.right - dirty.left, height = dirty.bottom - dirty.top;
  if (width <= 0 || height <= 0) return;
  // Drawn off screen and copied in one blit: no flicker, whatever the owner draw does.
  MemoryCanvas buffer(width, height);
  HDC mem = buffer.Dc();
  SetViewportOrgEx(mem, -dirty.left, -dirty.top, nullptr);
  std::exception_ptr failure;
  {
    ScopedSelect font(mem, CurrentFont());
    Fill(mem, dirty, GetSysColor(COLOR_WINDOW));
    try {
      Render(mem, dirty);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  SetViewportOrgEx(mem, 0, 0, nullptr);
  // A failing owner draw still leaves the picture drawn as far as it got.
  BitBlt(dc, dirty.left, dirty.top, width, height, mem, 0, 0, SRCCOPY);
  // Reported once: the error box itself makes the grid repaint, and the same failure must not
  // raise another box at each repaint while it lasts.
  const bool reported = paintFailing_;
  paintFailing_ = failure != nullptr;
  if (failure && !reported) std::rethrow_exception(failure);
}

void StringGrid::Render(HDC dc, const RECT& dirty) {
  const SIZE client = ClientSize();
  const int pitch = Pitch();
  const int titleHeight = TitleHeight();
  const bool focused = Handle() && GetFocus() == Handle();
  const int bottom = std::min<int>(dirty.bottom, client.cy);

  // Rows touching the dirty rectangle, found by arithmetic: never a walk over all rows.
  int firstTitleRow = std::min(titleRows_, std::max(0, static_cast<int>(dirty.top) / pitch));
  int lastTitleRow = std::min(titleRows_ - 1, (std::min(bottom, titleHeight) - 1) / pitch);
  int firstRow = topRow_ + std::max(0, static_cast<int>(dirty.top) - titleHeight) / pitch;
  int lastRow = bottom > titleHeight ? topRow_ + (bottom - 1 - titleHeight) / pitch : -1;
  lastRow = std::min(lastRow, RowCount() - 1);
  if (bottom <= 0) lastTitleRow = -1;

  // The title rows and the data rows, each clipped to its own band so rows scrolled under the
  // titles stay hidden.
  struct Band {
    int first, last;
    LONG top, bottom;
  };
  const Band bands[2] = {{firstTitleRow, lastTitleRow, 0, titleHeight},
                         {firstRow, lastRow, titleHeight, LONG_MAX}};
  for (const Band& rows : bands) {
    const RECT zone{dirty.left, std::max(rows.top, dirty.top), dirty.right,
                    std::min(rows.bottom, dirty.bottom)};
    if (rows.first > rows.last || zone.left >= zone.right || zone.top >= zone.bottom) continue;
    ScopedDcState state(dc);
    IntersectClipRect(dc, zone.left, zone.top, zone.right, zone.bottom);
    int left = ColLeft(0);
    for (int c = 0; c < ColCount() && left < zone.right; ++c) {
      const int width = colWidths_[static_cast<size_t>(c)];
      if (left + width + lineWidth_ > zone.left) {
        for (int r = rows.first; r <= rows.last; ++r) {
          const int top = static_cast<int>(RowTop(r));
          DrawCell(dc, c, r, RECT{left, top, left + width, top + rowHeight_}, focused);
        }
      }
      left += width + lineWidth_;
    }
  }

  // The empty area right of the last column and below the last row.
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const int contentRight = ColLeft(ColCount() - 1) + colWidths_.back() + lineWidth_;
  const long long rowsBottom = RowTop(RowCount() - 1) + pitch;
  Fill(dc, RECT{std::max<LONG>(dirty.left, contentRight), dirty.top, dirty.right, dirty.bottom},
       window);
  if (rowsBottom < dirty.bottom) {
    Fill(dc,
         RECT{dirty.left, static_cast<LONG>(std::max<long long>(dirty.top, rowsBottom)),
              std::min<LONG>(dirty.right, contentRight), dirty.bottom},
         window);
  }
}

void StringGrid::DrawCell(HDC dc, int col, int row, const RECT& rect, bool focused) {
  const bool title = row < titleRows_;
  // The current row stays highlighted across all columns when the grid loses focus: the other
  // pane's row matching moves the selection of a grid the user is not typing in.
  const bool selected = !title && row == row_;
  unsigned state = title ? kGridTitle : (selected ? unsigned{kGridSelected} : 0u);
  if (focused && col == col_ && row == row_) state |= kGridFocused;

  COLORREF back, text, line;
  if (title) {
    back = GetSysColor(COLOR_BTNFACE);
    text = GetSysColor(COLOR_BTNTEXT);
    line = GetSysColor(COLOR_3DDKSHADOW);
  } else {
    back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    line = DataLineColour();
  }
  const unsigned vert = title ? kGridTitleVertLine : kGridVertLine;
  const unsigned horz = title ? kGridTitleHorzLine : kGridHorzLine;

  SetBkColor(dc, back);
  SetTextColor(dc, text);
  const std::string_view s = cells_.Cell(col, row);
  ExtTextOutA(dc, rect.left + kTextInset, rect.top + kTextInset, ETO_OPAQUE | ETO_CLIPPED, &rect,
              s.data(), static_cast<UINT>(std::min<size_t>(s.size(), INT_MAX)), nullptr);
  if (title) {
    RECT edge = rect;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  // A line switched off leaves its gap in the cell's own colour.
  Fill(dc, RECT{rect.right, rect.top, rect.right + lineWidth_, rect.bottom + lineWidth_},
       (options_ & vert) ? line : back);
  Fill(dc, RECT{rect.left, rect.bottom, rect.right, rect.bottom + lineWidth_},
       (options_ & horz) ? line : back);

  if (OnDrawCell) {
    ScopedDcState keep(dc);  // a handler's colours and fonts must not leak into the next cell
    OnDrawCell(dc, col, row, rect, state);
  }
}

// --- input ---

bool StringGrid::OnKeyDown(WPARAM key) {
  const int page = std::max(1, VisibleRowCount());
  long long row = row_, col = col_, top = topRow_;
  switch (key) {
    case VK_UP:
    case VK_DOWN:
      row += key == VK_UP ? -1 : 1;
      break;
    case VK_LEFT:
    case VK_RIGHT:
      col += key == VK_LEFT ? -1 : 1;
      break;
    case VK_PRIOR:
    case VK_NEXT:
      row += key == VK_PRIOR ? -page : page;
      top += key == VK_PRIOR ? -page : page;
      break;
    // Whole-row selection makes the grid a list: Home and End go to its first and last row.
    case VK_HOME:
      row = titleRows_;
      break;
    case VK_END:
      row = RowCount() - 1;
      break;
    default:
      return false;
  }
  ScrollTo(ClampInt(top, titleRows_, MaxTopRow()), leftOffset_);
  MoveTo(ClampInt(col, 0, ColCount() - 1), ClampInt(row, titleRows_, RowCount() - 1));
  return true;
}

void StringGrid::OnScroll(int bar, int code) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Handle(), bar, &si);
  const bool vert = bar == SB_VERT;
  const long long now = vert ? topRow_ : leftOffset_;
  const int line = vert ? 1 : kHorzLineStep;
  const int page =
      vert ? std::max(1, VisibleRowCount()) : std::max(1, static_cast<int>(ClientSize().cx));
  long long to = now;
  switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
      to = now + (code == SB_LINEUP ? -line : line);
      break;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
      to = now + (code == SB_PAGEUP ? -page : page);
      break;
    case SB_TOP:
    case SB_BOTTOM:
      to = code == SB_TOP ? INT_MIN : INT_MAX;
      break;
    // The message carries only 16 bits of the position; the scroll bar has all 32.
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      to = si.nTrackPos;
      break;
    default:
      return;
  }
  const int clamped = ClampInt(to, INT_MIN, INT_MAX);
  if (vert) {
    ScrollTo(clamped, leftOffset_);
  } else {
    ScrollTo(topRow_, clamped);
  }
}

void StringGrid::OnMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == 0) return;
  const long long perNotch = lines == WHEEL_PAGESCROLL ? std::max(1, VisibleRowCount())
                                                       : std::min<long long>(lines, RowCount());
  // Small steps of a fine-grained wheel add up until they make a whole row.
  wheelRemainder_ += delta * perNotch;
  const long long rows = wheelRemainder_ / WHEEL_DELTA;
  wheelRemainder_ -= rows * WHEEL_DELTA;
  if (rows) ScrollTo(ClampInt(topRow_ - rows, titleRows_, MaxTopRow()), leftOffset_);
}

int StringGrid::SizingColAt(int x, int y) const {
  if (!(options_ & kGridColSizing) || y < 0 || y >= TitleHeight()) return -1;
  int best = -1, bestDistance = INT_MAX;
  int left = -leftOffset_;
  for (int c = 0; c < ColCount(); ++c) {
    const int boundary = left + colWidths_[static_cast<size_t>(c)];
    left = boundary + lineWidth_;
    if (boundary < 0) continue;  // scrolled out of view
    const int distance = std::abs(2 * x - (2 * boundary + lineWidth_ - 1));
    // Ties go to the later column, so a column dragged down to nothing can be widened again.
    if (distance <= 2 * kSizingSlack + lineWidth_ && distance <= bestDistance) {
      best = c;
      bestDistance = distance;
    }
  }
  return best;
}

void StringGrid::OnLButtonDown(int x, int y, bool doubleClick) {
  SetFocus(Handle());
  if (!doubleClick) {
    const int sizing = SizingColAt(x, y);
    if (sizing >= 0) {
      sizingCol_ = sizing;
      sizingGrab_ = x - (ColLeft(sizing) + colWidths_[static_cast<size_t>(sizing)]);
      SetCapture(Handle());
      return;
    }
  }
  int col = 0, row = 0;
  // A whole-row selection: a click moves the current row and keeps the current column.
  if (CellAt(x, y, col, row) && row >= titleRows_) MoveTo(col_, row);
  if (doubleClick && OnDblClick) OnDblClick();
}

void StringGrid::OnMouseMove(int x) {
  if (sizingCol_ < 0) return;
  SetColWidth(sizingCol_, std::max(0, x - sizingGrab_ - ColLeft(sizingCol_)));
}

bool StringGrid::OnSetCursor() {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(Handle(), &p);
  if (sizingCol_ < 0 && SizingColAt(p.x, p.y) < 0) return false;
  SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
  return true;
}

LRESULT StringGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      ScopedPaint paint(Handle());
      Paint(paint.Dc(), paint.Dirty());
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT rc;
      GetClientRect(Handle(), &rc);
      Paint(reinterpret_cast<HDC>(wParam), rc);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_SIZE:
      if (UpdateScrollBars()) InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), false);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), true);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (sizingCol_ >= 0) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      sizingCol_ = -1;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRow(row_);
      return 0;  // the focused state of the current cell
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace ui
