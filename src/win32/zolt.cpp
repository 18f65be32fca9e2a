// The program's entry: the application, the main window, the browse dialog, the message loop.
#include <windows.h>

#include "win32/Unit1.h"
#include "win32/Unit2.h"
#include "win32/os/os_win32.h"
#include "win32/ui/application.h"
#include "win32/ui/window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ui::Application& app = ui::Application::Instance();
  app.Initialize();
  TForm1 form1(os::RealOs());
  TForm2 form2(os::RealOs());
  bool created = false;
  ui::Guarded([&] {
    form1.Create();
    form2.Create();
    form1.SetBrowseDialog(form2);
    created = true;
  });
  if (!created) return 1;
  form1.Show();
  return app.Run();
}
