// The way into a state, not only the state: after each step of a seeded sequence of input (the
// splitter hovered and dragged, the window resized, columns dragged, clicks, keys, the wheel,
// focus changes, the Browse dialog opened, used and closed), what the screen shows equals the
// same windows invalidated and painted whole. One check catches every missed or excess repaint.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "gui/browse_fixture.h"
#include "gui/reference_images.h"

namespace {

using gui::At;
using gui::Step;

class RepaintTest : public gui::BrowseTest {
 public:
  void SetUp() override {
    BrowseTest::SetUp();
    gui::AddFoldersThatDiffer(machine);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Start();
    form1->LoadLeftPane("C:\\L\\");
    form1->LoadRightPane("C:\\R\\");
  }

  static std::string Colour(COLORREF c) {
    char text[8];
    std::snprintf(text, sizeof text, "%06lx", static_cast<unsigned long>(c));
    return text;
  }
  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  int Between(int lo, int hi) { return lo + Pick(hi - lo + 1); }

  // The window as the screen shows it, then invalidated and painted whole: the same pictures.
  void ExpectAsPaintedWhole(HWND window) {
    gui::Pump();
    const gui::Pixels shown = gui::Scene(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gui::Pump();
    const gui::Pixels whole = gui::Scene(window);
    if (shown == whole) return;
    for (int y = 0; y < std::min(shown.Height(), whole.Height()); ++y) {
      for (int x = 0; x < std::min(shown.Width(), whole.Width()); ++x) {
        if (shown.At(x, y) == whole.At(x, y)) continue;
        FAIL() << "after " << steps_ << ": the screen shows " << Colour(shown.At(x, y)) << " at "
               << x << "," << y << " where a whole repaint draws " << Colour(whole.At(x, y));
      }
    }
    FAIL() << "after " << steps_ << ": the window's size changed on a repaint";
  }

  void Send(const char* control, UINT message, WPARAM wParam, int x, int y) {
    SendMessageA(form1->HandleOf(control), message, wParam, At(x, y));
  }
  // A point of the splitter's drag that leaves each pane 80 pixels at least: Wine draws a scroll
  // bar too narrow for its arrows differently each time, whatever the program does.
  int SplitterX() {
    RECT client, bar;
    GetClientRect(form1->Handle(), &client);
    GetWindowRect(form1->HandleOf("Splitter1"), &bar);
    MapWindowPoints(nullptr, form1->Handle(), reinterpret_cast<POINT*>(&bar), 2);
    return Between(80, std::max<int>(80, client.right - 84)) - bar.left + 2;
  }
  const char* AGrid() { return Pick(2) ? "StringGrid1" : "StringGrid2"; }

  // One step of input to the main window, named in steps_.
  void MainWindowStep() {
    const int kind = Pick(10);
    steps_ += std::to_string(kind) + " ";
    switch (kind) {
      case 0:  // the pointer over the splitter, no button held
        for (int i = Pick(3); i >= 0; --i) Send("Splitter1", WM_MOUSEMOVE, 0, Between(-3, 6), 50);
        break;
      case 1: {  // a splitter drag, ended by the release or by the capture taken away
        Send("Splitter1", WM_LBUTTONDOWN, MK_LBUTTON, 2, 100);
        for (int i = Pick(3); i >= 0; --i) {
          Send("Splitter1", WM_MOUSEMOVE, MK_LBUTTON, SplitterX(), 100);
        }
        if (Pick(4)) {
          Send("Splitter1", WM_LBUTTONUP, 0, SplitterX(), 100);
        } else {
          SetCapture(form1->Handle());
          ReleaseCapture();
        }
        break;
      }
      case 2: {  // the window resized, the right pane kept 80 pixels wide at least
        RECT left;
        GetWindowRect(form1->HandleOf("Panel1"), &left);
        SetWindowPos(form1->Handle(), nullptr, 0, 0,
                     Between(std::min<int>(1000, left.right - left.left + 100), 1000),
                     Between(300, 800), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      }
      case 3: {  // a column's title boundary dragged
        const char* grid = AGrid();
        const RECT title = form1->Get<ui::StringGrid>(grid).CellRect(Pick(3), 0);
        Send(grid, WM_LBUTTONDOWN, MK_LBUTTON, title.right, 10);
        Send(grid, WM_MOUSEMOVE, MK_LBUTTON, title.right + Between(-120, 120), 10);
        Send(grid, WM_LBUTTONUP, 0, title.right, 10);
        break;
      }
      case 4:  // a click, or a double-click that matches the row in the other pane
        Send(AGrid(), Pick(3) ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK, MK_LBUTTON, Between(0, 400),
             Between(0, 300));
        break;
      case 5: {
        const WPARAM keys[] = {VK_UP,    VK_DOWN, VK_LEFT, VK_RIGHT,
                               VK_PRIOR, VK_NEXT, VK_HOME, VK_END};
        SendMessageA(form1->HandleOf(AGrid()), WM_KEYDOWN, keys[Pick(8)], 1);
        break;
      }
      case 6:
        Send(AGrid(), WM_MOUSEWHEEL, MAKEWPARAM(0, Between(-2, 2) * 60), 100, 100);
        break;
      case 7: {
        const char* controls[] = {"StringGrid1", "StringGrid2", "Button1", "Button2"};
        SetFocus(form1->HandleOf(controls[Pick(4)]));
        break;
      }
      case 8:
        gui::ChooseMenuItem(form1->Handle(), 1);  // Compare
        break;
      default:
        BrowseStep();
    }
  }

  // The Browse dialog opened, a few steps inside it, each checked, and closed by OK or Cancel.
  void BrowseStep() {
    std::vector<Step> steps;
    for (int i = Pick(4); i >= 0; --i) {
      steps.push_back([this] {
        const int kind = Pick(4);
        steps_ += "dialog " + std::to_string(kind) + " ";
        const auto& items = Folders().State().Items();
        const std::string item =
            items[static_cast<size_t>(Pick(static_cast<int>(items.size())))].text;
        if (kind < 2) ClickFolder(item, kind == 1)();
        if (kind == 2) {
          SendMessageA(Folders().Handle(), WM_KEYDOWN, Pick(2) ? VK_DOWN : VK_UP, 1);
        }
        if (kind == 3) PickDrive("cd"[Pick(2)])();
      });
      steps.push_back([this] { ExpectAsPaintedWhole(form2->Handle()); });
    }
    steps.push_back(Press(Pick(2) ? "Button1" : "Button2"));
    Browse(Pick(2), steps);
  }

  std::mt19937 random_{2};  // its steps give a column no width, among others
  std::string steps_;
};

TEST_F(RepaintTest, AfterAnyInputTheScreenShowsTheWindowsAsPaintedWhole) {
  steps_ = "the start ";
  ExpectAsPaintedWhole(form1->Handle());
  ExpectAsPaintedWhole(form1->Handle());
  for (int step = 0; step < 200 && !HasFatalFailure() && !HasNonfatalFailure(); ++step) {
    MainWindowStep();
    ExpectAsPaintedWhole(form1->Handle());
    if (steps_.size() > 200) steps_.erase(0, steps_.size() - 200);
  }
}

}  // namespace
