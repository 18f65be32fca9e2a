// The main window: two panes, each a folder's files in a grid under its path box and above its
// status bar, a splitter between them and the menu bar "Exit(&X)" / "Compare(&C)".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/date_time_format.h"
#include "core/mark_array.h"
#include "core/os.h"
#include "core/pane.h"
#include "win32/ui/controls.h"
#include "win32/ui/form.h"
#include "win32/ui/string_grid.h"

class TForm2;

class TForm1 : public ui::Form {
 public:
  // Every Windows service the window's own code uses goes through os (tests inject a fake one).
  TForm1(ui::Application& app, os::Os& os);
  ~TForm1() override;

  // Creates the window and its controls from the form description TFORM1 and binds its panes:
  // a control the code needs and the description lacks fails here, once.
  void Create();

  // What the twin handlers act on: one pane's controls and state.
  struct Pane {
    ui::StringGrid& grid;
    HWND pathBox;
    HWND statusBar;
    zolt::PaneState state;
  };
  Pane& LeftPane() { return *left_; }
  Pane& RightPane() { return *right_; }

  // Loads a pane from a folder path (ending in "\"): the path box shows it, the grid lists the
  // folder's files, then the file count, an all-clear mark array and the status bar follow. A
  // failure leaves the path box showing the new folder, the grid's rows written so far under its
  // old row count, and the count, marks and status bar as they were.
  void LoadPane(Pane& pane, const std::string& folderPath);
  // The second halves of Button1Click / Button2Click, once the dialog has given a path.
  void LoadLeftPane(const std::string& folderPath) { LoadPane(LeftPane(), folderPath); }
  void LoadRightPane(const std::string& folderPath) { LoadPane(RightPane(), folderPath); }

  // The browse dialog the "B" buttons show (created after this window, so given afterwards).
  void SetBrowseDialog(TForm2& dialog) { form2_ = &dialog; }

  // The date and time separators listings are written with.
  const listing::DateTimeFormat& Format() const { return format_; }

  // The window's state, public so that the window tests read it back.
  zolt::MarkArray Marks1;
  zolt::MarkArray Marks2;
  int32_t FileCount1 = 0;
  int32_t FileCount2 = 0;

 protected:
  void SettingsChanged() override;

 private:
  void FormShow();
  void FormClose(ui::CloseEffect& effect);
  void MnuExitClick();
  void MnuCompareClick();
  void StringGrid1DrawCell(HDC dc, int col, int row, const RECT& rect);
  void StringGrid2DrawCell(HDC dc, int col, int row, const RECT& rect);
  void StringGrid1DblClick();
  void StringGrid2DblClick();
  void Button1Click();
  void Button2Click();
  // The twins' shared routines: the pane emptied; a marked cell in cyan over the grid's drawing;
  // the other grid's first namesake of this grid's current row made current; the dialog, then
  // the pane loaded from its folder unless it was cancelled.
  static void Empty(Pane& pane);
  static void PaintMarkedCell(const Pane& pane, HDC dc, int col, int row, const RECT& rect);
  static void SelectNamesake(const Pane& from, Pane& to);
  void BrowseInto(Pane& pane);

  TForm2* form2_ = nullptr;
  listing::DateTimeFormat format_;
  std::optional<Pane> left_;
  std::optional<Pane> right_;
};
