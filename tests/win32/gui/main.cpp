#include <gtest/gtest.h>

#include "win32/ui/application.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  ui::Application::Instance().Initialize();
  return RUN_ALL_TESTS();
}
