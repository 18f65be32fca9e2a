// The main window: two panes, each a folder's files in a grid under its path box and above its
// status bar, a splitter between them and the menu bar "Exit(&X)" / "Compare(&C)".
#pragma once

#include <cstdint>
#include <string>

#include "core/date_time_format.h"
#include "core/mark_array.h"
#include "core/os.h"
#include "win32/ui/controls.h"
#include "win32/ui/form.h"
#include "win32/ui/string_grid.h"

class TForm2;

class TForm1 : public ui::Form {
 public:
  // Every Windows service the window's own code uses goes through os (tests inject a fake one).
  explicit TForm1(os::Os& os);

  // Creates the window and its controls from the form description TFORM1.
  void Create();

  // What loading touches of one pane; the two panes differ only in these.
  struct Pane {
    HWND pathBox;
    ui::StringGrid& grid;
    ui::Panel& statusBar;
    int32_t& fileCount;
    zolt::MarkArray& marks;
  };
  Pane LeftPane();
  Pane RightPane();

  // Loads a pane from a folder path (ending in "\"): the path box shows it, the grid lists the
  // folder's files, then the file count, an all-clear mark array and the status bar follow. A
  // failure leaves the path box showing the new folder, the grid's rows written so far under its
  // old row count, and the count, marks and status bar as they were.
  void LoadPane(const Pane& pane, const std::string& folderPath);
  // The second halves of Button1Click / Button2Click, once the dialog has given a path.
  void LoadLeftPane(const std::string& folderPath) { LoadPane(LeftPane(), folderPath); }
  void LoadRightPane(const std::string& folderPath) { LoadPane(RightPane(), folderPath); }

  // The browse dialog the "B" buttons show (created after this window, so given afterwards).
  void SetBrowseDialog(TForm2& dialog) { form2_ = &dialog; }

  // The date and time separators listings are written with.
  const compare::DateTimeFormat& Format() const { return format_; }

  // The window's state, public so that the window tests read it back.
  zolt::MarkArray Marks1;
  zolt::MarkArray Marks2;
  int32_t FileCount1 = 0;
  int32_t FileCount2 = 0;

 protected:
  void SettingsChanged() override;

 private:
  void FormShow();
  void FormClose(ui::CloseAction& action);
  void MnuExitClick();
  void MnuCompareClick();
  void StringGrid1DrawCell(HDC dc, int col, int row, const RECT& rect);
  void StringGrid2DrawCell(HDC dc, int col, int row, const RECT& rect);
  void StringGrid1DblClick();
  void StringGrid2DblClick();
  // The twins' shared routines: a pane's marked cell in cyan over the grid's drawing; the other
  // grid's first namesake of this grid's current row made current.
  static void PaintMarkedCell(const ui::StringGrid& grid, int32_t fileCount,
                              const zolt::MarkArray& marks, HDC dc, int col, int row,
                              const RECT& rect);
  static void SelectNamesake(const ui::StringGrid& grid, ui::StringGrid& other);
  void Button1Click();
  void Button2Click();
  // Both "B" buttons: the dialog, then the pane loads from its folder unless it was cancelled.
  void BrowseInto(const Pane& pane);

  os::Os& os_;
  TForm2* form2_ = nullptr;
  compare::DateTimeFormat format_;
};
