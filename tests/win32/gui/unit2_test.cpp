#include "win32/Unit2.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include "gui/browse_fixture.h"

namespace {

using gui::BrowseTest;
using gui::PaneState;
using gui::Step;

std::wstring WideTextOf(HWND hwnd) {
  wchar_t text[128] = L"";
  GetWindowTextW(hwnd, text, 128);
  return text;
}

// Where each control stands and what it reads show in the Browse dialog's reference images.
TEST_F(BrowseTest, DialogIsBuiltFromItsDescriptionAndStartsHidden) {
  Start();
  HWND dialog = form2->Handle();
  EXPECT_FALSE(IsWindowVisible(dialog));
  // The lists are filled at the first showing.
  EXPECT_EQ(SendMessageA(Drives().Handle(), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(Folders().Handle(), LB_GETCOUNT, 0, 0), 0);
  Browse(true, {Press("Button2")});
  RECT rc;
  GetWindowRect(dialog, &rc);
  EXPECT_EQ(rc.left, 425);
  EXPECT_EQ(rc.top, 219);
  GetClientRect(dialog, &rc);
  EXPECT_EQ(rc.right, 367);
  EXPECT_EQ(rc.bottom, 303);
  EXPECT_EQ(WideTextOf(dialog), L"Browse");
  const LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  LOGFONTW font{};
  GetObjectW(form2->FontHandle(), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -16);
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);

  // 16 with the designed face, whose cells have no internal leading; a stand-in face (IPAGothic
  // under Wine) has taller cells, and the items follow the font.
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, form2->FontHandle());
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(SendMessageA(Folders().Handle(), LB_GETITEMHEIGHT, 0, 0),
            tm.tmHeight > 16 ? tm.tmHeight : 16);
  EXPECT_TRUE(GetWindowLongPtrA(form2->HandleOf("Button1"), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_FALSE(GetWindowLongPtrA(form2->HandleOf("Button2"), GWL_STYLE) & BS_DEFPUSHBUTTON);

  // Tab order, round the dialog and back to the start.
  const HWND order[] = {Drives().Handle(), Folders().Handle(), form2->HandleOf("Button1"),
                        form2->HandleOf("Button2"), Drives().Handle()};
  HWND at = GetNextDlgTabItem(dialog, nullptr, FALSE);
  for (size_t i = 0; i < sizeof order / sizeof order[0]; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(at, order[i]);
    at = GetNextDlgTabItem(dialog, at, FALSE);
  }
}

TEST_F(BrowseTest, OkHandsBackTheShownFolderAndThePaneLoadsIt) {
  Start();
  const struct {
    const char* name;
    bool left;
    std::function<std::vector<Step>(BrowseTest&)> steps;
    const char* folderPath;
    int32_t fileCount;
  } cases[] = {
      {"the start folder", true,
       [](BrowseTest& t) { return std::vector<Step>{t.Press("Button1")}; }, "C:\\DATA\\", 2},
      {"a root keeps its one backslash", false,
       [](BrowseTest& t) {
         return std::vector<Step>{t.ClickFolder("C:\\", true), t.Press("Button1")};
       },
       "C:\\", 1},
      {"a subfolder entered by double-click", true,
       [](BrowseTest& t) {
         return std::vector<Step>{t.ClickFolder("SUB", true), t.Press("Button1")};
       },
       "C:\\DATA\\SUB\\", 1},
      {"a single-clicked subfolder is not entered", false,
       [](BrowseTest& t) {
         return std::vector<Step>{t.ClickFolder("SUB", false), t.Press("Button1")};
       },
       "C:\\DATA\\", 2},
      {"Enter in the folder list presses OK", true,
       [](BrowseTest& t) {
         return std::vector<Step>{t.ClickFolder("ZED", false),
                                  Key([&t] { return t.Folders().Handle(); }, VK_RETURN)};
       },
       "C:\\DATA\\", 2},
      {"Enter in the drive list presses OK", false,
       [](BrowseTest& t) {
         return std::vector<Step>{Key([&t] { return t.Drives().Handle(); }, VK_RETURN)};
       },
       "C:\\DATA\\", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Folders().SetCurrentFolder("C:\\DATA");
    std::vector<Step> steps = c.steps(*this);
    // The main window takes no input while the dialog runs.
    steps.insert(steps.begin(), [this] { EXPECT_FALSE(IsWindowEnabled(form1->Handle())); });
    Browse(c.left, std::move(steps));
    EXPECT_TRUE(form2->Selected);
    EXPECT_EQ(form2->FolderPath, c.folderPath);
    const PaneState pane = Read(c.left);
    EXPECT_EQ(pane.path, c.folderPath);
    EXPECT_EQ(pane.fileCount, c.fileCount);
    EXPECT_EQ(pane.rows.size(), static_cast<size_t>(c.fileCount) + 1);
    EXPECT_EQ(pane.marks.size(), static_cast<size_t>(c.fileCount));
  }
}

TEST_F(BrowseTest, CancelEscAndCloseBoxLeaveThePaneAsItWas) {
  Start();
  // Both panes loaded and compared, so that marks are set too.
  form1->LoadLeftPane("C:\\DATA\\");
  form1->LoadRightPane("D:\\");
  SendMessageA(form1->Handle(), WM_COMMAND, GetMenuItemID(GetMenu(form1->Handle()), 1), 0);
  ASSERT_NE(form1->Marks1.Bytes(), std::vector<uint8_t>(2, 0));

  auto drives = [this] { return Drives().Handle(); };
  auto folders = [this] { return Folders().Handle(); };
  auto ok = [this] { return form2->HandleOf("Button1"); };
  auto closeBox = [](BrowseTest& t) {
    return Step([&t] { PostMessageA(t.form2->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
  };
  const struct {
    const char* name;
    std::function<Step(BrowseTest&)> close;
    bool afterOk = false;  // the dialog's previous showing ended with OK
    bool quits = false;    // the quit goes on to the program's own loop
  } cases[] = {
      {"Cancel", [](BrowseTest& t) { return t.Press("Button2"); }},
      {"Esc in the drive list", [&](BrowseTest&) { return Key(drives, VK_ESCAPE); }},
      {"Esc in the folder list", [&](BrowseTest&) { return Key(folders, VK_ESCAPE); }},
      {"Esc on OK", [&](BrowseTest&) { return Key(ok, VK_ESCAPE); }},
      {"close box", closeBox},
      {"close box after an OK", closeBox, true},
      // "End task", or a close message to the main window
      {"the program told to quit", [](BrowseTest&) { return Step([] { PostQuitMessage(0); }); },
       false, true},
  };
  for (const bool left : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (left ? " left" : " right"));
      if (c.afterOk) Browse(left, {Press("Button1")});
      const PaneState before = Read(left);
      const PaneState other = Read(!left);
      Folders().SetCurrentFolder("C:\\DATA");
      Browse(left, {ClickFolder("SUB", true), c.close(*this)});
      EXPECT_EQ(gui::DropQuit(), c.quits);
      EXPECT_FALSE(form2->Selected);
      EXPECT_EQ(form2->FolderPath, "");
      EXPECT_TRUE(Read(left) == before);
      EXPECT_TRUE(Read(!left) == other);
      EXPECT_EQ(Folders().CurrentFolder(), "C:\\DATA\\SUB");
    }
  }
}

TEST_F(BrowseTest, SecondOpeningStartsOnTheFolderOfTheFirst) {
  Start();
  const struct {
    const char* name;
    std::function<std::vector<Step>(BrowseTest&)> first;
    const char* expected;
    const char* folderPath;
  } cases[] = {
      {"chosen with OK",
       [](BrowseTest& t) {
         return std::vector<Step>{t.ClickFolder("SUB", true), t.Press("Button1")};
       },
       "C:\\DATA\\SUB", "C:\\DATA\\SUB\\"},
      {"shown, then cancelled",
       [](BrowseTest& t) {
         return std::vector<Step>{t.ClickFolder("DEEP", true), t.Press("Button2")};
       },
       "C:\\DATA\\SUB\\DEEP", "C:\\DATA\\SUB\\DEEP\\"},
      {"another drive",
       [](BrowseTest& t) {
         return std::vector<Step>{t.PickDrive('d'), t.Press("Button2")};
       },
       "D:\\", "D:\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Browse(true, c.first(*this));
    std::string seen;
    char drive = 0;
    Browse(false, {[&] {
                     seen = Folders().CurrentFolder();
                     drive = Drives().CurrentDrive();
                   },
                   Press("Button1")});
    EXPECT_EQ(seen, c.expected);
    EXPECT_EQ(drive | 0x20, c.expected[0] | 0x20);
    EXPECT_EQ(form2->FolderPath, c.folderPath);
  }
}

TEST_F(BrowseTest, FirstShowingBuildsTheListsFromTheMachineAsItIsThen) {
  Start();
  // Made after the dialog was created: the first showing lists it.
  machine.AddFolder("C:\\DATA\\NEW");
  std::function<void()> handler = Drives().OnChange;
  int runs = 0;
  Drives().OnChange = [&] {
    ++runs;
    handler();
  };
  std::vector<std::string> items;
  Browse(true, {[&] {
                  for (const auto& item : Folders().State().Items()) items.push_back(item.text);
                },
                Press("Button2")});
  EXPECT_EQ(items, (std::vector<std::string>{"C:\\", "DATA", "NEW", "SUB", "ZED"}));
  EXPECT_EQ(SendMessageA(Folders().Handle(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(Drives().Handle(), CB_GETCURSEL, 0, 0), DriveIndex('c'));
  // The drive applied once, through the dialog's change handler.
  EXPECT_EQ(runs, 1);
  // Later showings keep the windows and what they hold.
  machine.AddFolder("C:\\DATA\\NEWER");
  const HWND list = Folders().Handle();
  Browse(true, {Press("Button2")});
  EXPECT_EQ(Folders().Handle(), list);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(runs, 1);
}

// Another program's window beside ZOLT: a top-level window of another thread, counting the
// times it is activated.
class OtherWindow {
 public:
  OtherWindow() {
    std::promise<void> ready;
    thread_ = std::thread([&] {
      threadId_ = GetCurrentThreadId();
      const WNDCLASSA wc{0,       &Procedure, 0,       0,       GetModuleHandleA(nullptr),
                         nullptr, nullptr,    nullptr, nullptr, "ZoltTestOther"};
      RegisterClassA(&wc);
      HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 300, 200, nullptr, nullptr, nullptr, nullptr);
      ready.set_value();
      for (MSG msg; GetMessageA(&msg, nullptr, 0, 0) > 0;) DispatchMessageA(&msg);
      DestroyWindow(hwnd);
    });
    ready.get_future().wait();
  }
  ~OtherWindow() {
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  static inline std::atomic<int> activations{0};

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) ++activations;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  std::thread thread_;
  DWORD threadId_ = 0;
};

TEST_F(BrowseTest, ClosingTheDialogGivesActivationAndFocusBackToTheButtonThatOpenedIt) {
  Start();
  OtherWindow other;
  auto folders = [this] { return Folders().Handle(); };
  const struct {
    const char* name;
    std::function<Step(BrowseTest&)> close;
  } cases[] = {
      {"Esc", [&](BrowseTest&) { return Key(folders, VK_ESCAPE); }},
      {"OK", [](BrowseTest& t) { return t.Press("Button1"); }},
      {"close box",
       [](BrowseTest& t) {
         return Step([&t] { PostMessageA(t.form2->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
       }},
  };
  for (const bool left : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (left ? " left" : " right"));
      SetForegroundWindow(form1->Handle());
      const int activations = OtherWindow::activations;
      // Where the window system moves activation off a hiding active window, only an owner
      // enabled by then can take it.
      std::vector<bool> ownerEnabledAtHide;
      gui::SentMessageWatch hides([&](const CWPSTRUCT& m) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.lParam);
        if (m.hwnd == form2->Handle() && m.message == WM_WINDOWPOSCHANGING &&
            (pos->flags & SWP_HIDEWINDOW)) {
          ownerEnabledAtHide.push_back(IsWindowEnabled(form1->Handle()) != FALSE);
        }
      });
      Browse(left, {c.close(*this)});
      EXPECT_EQ(ownerEnabledAtHide, std::vector<bool>{true});
      EXPECT_EQ(GetForegroundWindow(), form1->Handle());
      EXPECT_EQ(OtherWindow::activations, activations) << "the other window came to the front";
      EXPECT_EQ(GetFocus(), form1->HandleOf(left ? "Button1" : "Button2"));
    }
  }
}

TEST_F(BrowseTest, AnOwnerDisabledBeforeTheShowingStaysDisabledAfterIt) {
  Start();
  EnableWindow(form1->Handle(), FALSE);
  gui::ModalDriver driver({Press("Button2")}, form2->Handle());
  form2->ShowModal();
  EXPECT_FALSE(IsWindowEnabled(form1->Handle()));
}

// A form's window goes while the form is whole: its handlers, bound to its own members, cannot
// be reached once those are gone.
TEST_F(BrowseTest, EachFormsWindowIsDestroyedBeforeItsOwnMembers) {
  Start();
  const ui::Form* const forms[] = {form2.get(), form1.get()};
  std::vector<std::string> destroyedAs;
  gui::SentMessageWatch watch([&](const CWPSTRUCT& m) {
    for (const ui::Form* form : forms) {
      if (m.message == WM_DESTROY && m.hwnd == form->Handle()) {
        destroyedAs.push_back(typeid(*form).name());
      }
    }
  });
  form2.reset();
  form1.reset();
  EXPECT_EQ(destroyedAs, (std::vector<std::string>{typeid(TForm2).name(), typeid(TForm1).name()}));
}

TEST_F(BrowseTest, OkIsTheDefaultButtonWheneverNoOtherPushButtonHasTheFocus) {
  Start();
  HWND ok = form2->HandleOf("Button1");
  HWND cancel = form2->HandleOf("Button2");
  auto isDefault = [](HWND button) {
    return (GetWindowLongPtrA(button, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
  };
  std::vector<std::string> seen;
  auto record = [&](const char* when) {
    return Step([&, when] {
      seen.push_back(std::string(when) + (isDefault(ok) ? " ok" : "") +
                     (isDefault(cancel) ? " cancel" : ""));
    });
  };
  // Tab from OK onto Cancel, then Esc.
  Browse(true, {record("shown"), Key([ok] { return ok; }, VK_TAB), record("on cancel"),
                Key([cancel] { return cancel; }, VK_ESCAPE)});
  EXPECT_FALSE(form2->Selected);
  // The next showing starts with OK; Tab round to the drive list gives it back to OK; Enter in
  // the folder list presses it.
  Browse(true, {record("shown again"), Key([ok] { return ok; }, VK_TAB),
                Key([cancel] { return cancel; }, VK_TAB), record("on the drive list"),
                Key([this] { return Folders().Handle(); }, VK_RETURN)});
  EXPECT_TRUE(form2->Selected);
  EXPECT_EQ(seen, (std::vector<std::string>{"shown ok", "on cancel cancel", "shown again ok",
                                            "on the drive list ok"}));
}

// What the folder list and the platform showed after each run of the drive change handler.
struct HandlerRun {
  std::string folder;
  size_t entered;  // folders entered so far
  char drive;
};

TEST_F(BrowseTest, PickingADriveRunsTheHandlerTwiceTheSecondChangingNothing) {
  Start();
  Browse(true, {Press("Button2")});  // the first showing applies the drive once
  std::vector<HandlerRun> runs;
  std::function<void()> handler = Drives().OnChange;
  Drives().OnChange = [&] {
    handler();
    runs.push_back(
        {Folders().CurrentFolder(), machine.enteredPaths.size(), Drives().CurrentDrive()});
  };
  const struct {
    char letter;
    const char* folder;
  } cases[] = {{'d', "D:\\"}, {'c', "C:\\DATA"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.letter);
    runs.clear();
    Browse(true, {PickDrive(c.letter), Press("Button2")});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].folder, c.folder);
    EXPECT_EQ(runs[1].folder, runs[0].folder);
    EXPECT_EQ(runs[1].entered, runs[0].entered);
    EXPECT_EQ(runs[1].drive | 0x20, c.letter);
    EXPECT_EQ(SendMessageA(Drives().Handle(), CB_GETCURSEL, 0, 0), DriveIndex(c.letter));
  }
}

TEST_F(BrowseTest, DriveWithoutMediumLeavesBothListsOnThePreviousDrive) {
  Start();
  const struct {
    const char* name;
    const char* start;
  } cases[] = {{"from a folder of C:", "C:\\DATA\\SUB"}, {"from D:", "D:\\"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Browse(true, {[&] {
                    Drives().SetCurrentDrive(c.start[0]);
                    Folders().SetCurrentFolder(c.start);
                  },
                  PickDrive('e'), Press("Button1")});
    EXPECT_EQ(Drives().CurrentDrive() | 0x20, c.start[0] | 0x20);
    EXPECT_EQ(SendMessageA(Drives().Handle(), CB_GETCURSEL, 0, 0),
              DriveIndex(static_cast<char>(c.start[0] | 0x20)));
    EXPECT_EQ(Folders().CurrentFolder(), c.start);
    EXPECT_TRUE(form2->Selected);
    EXPECT_EQ(form2->FolderPath[0], c.start[0]);
  }
}

TEST_F(BrowseTest, NetworkFolderStartComesToRestInTheNetworkFolder) {
  machine.AddShare("\\\\server\\share");
  machine.AddFolder("\\\\server\\share\\dir");
  machine.AddFile("\\\\server\\share\\dir\\n.txt", 5, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
  machine.SetCurrent("\\\\server\\share\\dir");
  Start();
  int runs = 0;
  std::function<void()> handler = Drives().OnChange;
  Drives().OnChange = [&] {
    ++runs;
    handler();
  };
  // The first showing applies the drive list's own value, "no drive".
  Browse(true, {Press("Button1")});
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(form2->FolderPath, "\\\\server\\share\\dir\\");
  EXPECT_EQ(Read(true).fileCount, 1);
}

TEST_F(BrowseTest, LongWorkShowsTheWaitCursorAndTheArrowAfterIt) {
  const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW), wait = LoadCursor(nullptr, IDC_WAIT);
  // The pointer whenever the work asks the machine for anything (the comparison: repaints).
  enum { kNothing, kServices, kPaints } watching = kNothing;
  std::vector<HCURSOR> during;
  machine.beforeCall = [&](fake::Service) {
    if (watching == kServices) during.push_back(GetCursor());
  };
  gui::SentMessageWatch paints([&](const CWPSTRUCT& m) {
    if (watching == kPaints && m.message == WM_PAINT && m.hwnd == form1->HandleOf("StringGrid1")) {
      during.push_back(GetCursor());
    }
  });
  Start();
  const struct {
    const char* work;
    std::function<void(BrowseTest&)> run;
    bool paints = false;  // watched by the grid's repaints
    bool fails = false;   // the work ends in the error box
  } cases[] = {
      {"the dialog's first showing builds both lists",
       [](BrowseTest& t) { t.Browse(true, {t.Press("Button2")}); }},
      {"entering a folder, then picking a drive",
       [](BrowseTest& t) {
         t.Browse(true, {t.ClickFolder("SUB", true), t.PickDrive('d'), t.Press("Button2")});
       }},
      {"loading a pane", [](BrowseTest& t) { t.Browse(false, {t.Press("Button1")}); }},
      {"comparing",
       [](BrowseTest& t) {
         t.form1->LoadLeftPane("C:\\DATA\\");
         gui::ChooseMenuItem(t.form1->Handle(), 1);
       },
       true},
      {"a load that fails",
       [](BrowseTest& t) {
         t.machine.Fail(fake::Service::kFileTimeToLocal, 0, 1);
         t.Browse(true, {t.Press("Button1")});
       },
       false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.work);
    SetCursor(arrow);
    during.clear();
    gui::ErrorBoxes boxes;
    watching = c.paints ? kPaints : kServices;
    c.run(*this);
    watching = kNothing;
    EXPECT_EQ(during, std::vector<HCURSOR>(during.empty() ? 1 : during.size(), wait));
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(boxes.boxes.size(), c.fails ? 1u : 0u);
    for (const auto& box : boxes.boxes) EXPECT_EQ(box.cursor, arrow);
  }
}

}  // namespace
