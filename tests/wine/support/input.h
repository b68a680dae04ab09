// Real input through SendInput, as the user's mouse and keyboard give it. A pointer move waits until the
// cursor is there; buttons and keys are queued when the call returns. The effect on a program is for the
// test to wait for.
#pragma once
#include <windows.h>

#include <vector>

namespace harness {

// Moves the pointer to a screen point; throws std::runtime_error if it does not get there.
void moveMouseTo(POINT screenPoint);

// Like moveMouseTo, for a point at least a pixel inside a window, and for when every program must see the
// pointer there. Measured under Wine's virtual desktop: a few milliseconds after a SendInput move the
// pointer can be back where it was (GetCursorPos shows the old position, and a program that handles the
// move reads it there), and now and then the X pointer does not follow at all. (Likely cause: the move
// warps the X pointer inside a pointer grab, and the crossing event of that grab, which carries the old
// position, comes back as a move.) So the pointer goes to the point until it stays there, as both the
// server and the X pointer tell, and then steps one pixel aside and back: whatever those last steps leave
// behind lies in the same window. Throws std::runtime_error if the pointer does not stay.
void moveMouseInto(POINT screenPoint);

// Buttons where the pointer is, for drags.
void pressLeftButton();
void releaseLeftButton();
// Buttons whose event carries the point, so that a move back in between does not take them elsewhere.
void pressLeftButtonAt(POINT screenPoint);
void releaseLeftButtonAt(POINT screenPoint);

// Clicks whose every event carries the point. A click that has to move the pointer waits first until it
// stays at the point (see moveMouseInto): a press right after a move can otherwise lose its click to the
// move back.
void clickAt(POINT screenPoint);
// The presses of a double-click carry the point, and a move back in between changes neither where the
// double-click is nor what the first press selected: no need to wait for the pointer to settle.
void doubleClickAt(POINT screenPoint);
void rightClickAt(POINT screenPoint);
// Presses the left button at the first point, moves through the others and releases at the last.
void dragAlong(const std::vector<POINT>& path);

// Presses and releases one key, with Shift held around it when asked.
void pressKey(WORD virtualKey, bool withShift = false);

}  // namespace harness
