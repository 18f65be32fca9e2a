// The browse dialog driven the way a user drives it, shared by the window tests of the dialog:
// a driver runs the steps inside the dialog's modal loop, and a pane's state is read back whole.
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
    gui::Pump();
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
    ModalDriver driver(std::move(steps), form2->Handle());
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
      HWND list = Folders().Handle();
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
      HWND combo = Drives().Handle();
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
