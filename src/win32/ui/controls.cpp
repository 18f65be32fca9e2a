#include "win32/ui/controls.h"

#include <windowsx.h>

#include <vector>

#include "win32/ui/application.h"
#include "win32/ui/form.h"
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

void Panel::SetCaption(const std::string& ansi) {
  SetWindowTextA(Handle(), ansi.c_str());
}

std::string Panel::Caption() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(Handle(), &text[0], static_cast<int>(text.size()))));
  return text;
}

void Panel::Paint(HDC dc) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
  // A raised bevel: light on the top and left edges, shadow on the bottom and right ones.
  Pen light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
  Pen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
  // Each line leaves out its end point: the top-right corner is shadow, the bottom-left light.
  for (int i = 0; i < bevelWidth_; ++i) {
    const int l = rc.left + i, t = rc.top + i, r = rc.right - 1 - i, b = rc.bottom - 1 - i;
    {
      ScopedSelect pen(dc, light.Get());
      MoveToEx(dc, l, b, nullptr);
      LineTo(dc, l, t);
      LineTo(dc, r, t);
    }
    ScopedSelect pen(dc, shadow.Get());
    MoveToEx(dc, r, t, nullptr);
    LineTo(dc, r, b);
    LineTo(dc, l, b);
  }
  const int length = GetWindowTextLengthW(Handle());
  if (length == 0) return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(Handle(), &text[0], length + 1)));
  InflateRect(&rc, -bevelWidth_, -bevelWidth_);
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
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return SendMessageA(GetParent(Handle()), message, wParam, lParam);
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

void Splitter::InvertBar() {
  HWND parent = GetParent(Handle());
  RECT rc;
  GetWindowRect(Handle(), &rc);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  // A cache DC of the parent that does not clip its children: the bar crosses the panes.
  HDC dc = GetDCEx(parent, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  {
    ScopedSelect brush(dc, hatch_.Get());
    PatBlt(dc, barLeft_, rc.top, rc.right - rc.left, rc.bottom - rc.top, PATINVERT);
  }
  ReleaseDC(parent, dc);
}

void Splitter::EndDrag() {
  InvertBar();
  dragging_ = false;
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      grabOffset_ = GET_X_LPARAM(lParam);
      RECT rc;
      GetWindowRect(Handle(), &rc);
      MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&rc), 2);
      barLeft_ = OnProposal ? OnProposal(rc.left) : rc.left;
      dragging_ = true;
      SetCapture(Handle());
      InvertBar();
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (!dragging_) return 0;
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
      const int proposed = p.x - grabOffset_;
      const int accepted = OnProposal ? OnProposal(proposed) : proposed;
      if (accepted != barLeft_) {
        InvertBar();
        barLeft_ = accepted;
        InvertBar();
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!dragging_) return 0;
      EndDrag();
      ReleaseCapture();
      if (OnMoved) OnMoved(barLeft_);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (dragging_) EndDrag();  // capture taken away: the drag is abandoned
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

// --- Fonts ---

namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const std::wstring& face, BYTE charset) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW lf{};
  lf.lfCharSet = charset;
  face.copy(lf.lfFaceName, face.size());
  bool found = false;
  ScopedWindowDc screen(nullptr);
  EnumFontFamiliesExW(screen.Get(), &lf, &NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

std::wstring InstalledFace(const std::wstring& face, BYTE charset) {
  if (FaceInstalled(face, charset)) return face;
  // Proportional faces ("ＭＳ Ｐゴシック") fall back to proportional ones first.
  const bool proportional =
      face.find(L'\xFF30') != std::wstring::npos || face.find(L"PGothic") != std::wstring::npos;
  static const wchar_t* const kProportional[] = {L"MS PGothic", L"IPAPGothic", L"VL PGothic",
                                                 L"IPAGothic", L"MS Gothic"};
  static const wchar_t* const kFixed[] = {L"MS Gothic", L"IPAGothic", L"VL Gothic", L"IPAPGothic",
                                          L"MS PGothic"};
  for (const wchar_t* fallback : proportional ? kProportional : kFixed) {
    if (FaceInstalled(fallback, charset)) return fallback;
  }
  return face;
}

Font CreateFormFont(const std::wstring& face, int height, BYTE charset, int weight, bool italic) {
  const std::wstring installed = InstalledFace(face, charset);
  return Font(CreateFontW(height, 0, 0, 0, weight, italic, FALSE, FALSE, charset,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, installed.c_str()));
}

// --- The standard kinds ---

namespace {

// Platform controls are ANSI windows, so the texts the program puts in them (paths in the system
// code page) are stored as they are; design-time texts are UTF-8 and go in through the W call.
HWND CreatePlatformControl(const ControlContext& c, const char* className, DWORD style,
                           DWORD exStyle, const std::string& utf8Text) {
  const zolt::Bounds& b = c.control.bounds;
  HWND hwnd =
      CreateWindowExA(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, b.left, b.top, b.width,
                      b.height, c.parent, IdOf(c.id), GetModuleHandleA(nullptr), nullptr);
  if (hwnd) SetWindowTextW(hwnd, Widen(utf8Text).c_str());
  return hwnd;
}

void MakePanel(ControlContext& c) {
  auto panel = std::make_unique<Panel>();
  panel->SetBevelWidth(c.description.Number("BevelWidth", 1));
  panel->SetTextAlign(c.description.Choice("Alignment", {"Center", "LeftJustify"}, 0) == 1
                          ? Panel::TextAlign::kLeft
                          : Panel::TextAlign::kCenter);
  panel->CreateIn(c.parent, c.id, c.control.bounds);
  SetWindowTextW(panel->Handle(), Widen(c.description.Text("Caption", "")).c_str());
  c.control.childInset = panel->BevelWidth();
  c.control.hwnd = panel->Handle();
  c.control.window = std::move(panel);
}

void MakeSplitter(ControlContext& c) {
  if (c.control.align != zolt::Align::kLeft) {
    throw zolt::FormError(c.description.line, "a splitter must be aligned to the left");
  }
  auto splitter = std::make_unique<Splitter>();
  splitter->CreateIn(c.parent, c.id, c.control.bounds);
  Form& form = c.form;
  Control& control = c.control;
  splitter->OnProposal = [&form, &control](int left) {
    return form.SplitterProposal(control, left);
  };
  splitter->OnMoved = [&form, &control](int left) { form.SplitterMoved(control, left); };
  c.control.hwnd = splitter->Handle();
  c.control.window = std::move(splitter);
}

void MakeButton(ControlContext& c) {
  const bool isDefault = c.description.Boolean("Default", false);
  const bool isCancel = c.description.Boolean("Cancel", false);
  // Enter and Esc reach a form as IDOK and IDCANCEL.
  if (isDefault) c.id = IDOK;
  if (isCancel) c.id = IDCANCEL;
  c.control.onClick = c.form.Handler(c.description, "OnClick");
  c.control.hwnd = CreatePlatformControl(
      c, "BUTTON", WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
      c.description.Text("Caption", ""));
}

void MakeEdit(ControlContext& c) {
  // Fixed height: the box keeps the height its description gives, whatever the font.
  const DWORD readOnly = c.description.Boolean("ReadOnly", false) ? ES_READONLY : 0;
  c.control.hwnd = CreatePlatformControl(c, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL | readOnly,
                                         WS_EX_CLIENTEDGE, c.description.Text("Text", ""));
}

void MakeLabel(ControlContext& c) {
  c.control.hwnd =
      CreatePlatformControl(c, "STATIC", SS_LEFT, 0, c.description.Text("Caption", ""));
}

void MakeStringGrid(ControlContext& c) {
  const zolt::FormObject& d = c.description;
  auto grid = std::make_unique<StringGrid>();
  grid->SetColCount(d.Number("ColCount", 5));
  grid->SetRowCount(d.Number("RowCount", 5));
  grid->SetFixedCols(d.Number("FixedCols", 1));
  grid->SetFixedRows(d.Number("FixedRows", 1));
  grid->SetDefaultColWidth(d.Number("DefaultColWidth", 64));
  grid->SetDefaultRowHeight(d.Number("DefaultRowHeight", 24));
  grid->SetGridLineWidth(d.Number("GridLineWidth", 1));
  grid->SetOptions(d.Flags("Options",
                           {{"FixedVertLine", kGridFixedVertLine},
                            {"FixedHorzLine", kGridFixedHorzLine},
                            {"VertLine", kGridVertLine},
                            {"HorzLine", kGridHorzLine},
                            {"ColSizing", kGridColSizing},
                            {"RowSelect", kGridRowSelect}},
                           grid->Options()));
  grid->SetFont(c.form.FontHandle());
  grid->OnDrawCell = c.form.DrawCellHandlerFor(d, "OnDrawCell");
  grid->OnDblClick = c.form.Handler(d, "OnDblClick");
  const zolt::Bounds& b = c.control.bounds;
  grid->CreateIn(c.parent, c.id, b.left, b.top, b.width, b.height);
  c.control.hwnd = grid->Handle();
  c.control.window = std::move(grid);
}

}  // namespace

void RegisterStandardControlKinds() {
  RegisterControlKind("TPanel", &MakePanel, true);
  RegisterControlKind("TSplitter", &MakeSplitter);
  RegisterControlKind("TButton", &MakeButton);
  RegisterControlKind("TEdit", &MakeEdit);
  RegisterControlKind("TLabel", &MakeLabel);
  RegisterControlKind("TStringGrid", &MakeStringGrid);
}

}  // namespace ui
