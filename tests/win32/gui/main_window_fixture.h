// The main window over a fake machine, created and shown, with each pane's grid and marks at
// hand (pane 1 is the left one, pane 2 the right one); and the input, rectangle and scroll bar
// helpers that the window tests share.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_support.h"
#include "support/fake_os.h"
#include "win32/Unit1.h"

namespace gui {

inline POINT Centre(const RECT& r) {
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A mouse message's point; x may be negative (left of the window).
inline LPARAM At(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(y));
}

// A rectangle as text, "{left,top,right,bottom}": rectangles are compared and shown as this.
inline std::string RectText(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + "}";
}

// Everything a window's scroll bar (SB_HORZ, SB_VERT) holds.
inline SCROLLINFO ReadScrollBar(HWND hwnd, int bar) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(hwnd, bar, &si);
  return si;
}

// A WM_VSCROLL as the vertical scroll bar sends it. While its thumb is dragged (pos >= 0) the bar
// holds the whole position; the message has 16 bits of it.
inline void VScroll(HWND hwnd, int code, int pos = -1) {
  if (pos >= 0) {
    SCROLLINFO track{sizeof track, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, SB_VERT, &track, FALSE);
  }
  SendMessageA(hwnd, WM_VSCROLL, MAKEWPARAM(code, pos & 0xFFFF), 0);
}

// One pane's visible state, read back from its windows and fields.
struct PaneState {
  std::string path, status;
  std::vector<std::vector<std::string>> rows;  // every row of the grid, titles included
  int32_t fileCount;
  std::vector<uint8_t> marks;
  bool operator==(const PaneState& o) const {
    return path == o.path && status == o.status && rows == o.rows && fileCount == o.fileCount &&
           marks == o.marks;
  }
};

inline PaneState ReadPane(TForm1& form, bool left) {
  const ui::StringGrid& grid = form.Get<ui::StringGrid>(left ? "StringGrid1" : "StringGrid2");
  PaneState s;
  s.path = ui::TextOf(form.HandleOf(left ? "Edit1" : "Edit2"));
  s.status = ui::TextOf(form.HandleOf(left ? "Panel4" : "Panel6"));
  for (int r = 0; r < grid.RowCount(); ++r) {
    s.rows.push_back(
        {std::string(grid.Cell(0, r)), std::string(grid.Cell(1, r)), std::string(grid.Cell(2, r))});
  }
  s.fileCount = left ? form.FileCount1 : form.FileCount2;
  s.marks = (left ? form.Marks1 : form.Marks2).Bytes();
  return s;
}

// C:\L and C:\R, whose files differ in every way a mark can tell; the mark each file gets on
// each side where it is.
inline std::map<std::string, uint8_t> AddFoldersThatDiffer(fake::Machine& machine) {
  const os::FileTime t = fake::MakeFileTime(2004, 3, 15, 9, 5, 6);
  const os::FileTime sameStep = fake::MakeFileTime(2004, 3, 15, 9, 5, 7);
  const os::FileTime later = fake::MakeFileTime(2004, 3, 15, 9, 5, 8);
  const struct {
    const char* name;
    bool left, right;
    uint64_t leftSize, rightSize;
    os::FileTime leftTime, rightTime;
    uint8_t mark;
  } files[] = {
      {"equal.txt", true, true, 10, 10, t, t, 0},
      {"step.txt", true, true, 10, 10, t, sameStep, 0},
      {"size.txt", true, true, 10, 11, t, t, 2},
      {"time.txt", true, true, 10, 10, t, later, 4},
      {"both.txt", true, true, 10, 12345, t, later, 6},
      {"left-only.txt", true, false, 1, 0, t, 0, 255},
      {"right-only.txt", false, true, 0, 1, 0, t, 255},
      {"CASE.TXT", true, false, 3, 0, t, 0, 255},
      {"case.txt", false, true, 0, 3, 0, t, 255},
  };
  std::map<std::string, uint8_t> marks;
  for (const auto& f : files) {
    if (f.left) machine.AddFile(std::string("C:\\L\\") + f.name, f.leftSize, f.leftTime);
    if (f.right) machine.AddFile(std::string("C:\\R\\") + f.name, f.rightSize, f.rightTime);
    marks[f.name] = f.mark;
  }
  return marks;
}

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    DropQuit();
    form = std::make_unique<TForm1>(App(), machine);
    form->Create();
    form->Show();
    Pump();
  }
  void TearDown() override {
    form.reset();
    DropQuit();
  }

  ui::StringGrid& Grid(int pane) {
    return form->Get<ui::StringGrid>(pane == 1 ? "StringGrid1" : "StringGrid2");
  }
  const zolt::MarkArray& Marks(int pane) { return pane == 1 ? form->Marks1 : form->Marks2; }
  // "Compare(&C)" chosen on the menu bar.
  void Compare() { ChooseMenuItem(form->Handle(), 1); }
  // The first data row holding name; 1, and a failure, when there is none.
  int RowNamed(int pane, const std::string& name) {
    for (int r = 1; r < Grid(pane).RowCount(); ++r) {
      if (Grid(pane).Cell(0, r) == name) return r;
    }
    ADD_FAILURE() << "no row named " << name.substr(0, 40);
    return 1;
  }
  // A double-click at p in the pane's grid.
  void DoubleClick(int pane, POINT p) {
    SendMessageA(Grid(pane).Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(p.x, p.y));
  }

  fake::Machine machine;
  std::unique_ptr<TForm1> form;
};

}  // namespace gui
