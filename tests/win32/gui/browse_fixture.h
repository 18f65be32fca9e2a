// The browse dialog driven the way a user drives it, shared by the window tests of the dialog:
// a timer runs the steps inside the dialog's modal loop, and a pane's state is read back whole.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/main_window_fixture.h"
#include "support/fake_os.h"
#include "win32/Unit1.h"
#include "win32/Unit2.h"
#include "win32/ui/controls.h"
#include "win32/ui/window.h"

namespace gui {

using Step = std::function<void()>;

// Runs the steps one per timer tick while the dialog's modal loop runs (each tick comes only
// once the loop has handled what the previous step posted). A step that shows an error box waits
// in the box's own loop, where this timer still fires: no further step runs until it returns.
// A dialog still open some ticks after the last step is closed and reported, so a fault cannot
// hang the suite.
class ModalDriver {
 public:
  ModalDriver(HWND dialog, std::vector<Step> steps) : dialog_(dialog), steps_(std::move(steps)) {
    Active() = this;
    timer_ = SetTimer(nullptr, 0, 10, &ModalDriver::Tick);
  }
  ~ModalDriver() {
    KillTimer(nullptr, timer_);
    Active() = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  bool Finished() const { return next_ == steps_.size(); }
  bool ForcedClose() const { return forced_; }

 private:
  static ModalDriver*& Active() {
    static ModalDriver* active = nullptr;
    return active;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ui::Guarded([] {
      ModalDriver* d = Active();
      if (!d || d->busy_ || !IsWindowVisible(d->dialog_)) return;
      if (d->next_ < d->steps_.size()) {
        d->busy_ = true;
        struct Done {
          bool& busy;
          ~Done() { busy = false; }
        } done{d->busy_};
        d->steps_[d->next_++]();
      } else if (++d->idleTicks_ > 30 && !d->forced_) {
        d->forced_ = true;
        PostMessageA(d->dialog_, WM_CLOSE, 0, 0);
      }
    });
  }

  HWND dialog_;
  std::vector<Step> steps_;
  size_t next_ = 0;
  int idleTicks_ = 0;
  bool forced_ = false;
  bool busy_ = false;
  UINT_PTR timer_;
};

// Two forms over a fake machine: C:\DATA (SUB with DEEP, ZED, a.txt, b.txt), C:\root.txt, a
// fixed drive D: labelled WORK and a CD-ROM drive E: without a disc; the process starts in C:\DATA.
class BrowseTest : public testing::Test {
 public:  // the case tables' lambdas build their steps with the helpers
  void SetUp() override {
    DropQuit();
    machine.AddFolder("C:\\DATA");
    machine.AddFolder("C:\\DATA\\SUB");
    machine.AddFolder("C:\\DATA\\SUB\\DEEP");
    machine.AddFolder("C:\\DATA\\ZED");
    const os::FileTime t = fake::MakeFileTime(2004, 3, 15, 9, 5, 6);
    machine.AddFile("C:\\DATA\\a.txt", 10, t);
    machine.AddFile("C:\\DATA\\b.txt", 20, t);
    machine.AddFile("C:\\DATA\\SUB\\c.txt", 30, t);
    machine.AddFile("C:\\root.txt", 40, t);
    machine.AddDrive('d', os::kDriveFixed, "WORK");
    machine.AddFile("D:\\a.txt", 11, t);
    machine.AddDrive('e', os::kDriveCdRom).hasMedium = false;
    machine.SetCurrent("C:\\DATA");
  }
  void Start() {
    form1 = std::make_unique<TForm1>(gui::App(), machine);
    form1->Create();
    form2 = std::make_unique<TForm2>(gui::App(), machine);
    form2->Create(form1->Handle());
    form1->SetBrowseDialog(*form2);
    form1->Show();
    gui::Pump(20);
  }
  void TearDown() override {
    form2.reset();
    form1.reset();
    DropQuit();
  }

  folderctl::TDriveComboBox& Drives() {
    return form2->Get<folderctl::TDriveComboBox>("DriveComboBox1");
  }
  folderctl::TDirectoryListBox& Folders() {
    return form2->Get<folderctl::TDirectoryListBox>("DirectoryListBox1");
  }

  // Presses a pane's "B" button and drives the dialog with the steps while it is shown.
  void Browse(bool left, std::vector<Step> steps) {
    ModalDriver driver(form2->Handle(), std::move(steps));
    SendMessageA(form1->HandleOf(left ? "Button1" : "Button2"), BM_CLICK, 0, 0);
    EXPECT_TRUE(driver.Finished());
    EXPECT_FALSE(driver.ForcedClose()) << "the steps did not close the dialog";
    EXPECT_FALSE(IsWindowVisible(form2->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form1->Handle()));
    EXPECT_EQ(GetActiveWindow(), form1->Handle());
  }

  int ItemIndex(const std::string& text) {
    const auto& items = Folders().State().Items();
    for (size_t i = 0; i < items.size(); ++i) {
      if (items[i].text == text) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no folder item " << text;
    return -1;
  }
  int DriveIndex(char letter) {
    const auto& entries = Drives().State().Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].text[0] == letter) return static_cast<int>(i);
    }
    ADD_FAILURE() << "no drive " << letter;
    return -1;
  }

  // What a user's mouse does on a folder item: a click, or a double click.
  Step ClickFolder(const std::string& text, bool twice) {
    return [this, text, twice] {
      HWND list = Folders().Control();
      RECT rc;
      SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(ItemIndex(text)),
                   reinterpret_cast<LPARAM>(&rc));
      const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
      SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageA(list, WM_LBUTTONUP, 0, at);
      if (twice) {
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
      }
    };
  }
  // The user picks a drive from the dropped-down list.
  Step PickDrive(char letter) {
    return [this, letter] {
      HWND combo = Drives().Control();
      SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(DriveIndex(letter)), 0);
      SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    };
  }
  Step Press(const char* button) {
    return [this, button] { SendMessageA(form2->HandleOf(button), BM_CLICK, 0, 0); };
  }
  // A key pressed while `focus` has the focus; it goes through the dialog's loop.
  static Step Key(std::function<HWND()> focus, WPARAM key) {
    return [focus, key] {
      HWND target = focus();
      SetFocus(target);
      PostMessageA(target, WM_KEYDOWN, key, 1);
      PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    };
  }

  PaneState Read(bool left) { return ReadPane(*form1, left); }

  fake::Machine machine;
  std::unique_ptr<TForm1> form1;
  std::unique_ptr<TForm2> form2;
};

}  // namespace gui
