// The inverted frame that marks the window under the picker.
#pragma once
#include <windows.h>

namespace picker {

// Inverts a 4-pixel band just inside the window's outer edge, in its whole-window device context.
// A second identical call puts every pixel back. Nothing is kept between calls.
void drawWindowFrame(HWND window);

}  // namespace picker
