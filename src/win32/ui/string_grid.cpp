#include "win32/ui/string_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <exception>

#include "core/errors.h"
#include "win32/ui/gdi.h"

namespace ui {
namespace {

const char kClassName[] = "ZoltStringGrid";
const int kDefaultColCount = 5;
const int kDefaultRowCount = 5;

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
void SetBar(HWND hwnd, int bar, const zolt::GridBar& to) {
  SCROLLINFO now{sizeof now, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, bar, &now);
  const UINT page = static_cast<UINT>(to.page);
  if (now.nMin == to.min && now.nMax == to.max && now.nPage == page && now.nPos == to.pos) return;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, to.min, to.max, page, to.pos, 0};
  SetScrollInfo(hwnd, bar, &si, TRUE);
}

void SetPos(HWND hwnd, int bar, int pos) {
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(hwnd, bar, &si, TRUE);
}

RECT ToRect(const zolt::GridRect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

// Data lines halfway between button face and shadow: silver on the classic colours, and still
// visible where the button face is almost white.
COLORREF DataLineColour() {
  const COLORREF a = GetSysColor(COLOR_BTNFACE), b = GetSysColor(COLOR_BTNSHADOW);
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
             (GetBValue(a) + GetBValue(b)) / 2);
}

}  // namespace

StringGrid::StringGrid() : cells_(kDefaultColCount, kDefaultRowCount) {
  geometry_.colWidths.assign(kDefaultColCount, defaultColWidth_);
  geometry_.rowCount = kDefaultRowCount;
}

void StringGrid::CreateIn(HWND parent, int id, int x, int y, int width, int height) {
  RegisterClass(kClassName, nullptr, nullptr);
  Create(kClassName, "",
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
         WS_EX_CLIENTEDGE, parent, x, y, width, height,
         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  if (!Handle()) throw zolt::Exception("The string grid's window cannot be created");
  OnSize();
}

// --- cells ---

void StringGrid::SetRowCount(int rows) {
  if (rows <= geometry_.titleRows) throw zolt::RangeError();
  cells_.SetRowCount(rows);
  geometry_.rowCount = rows;
  geometry_.row = std::min(geometry_.row, rows - 1);
  Changed();
}

void StringGrid::SetColCount(int cols) {
  if (cols <= 0) throw zolt::RangeError();
  cells_.SetColCount(cols);
  geometry_.colWidths.resize(static_cast<size_t>(cols), defaultColWidth_);
  geometry_.col = std::min(geometry_.col, cols - 1);
  Changed();
}

void StringGrid::EditCells(const std::function<void(zolt::CellTable&)>& fill) {
  struct Refresh {
    StringGrid& grid;
    ~Refresh() {
      zolt::GridGeometry& g = grid.geometry_;
      g.rowCount = grid.RowCount();
      g.row = std::max(g.titleRows, std::min(g.row, g.rowCount - 1));
      grid.Changed();
    }
  } refresh{*this};
  fill(cells_);
}

// --- geometry and options ---

void StringGrid::SetTitleRows(int rows) {
  if (rows < 0 || rows >= RowCount()) throw zolt::RangeError();
  // The current cell starts at the first data cell, as in a new grid.
  geometry_.titleRows = rows;
  geometry_.row = rows;
  geometry_.topRow = rows;
  Changed();
}

void StringGrid::SetDefaultColWidth(int width) {
  if (width < 0) throw zolt::RangeError();
  defaultColWidth_ = width;
  geometry_.colWidths.assign(geometry_.colWidths.size(), width);
  Changed();
}

void StringGrid::SetDefaultRowHeight(int height) {
  if (height < 0) throw zolt::RangeError();
  geometry_.rowHeight = height;
  Changed();
}

int StringGrid::ColWidth(int col) const {
  if (col < 0 || col >= ColCount()) throw zolt::RangeError();
  return geometry_.colWidths[static_cast<size_t>(col)];
}

void StringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= ColCount() || width < 0) throw zolt::RangeError();
  if (Handle()) {
    Apply(geometry_.ResizeColumn(col, width));
  } else {
    geometry_.colWidths[static_cast<size_t>(col)] = width;
  }
}

void StringGrid::SetGridLineWidth(int width) {
  if (width < 0) throw zolt::RangeError();
  geometry_.lineWidth = width;
  Changed();
}

void StringGrid::SetOptions(unsigned options) {
  geometry_.options = options;
  Changed();
}

void StringGrid::SetFont(HFONT font) {
  font_ = font;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

HFONT StringGrid::CurrentFont() const {
  return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

RECT StringGrid::CellRect(int col, int row) const {
  return ToRect(geometry_.CellRect(col, row));
}

bool StringGrid::CellAt(int x, int y, int& col, int& row) const {
  const std::optional<zolt::GridCell> cell = geometry_.CellAt(x, y);
  if (!cell) return false;
  col = cell->col;
  row = cell->row;
  return true;
}

// --- scroll bars and invalidation ---

void StringGrid::Apply(const zolt::GridChange& change) {
  if (!Handle()) return;
  if (change.bars) {
    // Showing or hiding a bar sends WM_SIZE back here; the geometry has allowed for it.
    updatingScrollBars_ = true;
    SetBar(Handle(), SB_VERT, (*change.bars)[0]);
    SetBar(Handle(), SB_HORZ, (*change.bars)[1]);
    updatingScrollBars_ = false;
  }
  if (change.topMoved) SetPos(Handle(), SB_VERT, geometry_.topRow);
  if (change.leftMoved) SetPos(Handle(), SB_HORZ, geometry_.leftOffset);
  for (const zolt::GridRepaint& r : change.repaints) {
    const RECT area = ToRect(r.area);
    if (r.dx || r.dy) {
      ScrollWindowEx(Handle(), r.dx, r.dy, &area, &area, nullptr, nullptr, SW_INVALIDATE);
    } else {
      InvalidateRect(Handle(), &area, FALSE);
    }
  }
}

void StringGrid::Changed() {
  if (!Handle()) return;
  Apply(geometry_.Fit());
  InvalidateRect(Handle(), nullptr, FALSE);
}

void StringGrid::SetTopRow(int row) {
  Apply(geometry_.ScrollTo(row, geometry_.leftOffset));
}

void StringGrid::SetRow(int row) {
  if (row < geometry_.titleRows || row >= RowCount()) throw zolt::RangeError();
  Apply(geometry_.MoveTo(geometry_.col, row));
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
  const bool focused = Handle() && GetFocus() == Handle();
  const zolt::GridRect area{dirty.left, dirty.top, dirty.right, dirty.bottom};
  // The title rows and the data rows, each clipped to its own band so rows scrolled under the
  // titles stay hidden.
  for (const zolt::GridBand& band : geometry_.Bands(area)) {
    if (band.Empty()) continue;
    ScopedDcState state(dc);
    IntersectClipRect(dc, band.zone.left, band.zone.top, band.zone.right, band.zone.bottom);
    for (int c = band.firstCol; c <= band.lastCol; ++c) {
      for (int r = band.firstRow; r <= band.lastRow; ++r) {
        DrawCell(dc, c, r, ToRect(geometry_.CellBox(c, r)), focused);
      }
    }
  }
  for (const zolt::GridRect& blank : geometry_.BlankAreas(area)) {
    Fill(dc, ToRect(blank), GetSysColor(COLOR_WINDOW));
  }
}

void StringGrid::DrawCell(HDC dc, int col, int row, const RECT& rect, bool focused) {
  const unsigned state = geometry_.CellState(col, row, focused);
  const bool title = state & kGridTitle, selected = state & kGridSelected;

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
  // DrawEdge draws the right and bottom edges of an empty rectangle outside it, over the line
  // of the cell before, which then shows or not as the dirty area clips it.
  if (title && !IsRectEmpty(&rect)) {
    RECT edge = rect;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  // A line switched off leaves its gap in the cell's own colour.
  Fill(dc,
       RECT{rect.right, rect.top, rect.right + geometry_.lineWidth,
            rect.bottom + geometry_.lineWidth},
       (geometry_.options & vert) ? line : back);
  Fill(dc, RECT{rect.left, rect.bottom, rect.right, rect.bottom + geometry_.lineWidth},
       (geometry_.options & horz) ? line : back);

  if (OnDrawCell) {
    ScopedDcState keep(dc);  // a handler's colours and fonts must not leak into the next cell
    OnDrawCell(dc, col, row, rect, state);
  }
}

// --- input ---

bool StringGrid::OnKeyDown(WPARAM key) {
  static const struct {
    WPARAM key;
    zolt::GridKey move;
  } kKeys[] = {{VK_UP, zolt::GridKey::kUp},        {VK_DOWN, zolt::GridKey::kDown},
               {VK_LEFT, zolt::GridKey::kLeft},    {VK_RIGHT, zolt::GridKey::kRight},
               {VK_PRIOR, zolt::GridKey::kPageUp}, {VK_NEXT, zolt::GridKey::kPageDown},
               {VK_HOME, zolt::GridKey::kHome},    {VK_END, zolt::GridKey::kEnd}};
  for (const auto& k : kKeys) {
    if (k.key != key) continue;
    Apply(geometry_.Key(k.move));
    return true;
  }
  return false;
}

void StringGrid::OnScroll(int bar, int code) {
  static const struct {
    int code;
    zolt::GridScroll move;
  } kCodes[] = {
      {SB_LINEUP, zolt::GridScroll::kLineUp},    {SB_LINEDOWN, zolt::GridScroll::kLineDown},
      {SB_PAGEUP, zolt::GridScroll::kPageUp},    {SB_PAGEDOWN, zolt::GridScroll::kPageDown},
      {SB_TOP, zolt::GridScroll::kTop},          {SB_BOTTOM, zolt::GridScroll::kBottom},
      {SB_THUMBTRACK, zolt::GridScroll::kThumb}, {SB_THUMBPOSITION, zolt::GridScroll::kThumb}};
  // The message carries only 16 bits of the thumb's position; the scroll bar has all 32.
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Handle(), bar, &si);
  for (const auto& c : kCodes) {
    if (c.code == code) Apply(geometry_.Scroll(bar == SB_VERT, c.move, si.nTrackPos));
  }
}

void StringGrid::OnMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  static_assert(WHEEL_DELTA == zolt::kWheelDelta && WHEEL_PAGESCROLL == zolt::kWheelPage,
                "the platform's wheel units");
  Apply(geometry_.Wheel(delta, lines));
}

void StringGrid::OnLButtonDown(int x, int y, bool doubleClick) {
  SetFocus(Handle());
  if (!doubleClick && geometry_.StartColumnDrag(x, y)) {
    SetCapture(Handle());
    return;
  }
  Apply(geometry_.Click(x, y));
  if (doubleClick && OnDblClick) OnDblClick();
}

void StringGrid::OnSize() {
  RECT rc;
  GetClientRect(Handle(), &rc);
  const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
  geometry_.clientWidth = rc.right;
  geometry_.clientHeight = rc.bottom;
  geometry_.vertBarShown = style & WS_VSCROLL;
  geometry_.horzBarShown = style & WS_HSCROLL;
  geometry_.barWidth = GetSystemMetrics(SM_CXVSCROLL);
  geometry_.barHeight = GetSystemMetrics(SM_CYHSCROLL);
  if (!updatingScrollBars_) Apply(geometry_.Fit());
}

bool StringGrid::OnSetCursor() {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(Handle(), &p);
  if (geometry_.sizingCol < 0 && geometry_.SizingColAt(p.x, p.y) < 0) return false;
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
      OnSize();
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
      Apply(geometry_.DragColumn(GET_X_LPARAM(lParam)));
      return 0;
    case WM_LBUTTONUP:
      if (geometry_.sizingCol >= 0) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      geometry_.sizingCol = -1;
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const RECT row = ToRect(geometry_.RowArea(geometry_.row));
      if (!IsRectEmpty(&row)) InvalidateRect(Handle(), &row, FALSE);
      return 0;  // the focused state of the current cell
    }
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace ui
