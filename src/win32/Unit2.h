// The "Browse" dialog: created once at start-up after the main window, hidden until a pane's
// "B" button shows it.
#pragma once

#include "win32/ui/form.h"

class TForm2 : public ui::Form {
 public:
  TForm2();
  // Creates the (hidden) window from the form description TFORM2.
  void Create();
};
