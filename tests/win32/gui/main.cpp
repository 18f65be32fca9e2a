#include <gtest/gtest.h>

#include "gui/gui_support.h"
#include "win32/folderctl/control_kinds.h"
#include "win32/os/os_win32.h"
#include "win32/ui/application.h"
#include "win32/ui/controls.h"

static ui::Application* application = nullptr;

ui::Application& gui::App() {
  return *application;
}

// As the program starts: the application, then its kinds of control; the error boxes are
// recorded rather than shown.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  ui::Application app(os::RealOs());
  ui::Window::SetErrorHook(&gui::ErrorBoxes::Record);
  ui::AddStandardKinds(app.Kinds());
  folderctl::AddKinds(app.Kinds());
  application = &app;
  return RUN_ALL_TESTS();
}
