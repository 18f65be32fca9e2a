// Each key state of each window, as the screen shows it after a real paint cycle, compared whole
// with its reviewed reference image (scripts/update-references writes them again).
#include "gui/reference_images.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/browse_fixture.h"

namespace {

using gui::At;
using gui::Step;

// The browse dialog's machine with ten drives of every kind, and two folders to compare whose
// files differ in every way a mark can tell, one name too long for its column; a folder and a
// drive label with "&", which show as they are.
class ReferenceImages : public gui::BrowseTest {
 public:
  void SetUp() override {
    BrowseTest::SetUp();
    gui::AddFoldersThatDiffer(machine);
    machine.AddFile("C:\\L\\a-name-far-too-long-for-its-column.txt", 7,
                    fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
    machine.AddDrive('a', os::kDriveRemovable);
    machine.AddDrive('f', os::kDriveRamDisk, "RAM");
    machine.AddDrive('g', os::kDriveFixed);
    machine.AddDrive('m', os::kDriveRemote).remote = "\\\\SERVER\\Public";
    machine.AddDrive('q', os::kDriveCdRom, "CD&DVD");
    machine.AddDrive('x', os::kDriveFixed, "Backup");
    machine.AddFolder("C:\\DATA\\R&D");
    machine.AddDrive('z', os::kDriveRemote, "SHARE");
    // The pointer away from every window: nothing hovers.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Start();
  }

  void LoadBoth() {
    form1->LoadLeftPane("C:\\L\\");
    form1->LoadRightPane("C:\\R\\");
  }
  void Compare() { gui::ChooseMenuItem(form1->Handle(), 1); }
  // A mouse message to one of the main window's controls.
  void Mouse(const char* control, UINT message, int x, int y) {
    SendMessageA(form1->HandleOf(control), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 At(x, y));
  }
  // A click (or a double-click) on the left grid's row of that name.
  void ClickRow(const std::string& name, bool twice) {
    ui::StringGrid& grid = form1->Get<ui::StringGrid>("StringGrid1");
    int row = grid.RowCount() - 1;
    while (row > 1 && grid.Cell(0, row) != name) --row;
    const POINT p = gui::Centre(grid.CellRect(0, row));
    std::vector<UINT> messages = {WM_LBUTTONDOWN, WM_LBUTTONUP};
    if (twice) messages.insert(messages.end(), {WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    for (const UINT m : messages) Mouse("StringGrid1", m, p.x, p.y);
  }
  // The window with what it owns, once everything pending is painted.
  void Shoot(HWND window) {
    gui::Pump();
    scene = gui::Scene(window);
    shot = true;
  }
  Step ShootDialog() {
    return [this] { Shoot(form2->Handle()); };
  }

  gui::Pixels scene{nullptr, 0, 0};
  bool shot = false;
};

TEST_F(ReferenceImages, EachWindowInEachKeyStateLooksAsReviewed) {
  const struct {
    std::function<void(ReferenceImages&)> steps;  // the main window is shot unless they shoot
    const char* reference;
  } scenarios[] = {
      {[](ReferenceImages&) {}, "main-start"},
      {[](ReferenceImages& t) { t.LoadBoth(); }, "main-loaded"},
      {[](ReferenceImages& t) {
         t.LoadBoth();
         t.ClickRow("both.txt", false);
         t.Compare();
       },
       "main-compared"},
      {[](ReferenceImages& t) {
         t.LoadBoth();
         t.Compare();
         t.ClickRow("time.txt", true);
       },
       "main-matched"},
      {[](ReferenceImages& t) {
         t.LoadBoth();
         gui::Pump();
         t.Mouse("Splitter1", WM_LBUTTONDOWN, 2, 100);
         t.Mouse("Splitter1", WM_MOUSEMOVE, -100, 100);
         t.Mouse("Splitter1", WM_MOUSEMOVE, 60, 100);
         t.Shoot(t.form1->Handle());
         t.Mouse("Splitter1", WM_LBUTTONUP, 60, 100);
       },
       "main-splitter-drag"},
      {[](ReferenceImages& t) {
         t.LoadBoth();
         gui::Pump();
         t.Mouse("StringGrid1", WM_MOUSEMOVE, 106, 10);
         t.Mouse("StringGrid1", WM_LBUTTONDOWN, 106, 10);
         t.Mouse("StringGrid1", WM_MOUSEMOVE, 120, 10);
         t.Mouse("StringGrid1", WM_LBUTTONUP, 120, 10);
       },
       "main-column-resized"},
      {[](ReferenceImages& t) {
         t.Browse(true, {t.ShootDialog(), t.Press("Button2")});
       },
       "browse-start"},
      {[](ReferenceImages& t) {
         t.Browse(true, {t.ClickFolder("SUB", false), t.ShootDialog(), t.Press("Button2")});
       },
       "browse-selected"},
      {[](ReferenceImages& t) {
         t.Browse(true, {t.ClickFolder("SUB", true), t.ShootDialog(), t.Press("Button2")});
       },
       "browse-entered"},
      {[](ReferenceImages& t) {
         auto drives = [&t] { return t.Drives().Handle(); };
         t.Browse(true,
                  {Key(drives, VK_F4), t.ShootDialog(), Key(drives, VK_F4), t.Press("Button2")});
       },
       "browse-drives-dropped"},
      {[](ReferenceImages& t) {
         // The third file of the chosen folder cannot be dated: the real error box.
         t.machine.AddFile("C:\\DATA\\c.txt", 1, fake::MakeFileTime(2004, 3, 15, 9, 5, 6));
         t.machine.Fail(fake::Service::kFileTimeToLocal, 0, -1, 2);
         ui::Window::SetErrorHook([](const std::string& m) { gui::App().ShowError(m); });
         gui::ModalDriver driver({t.Press("Button1"), [&t] {
                                    HWND box = GetActiveWindow();
                                    // The failing window owns the box and takes no input.
                                    EXPECT_EQ(GetWindow(box, GW_OWNER), t.form1->Handle());
                                    EXPECT_FALSE(IsWindowEnabled(t.form1->Handle()));
                                    t.Shoot(t.form1->Handle());
                                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                                  }});
         SendMessageA(t.form1->HandleOf("Button1"), BM_CLICK, 0, 0);
         ui::Window::SetErrorHook(&gui::ErrorBoxes::Record);
         EXPECT_TRUE(driver.Finished());
       },
       "error-box"},
  };
  for (const auto& s : scenarios) {
    SCOPED_TRACE(s.reference);
    if (form1) {
      TearDown();
      SetUp();
    }
    shot = false;
    s.steps(*this);
    if (!shot) Shoot(form1->Handle());
    gui::ExpectLooksLike(scene, s.reference);
  }
}

}  // namespace
