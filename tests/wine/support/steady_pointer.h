// Moving the pointer into a window so that every program sees it in that window.
#pragma once
#include <windows.h>

namespace harness {

// Like moveMouseTo, for a point at least a pixel inside a window. Measured under Wine's virtual desktop: a
// few milliseconds after a SendInput move the pointer can be back where it was (GetCursorPos shows the old
// position, and a program that handles the move reads it there), and now and then the X pointer does not
// follow at all. (Likely cause: the move warps the X pointer inside a pointer grab, and the crossing event
// of that grab, which carries the old position, comes back as a move.) So the pointer goes to the point
// until it stays there, as both the server and the X pointer tell, and then steps one pixel aside and
// back: whatever those last steps leave behind lies in the same window. Throws std::runtime_error if the
// pointer does not stay.
void moveMouseInto(POINT screenPoint);

}  // namespace harness
