#include "win32/ui/controls.h"

#include <windowsx.h>

#include <memory>
#include <vector>

#include "win32/ui/string_grid.h"

namespace ui {
namespace {

const char kPanelClass[] = "ZoltPanel";
const char kSplitterClass[] = "ZoltSplitter";

HMENU IdOf(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

// --- Panel ---

void Panel::CreateIn(HWND parent, int id, const zolt::Bounds& b) {
  Window::RegisterClass(kPanelClass, nullptr, nullptr);
  Create(kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
         WS_EX_CONTROLPARENT, parent, b.left, b.top, b.width, b.height, IdOf(id));
}

void Panel::Paint(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  // A raised bevel: light on the top and left edges, shadow on the bottom and right ones.
  Pen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
  Pen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  // Each line leaves out its end point: the top-right corner is shadow, the bottom-left light.
  const int l = rc.left, t = rc.top, r = rc.right - 1, b = rc.bottom - 1;
  {
    ScopedSelect pen(dc, light.Get());
    MoveToEx(dc, l, b, nullptr);
    LineTo(dc, l, t);
    LineTo(dc, r, t);
  }
  {
    ScopedSelect pen(dc, shadow.Get());
    MoveToEx(dc, r, t, nullptr);
    LineTo(dc, r, b);
    LineTo(dc, l, b);
  }
  const int length = GetWindowTextLengthW(Handle());
  if (length == 0) return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(Handle(), &text[0], length + 1)));
  InflateRect(&rc, -kBevel, -kBevel);
  ScopedDcState state(dc);
  if (font_) SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  const UINT align = textAlign_ == TextAlign::kLeft ? DT_LEFT : DT_CENTER;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc,
            align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // Paint fills everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      InvalidateRect(Handle(), nullptr, TRUE);
      return result;
    }
    case WM_SIZE:
      InvalidateRect(Handle(), nullptr, TRUE);  // the bevel and a centred caption move
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

// --- Splitter ---

void Splitter::CreateIn(HWND parent, int id, const zolt::Bounds& b) {
  Window::RegisterClass(kSplitterClass, LoadCursor(nullptr, IDC_SIZEWE),
                        GetSysColorBrush(COLOR_BTNFACE));
  Create(kSplitterClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent, b.left, b.top,
         b.width, b.height, IdOf(id));
  // A checkerboard of alternate pixels: the classic hatched drag bar.
  const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  Bitmap bits(CreateBitmap(8, 8, 1, 1, pattern));
  hatch_.Reset(CreatePatternBrush(bits.Get()));
}

void Splitter::Draw(const std::vector<zolt::BarStroke>& strokes) {
  HWND parent = GetParent(Handle());
  RECT rc;
  GetWindowRect(Handle(), &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  // A cache DC of the parent that does not clip its children: the bar crosses the panes.
  HDC dc = GetDCEx(parent, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  {
    ScopedSelect brush(dc, hatch_.Get());
    // Drawn and erased alike by inverting.
    for (const zolt::BarStroke& s : strokes) {
      PatBlt(dc, s.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATINVERT);
    }
  }
  ReleaseDC(parent, dc);
}

int Splitter::Accepted(int proposedLeft) const {
  return OnProposal ? OnProposal(proposedLeft) : proposedLeft;
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_LBUTTONDOWN: {
      grabOffset_ = p.x;
      RECT rc;
      GetWindowRect(Handle(), &rc);
      MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rc), 2);
      SetCapture(Handle());
      Draw(drag_.Press(Accepted(rc.left)));
      return 0;
    }
    case WM_MOUSEMOVE:
      if (!drag_.Dragging()) return 0;
      MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
      Draw(drag_.Move(Accepted(p.x - grabOffset_)));
      return 0;
    case WM_LBUTTONUP: {
      if (!drag_.Dragging()) return 0;
      const int left = drag_.BarLeft();
      Draw(drag_.End());
      ReleaseCapture();
      if (OnMoved) OnMoved(left);
      return 0;
    }
    case WM_CAPTURECHANGED:
      // Taken away (another window popping up): the drag ends, the bar goes.
      Draw(drag_.End());
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

// --- Push button and edit box ---

bool PushButton::OnNotification(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
  if (OnClick) OnClick();
  result = 0;
  return true;
}

bool EditBox::OnNotification(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_CTLCOLORSTATIC) return false;
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  return true;
}

// --- The standard kinds ---

namespace {

// Platform controls are ANSI windows, so the texts the program puts in them (paths in the system
// code page) are stored as they are; design-time texts are UTF-8 and go in through the W call.
// window: the control's object, or nullptr for a control that needs none (a label).
void CreatePlatformControl(const ControlContext& c, std::unique_ptr<Window> window,
                           const char* className, DWORD style, DWORD exStyle,
                           const std::string& utf8Text) {
  const zolt::Bounds& b = c.control.bounds;
  // Siblings that overlap (a pane's "B" button and path box share a pixel column) show the one
  // on top, whatever painted last.
  style |= WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  HWND hwnd = window
                  ? window->CreateControl(className, style, exStyle, c.parent, c.id, b.left, b.top,
                                          b.width, b.height)
                  : CreateWindowExA(exStyle, className, "", style, b.left, b.top, b.width, b.height,
                                    c.parent, IdOf(c.id), GetModuleHandleA(nullptr), nullptr);
  if (hwnd) SetWindowTextW(hwnd, Widen(utf8Text).c_str());
  c.control.hwnd = hwnd;
  c.control.window = std::move(window);
}

void MakePanel(ControlContext& c) {
  auto panel = std::make_unique<Panel>();
  panel->SetTextAlign(c.description.Choice("caption align", {"centre", "left"}, 0) == 1
                          ? Panel::TextAlign::kLeft
                          : Panel::TextAlign::kCenter);
  panel->CreateIn(c.parent, c.id, c.control.bounds);
  SetWindowTextW(panel->Handle(), Widen(c.description.Text("caption", "")).c_str());
  c.control.childInset = Panel::kBevel;
  c.control.window = std::move(panel);
}

void MakeSplitter(ControlContext& c) {
  if (c.control.align != zolt::Align::kLeft) {
    throw zolt::FormError(c.description.line, "a splitter must be aligned to the left");
  }
  auto splitter = std::make_unique<Splitter>();
  splitter->CreateIn(c.parent, c.id, c.control.bounds);
  c.control.window = std::move(splitter);
}

void MakeButton(ControlContext& c) {
  // Enter and Esc reach a form as IDOK and IDCANCEL.
  const int key = c.description.Choice("pressed by", {"Enter", "Esc"}, -1);
  if (key == 0) c.id = IDOK;
  if (key == 1) c.id = IDCANCEL;
  auto button = std::make_unique<PushButton>();
  button->OnClick = c.handlers.For<Handler>(c.description, "when clicked");
  CreatePlatformControl(c, std::move(button), "BUTTON",
                        WS_TABSTOP | (key == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
                        c.description.Text("caption", ""));
}

void MakeEdit(ControlContext& c) {
  // Fixed height: the box keeps the height its description gives, whatever the font.
  const DWORD readOnly = c.description.YesNo("read only", false) ? ES_READONLY : 0;
  CreatePlatformControl(c, std::make_unique<EditBox>(), "EDIT",
                        WS_TABSTOP | ES_AUTOHSCROLL | readOnly, WS_EX_CLIENTEDGE,
                        c.description.Text("text", ""));
}

void MakeLabel(ControlContext& c) {
  CreatePlatformControl(c, nullptr, "STATIC", SS_LEFT, 0, c.description.Text("caption", ""));
}

void MakeStringGrid(ControlContext& c) {
  const zolt::FormObject& d = c.description;
  auto grid = std::make_unique<StringGrid>();
  grid->SetColCount(d.Number("columns", 5));
  grid->SetRowCount(d.Number("rows", 5));
  grid->SetTitleRows(d.Number("title rows", 1));
  grid->SetDefaultColWidth(d.Number("column width", 64));
  grid->SetDefaultRowHeight(d.Number("row height", 24));
  grid->SetGridLineWidth(d.Number("line width", 1));
  unsigned options = d.Flags("lines",
                             {{"titles vertical", kGridTitleVertLine},
                              {"titles horizontal", kGridTitleHorzLine},
                              {"cells vertical", kGridVertLine},
                              {"cells horizontal", kGridHorzLine}},
                             grid->Options());
  if (d.YesNo("column sizing", false)) options |= kGridColSizing;
  grid->SetOptions(options);
  grid->OnDrawCell = c.handlers.For<DrawCellHandler>(d, "when drawing a cell");
  grid->OnDblClick = c.handlers.For<Handler>(d, "when double-clicked");
  const zolt::Bounds& b = c.control.bounds;
  grid->CreateIn(c.parent, c.id, b.left, b.top, b.width, b.height);
  c.control.window = std::move(grid);
}

}  // namespace

void AddStandardKinds(ControlKinds& kinds) {
  kinds.Add(Panel::kKind, &MakePanel, true);
  kinds.Add(Splitter::kKind, &MakeSplitter);
  kinds.Add("push button", &MakeButton);
  kinds.Add("edit box", &MakeEdit);
  kinds.Add("label", &MakeLabel);
  kinds.Add(StringGrid::kKind, &MakeStringGrid);
}

}  // namespace ui
