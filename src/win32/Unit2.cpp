#include "win32/Unit2.h"

TForm2::TForm2() : Form("TForm2") {}

void TForm2::Create() {
  CreateFromResource("TFORM2");
}
