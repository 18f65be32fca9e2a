// The program's entry: the application with its kinds of control, the main window, the browse
// dialog, the message loop.
#include <windows.h>

#include "win32/Unit1.h"
#include "win32/Unit2.h"
#include "win32/folderctl/control_kinds.h"
#include "win32/os/os_win32.h"
#include "win32/ui/application.h"
#include "win32/ui/controls.h"
#include "win32/ui/window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  os::Os& os = os::RealOs();
  ui::Application app(os);
  ui::AddStandardKinds(app.Kinds());
  folderctl::AddKinds(app.Kinds());
  TForm1 form1(app, os);
  TForm2 form2(app, os);
  int exitCode = 1;
  ui::Guarded([&] {
    form1.Create();
    form2.Create(form1.Handle());
    form1.SetBrowseDialog(form2);
    form1.Show();
    exitCode = app.Run();
  });
  return exitCode;
}
