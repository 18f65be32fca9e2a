// Whole windows as the screen shows them, compared with reviewed reference images kept beside the
// tests (references/NAME.png, or NAME.cpNNN.png where a code page draws differently).
// scripts/update-references writes them again.
#pragma once

#include <windows.h>

#include <string>

#include "gui/gui_support.h"

namespace gui {

// The window, frame and menu bar included, with every visible window it owns (an open drop-down
// list, a message box) where it lies over it: read back from each window's own surface after the
// paints so far, so windows of other tests elsewhere on the screen play no part.
Pixels Scene(HWND window);

// Compares a scene with its reference, pixel for pixel. On a mismatch the test fails saying first
// what made the picture (references/environment.txt) where it is not what runs, then where the
// pixels differ, naming the reference, the actual picture and one with every differing pixel in
// red, written under the build folder. With ZOLT_WRITE_REFERENCES set to a folder, the scene is
// written there instead, with its line of what drew it in that folder's environment.txt.
void ExpectLooksLike(const Pixels& scene, const std::string& reference);

}  // namespace gui
