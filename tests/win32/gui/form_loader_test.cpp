#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/errors.h"
#include "gui/gui_support.h"
#include "win32/os/os_win32.h"
#include "win32/ui/application.h"
#include "win32/ui/controls.h"
#include "win32/ui/fonts.h"
#include "win32/ui/form.h"

namespace ui {
std::string NarrowForTrace(const std::wstring& w) {
  char text[128] = "";
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, text, sizeof text, nullptr, nullptr);
  return text;
}
}  // namespace ui

namespace {

// A form of its own kind for the loader's tests; never the main window when a test form of
// Unit1 is alive, and its destruction's quit message is dropped.
class TestForm : public ui::Form {
 public:
  TestForm() : Form(gui::App(), os::RealOs(), "TTest") {}
  ~TestForm() override {
    if (Handle()) DestroyWindow(Handle());
    gui::DropQuit();
  }
};

const char kHeader[] = "W: TTest\n  place = 50, 60\n  size = 300 x 200\n";

TEST(FormLoader, RejectsInconsistentDescriptionsNamingTheLine) {
  const struct {
    const char* body;  // after the header (3 lines)
    int line;
    const char* fragment;
  } cases[] = {
      {"  X: no such kind\n", 4, "no control kind no such kind"},
      {"  B: push button\n    colour = red\n", 5, "push button B has no property colour"},
      {"  B: push button\n    when clicked = Nowhere\n", 5, "TTest has no handler Nowhere"},
      {"  E: edit box\n    C: push button\n", 5, "edit box holds no controls"},
      {"  S: splitter\n    align = top\n", 4, "splitter must be aligned to the left"},
      {"  P: panel\n    align = middle\n", 5, "expected one of: none, left, top, bottom, fill"},
      {"  P: panel\n    size = wide\n", 5, "expected a whole number"},
      {"  P: panel\n    size = 30, 20\n", 5, "expected \"x\""},
      {"  menu = M\n  M: main menu\n    I: menu item\n      J: menu item\n", 7,
       "no drop-down menus"},
      {"  M: main menu\n", 4, "the form's menu is not M"},
      {"  menu = M\n", 4, "the form has no menu M"},
      {"  when shown = Shown\n", 4, "TTest has no handler Shown"},
      {"  G: string grid\n    lines = cells vertical, editing\n", 5, "expected one of: titles"},
      {"  G: string grid\n    when drawing a cell = Nowhere\n", 5, "TTest has no handler Nowhere"},
      {"  G: string grid\n    when double-clicked = Nowhere\n", 5, "TTest has no handler Nowhere"},
      {"  G: string grid\n    when drawing a cell = 3\n", 5, "expected a name"},
      {"  P: panel\n    Q: panel\n      M: main menu\n", 6, "belongs to the form itself"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    TestForm form;
    try {
      form.CreateFromText(std::string(kHeader) + c.body);
      ADD_FAILURE() << "created without error";
    } catch (const zolt::FormError& e) {
      EXPECT_EQ(e.Line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
    }
  }
  TestForm other;
  try {
    other.CreateFromText("W: TOther\n");
    ADD_FAILURE() << "a description of another kind was accepted";
  } catch (const zolt::FormError& e) {
    EXPECT_NE(std::string(e.what()).find("of a TOther, not a TTest"), std::string::npos);
  }
}

// A kind registered from outside the widget layer, as the folder controls register theirs.
class Box : public ui::Window {
 public:
  static constexpr const char* kKind = "test box";
  explicit Box(std::string tag) : tag(std::move(tag)) {}
  std::string tag;
};

TEST(FormLoader, RegisteredKindIsCreatedWithItsBoundsAndSettings) {
  HWND seenParent = nullptr;
  gui::App().Kinds().Add(Box::kKind, [&](ui::ControlContext& c) {
    auto box = std::make_unique<Box>(c.description.Text("tag", ""));
    const zolt::Bounds& b = c.control.bounds;
    c.control.hwnd = CreateWindowExA(
        0, "STATIC", "", WS_CHILD | WS_VISIBLE, b.left, b.top, b.width, b.height, c.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleA(nullptr), nullptr);
    seenParent = c.parent;
    c.control.window = std::move(box);
  });
  TestForm form;
  form.CreateFromText(std::string(kHeader) +
                      "  P: panel\n    align = fill\n    X: test box\n      place = 7, 8\n"
                      "      size = 30 x 20\n      tag = \"t1\"\n");
  EXPECT_EQ(seenParent, form.HandleOf("P"));
  EXPECT_EQ(form.Get<Box>("X").tag, "t1");
  RECT rc;
  GetWindowRect(form.HandleOf("X"), &rc);
  MapWindowPoints(nullptr, form.HandleOf("P"), reinterpret_cast<POINT*>(&rc), 2);
  EXPECT_EQ(rc.left, 7);
  EXPECT_EQ(rc.top, 8);
  EXPECT_EQ(rc.right, 37);
  EXPECT_EQ(rc.bottom, 28);
  EXPECT_THROW(form.Get<ui::Panel>("X"), zolt::Exception);
  EXPECT_THROW(form.Find("Nobody"), zolt::Exception);
}

// Refuses the creation of a top-level window as it starts, keeping the menu it was given.
HMENU refusedMenu = nullptr;
LRESULT CALLBACK RefuseTopLevelWindows(int code, WPARAM wParam, LPARAM lParam) {
  const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
  if (code != HCBT_CREATEWND || (cs->style & WS_CHILD))
    return CallNextHookEx(nullptr, code, wParam, lParam);
  refusedMenu = cs->hMenu;
  return 1;
}

TEST(FormLoader, AWindowThatCannotBeCreatedLeavesNoMenuBehind) {
  HHOOK hook = SetWindowsHookExA(WH_CBT, &RefuseTopLevelWindows, nullptr, GetCurrentThreadId());
  {
    TestForm form;
    form.Bind("Quit", [] {});
    EXPECT_THROW(
        form.CreateFromText(std::string(kHeader) + "  menu = M\n  M: main menu\n"
                                                   "    X: menu item\n      when chosen = Quit\n"),
        zolt::Exception);
  }
  UnhookWindowsHookEx(hook);
  ASSERT_NE(refusedMenu, nullptr);
  EXPECT_FALSE(IsMenu(refusedMenu));
}

TEST(FormLoader, ClientSizeAndDialogBorder) {
  TestForm form;
  form.CreateFromText(
      "W: TTest\n  place = 425, 219\n  client size = 367 x 303\n  border = dialog\n"
      "  caption = \"Browse\"\n");
  RECT rc;
  GetClientRect(form.Handle(), &rc);
  EXPECT_EQ(rc.right, 367);
  EXPECT_EQ(rc.bottom, 303);
  GetWindowRect(form.Handle(), &rc);
  EXPECT_EQ(rc.left, 425);
  EXPECT_EQ(rc.top, 219);
  const LONG_PTR style = GetWindowLongPtrA(form.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));  // forms start hidden
}

TEST(FormLoader, ButtonsRunTheirHandlersByClickEnterAndEsc) {
  TestForm form;
  int ok = 0, cancel = 0, plain = 0;
  form.Bind("OkClick", [&] { ++ok; });
  form.Bind("CancelClick", [&] { ++cancel; });
  form.Bind("PlainClick", [&] { ++plain; });
  form.CreateFromText(std::string(kHeader) +
                      "  A: push button\n    size = 80 x 30\n    when clicked = PlainClick\n"
                      "  B: push button\n    place = 0, 40\n    size = 80 x 30\n"
                      "    pressed by = Enter\n    when clicked = OkClick\n"
                      "  C: push button\n    place = 0, 80\n    size = 80 x 30\n"
                      "    pressed by = Esc\n    when clicked = CancelClick\n");
  form.Show();
  gui::Pump();
  SendMessageA(form.HandleOf("A"), BM_CLICK, 0, 0);
  EXPECT_EQ(plain, 1);
  EXPECT_TRUE(GetWindowLongPtrA(form.HandleOf("B"), GWL_STYLE) & BS_DEFPUSHBUTTON);
  // Keys go through the application's loop, which gives forms their dialog keys.
  SetFocus(form.HandleOf("A"));
  const struct {
    WPARAM key;
    int* counter;
  } keys[] = {{VK_RETURN, &ok}, {VK_ESCAPE, &cancel}};
  for (const auto& k : keys) {
    SCOPED_TRACE(k.key);
    const int before = *k.counter;
    PostMessageA(GetFocus(), WM_KEYDOWN, k.key, 1);
    gui::Pump();
    EXPECT_EQ(*k.counter, before + 1);
  }
  EXPECT_EQ(plain, 1);
}

// The error box's caption for this exe, from its name read as UTF-16, so no code page is
// involved: up to the first ".", every character after the first in lower case.
std::wstring CaptionFromTheFileName() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name = std::wcsrchr(path, L'\\') + 1;
  name.erase(name.find(L'.'));
  CharLowerBuffW(&name[1], static_cast<DWORD>(name.size() - 1));
  return name;
}

// Runs this test in a copy of the exe whose name is not ASCII (Japanese at code page 932): a
// caption decoded in the wrong code page reads garbled there. Returns the copy's exit code.
DWORD RunUnderAName(const std::wstring& name) {
  wchar_t self[MAX_PATH] = L"", temp[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  GetTempPathW(MAX_PATH, temp);
  const std::wstring copy = temp + name + L".exe";
  if (!CopyFileW(self, copy.c_str(), FALSE)) return GetLastError();
  std::wstring command = L"\"" + copy + L"\" --gtest_filter=FormLoader.ExceptionInAHandler*";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  DWORD code = 1;
  if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                     &pi)) {
    WaitForSingleObject(pi.hProcess, 60000);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  DeleteFileW(copy.c_str());
  return code;
}

// A message box as one text: its caption, then "icon" for an icon it shows and each of its texts.
std::wstring ReadBox(HWND box) {
  wchar_t text[512] = L"";
  GetWindowTextW(box, text, 512);
  std::wstring seen = text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    GetClassNameW(child, text, 512);
    if (std::wstring(text) != L"Static") continue;
    const bool icon = (GetWindowLongPtrW(child, GWL_STYLE) & SS_ICON) != 0;
    if (icon && SendMessageW(child, STM_GETICON, 0, 0)) seen += L"|icon";
    if (!icon && GetWindowTextW(child, text, 512) > 0) seen += L"|" + std::wstring(text);
  }
  return seen;
}

TEST(FormLoader, ExceptionInAHandlerShowsTheErrorBoxAndTheProgramGoesOn) {
  const std::wstring caption = CaptionFromTheFileName();
  if (std::all_of(caption.begin(), caption.end(), [](wchar_t c) { return c < 0x80; })) {
    EXPECT_EQ(RunUnderAName(GetACP() == 932 ? L"\x6BD4\x8F03\x8A66\x9A13" : L"\xE9t\xE9"), 0u);
  }
  TestForm form;
  int runs = 0;
  form.Bind("Fail", [&] {
    ++runs;
    throw zolt::DateTimeError::Date();
  });
  form.CreateFromText(std::string(kHeader) +
                      "  A: push button\n    size = 80 x 30\n    when clicked = Fail\n"
                      "  E: edit box\n    place = 0, 40\n    size = 80 x 30\n");
  form.Show();
  // The application's own box, shown for real: read and closed from inside its modal loop.
  ui::Window::SetErrorHook([](const std::string& message) { gui::App().ShowError(message); });
  std::vector<std::wstring> boxes;
  const gui::Step readAndClose = [&] {
    boxes.push_back(ReadBox(GetActiveWindow()));
    PostMessageA(GetActiveWindow(), WM_COMMAND, IDOK, 0);
  };
  const gui::Step errors[] = {
      [&] { SendMessageA(form.HandleOf("A"), BM_CLICK, 0, 0); },
      [&] { SendMessageA(form.HandleOf("A"), BM_CLICK, 0, 0); },
      // As a window procedure does with a handler's exception, while another control has the
      // focus: the box gone, the focus is where it was.
      [&] {
        SetFocus(form.HandleOf("E"));
        ui::Guarded([] { throw zolt::DateTimeError::Date(); });
        EXPECT_EQ(GetFocus(), form.HandleOf("E"));
      }};
  for (const gui::Step& raise : errors) {
    gui::ModalDriver driver({readAndClose});
    raise();
  }
  ui::Window::SetErrorHook(&gui::ErrorBoxes::Record);
  EXPECT_EQ(runs, 2);
  const std::wstring seen = caption + L"|icon|" + ui::Widen("日付に変換できない値が渡されました.");
  EXPECT_EQ(boxes, std::vector<std::wstring>(3, seen));
  EXPECT_TRUE(IsWindow(form.Handle()));
}

// A centred caption, which no panel of the forms has (theirs show in the main window's reference
// images), and a new caption that shows at once.
TEST(Panel, CentredCaptionAndANewCaptionShownAtOnce) {
  TestForm form;
  form.CreateFromText(std::string(kHeader) +
                      "  font = \"\", default, 15\n"
                      "  C: panel\n    size = 200 x 41\n    caption = \"WWWW\"\n");
  HWND panel = form.HandleOf("C");
  const RECT ink = gui::Pixels(panel).InkBox(RECT{1, 1, 199, 40}, GetSysColor(COLOR_BTNFACE));
  ASSERT_FALSE(IsRectEmpty(&ink));
  // As much room above the text as below, and left as right, within a pixel or two.
  EXPECT_LE(std::abs((ink.top - 1) - (40 - ink.bottom)), 4);
  EXPECT_LE(std::abs((ink.left - 1) - (199 - ink.right)), 2);
  form.Show();
  gui::ExpectShownAfter({panel}, [&] { SetWindowTextA(panel, " 12 Files"); });
  EXPECT_EQ(ui::TextOf(panel), " 12 Files");
}

TEST(Fonts, MissingFaceFallsBackToAnInstalledJapaneseGothic) {
  const struct {
    const wchar_t* face;
    bool proportional;
  } cases[] = {{L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF", true},  // ＭＳ Ｐゴシック
               {L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF", false},       // ＭＳ ゴシック
               {L"No Such Face At All", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(ui::NarrowForTrace(c.face));
    const std::wstring face = ui::InstalledFace(c.face, SHIFTJIS_CHARSET);
    ui::Font font = ui::CreateFormFont(c.face, 15, SHIFTJIS_CHARSET);
    ASSERT_TRUE(font);
    // The font really is the face chosen (an installed one, not a substitute the system picked),
    // with Shift-JIS glyphs.
    ui::ScopedWindowDc dc(nullptr);
    ui::ScopedSelect selected(dc.Get(), font.Get());
    wchar_t used[LF_FACESIZE] = L"";
    GetTextFaceW(dc.Get(), LF_FACESIZE, used);
    EXPECT_EQ(std::wstring(used), face);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.Get(), &tm);
    EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 15);
    // A fixed-pitch request keeps a fixed pitch (TMPF_FIXED_PITCH set means variable).
    if (face != c.face) {
      EXPECT_EQ((tm.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0, c.proportional);
    }
  }
}

}  // namespace
