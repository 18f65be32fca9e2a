// The main window: two panes, each a folder's files in a grid under its path box and above its
// status bar, a splitter between them and the menu bar "Exit(&X)" / "Compare(&C)".
#pragma once

#include <cstdint>
#include <string>

#include "core/mark_array.h"
#include "core/os.h"
#include "win32/ui/controls.h"
#include "win32/ui/form.h"
#include "win32/ui/string_grid.h"

class TForm1 : public ui::Form {
 public:
  // Every Windows service the window's own code uses goes through os (tests inject a fake one).
  explicit TForm1(os::Os& os);

  // Creates the window and its controls from the form description TFORM1.
  void Create();

  // The separators that dates and times are written with, as the regional settings gave them
  // when last read ("/" and ":" when they give none).
  const std::string& DateSeparator() const { return dateSeparator_; }
  const std::string& TimeSeparator() const { return timeSeparator_; }

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
  void ReadSeparators();

  os::Os& os_;
  std::string dateSeparator_;
  std::string timeSeparator_;
};
