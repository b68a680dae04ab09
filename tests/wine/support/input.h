// Real input through SendInput, as the user's mouse and keyboard give it. A pointer move waits until the
// cursor is there; buttons and keys are queued when the call returns. The effect on a program is for the
// test to wait for.
#pragma once
#include <windows.h>

#include <vector>

namespace harness {

// Moves the pointer to a screen point; throws std::runtime_error if it does not get there.
void moveMouseTo(POINT screenPoint);
void pressLeftButton();
void releaseLeftButton();
void clickAt(POINT screenPoint);
void doubleClickAt(POINT screenPoint);
void rightClickAt(POINT screenPoint);
// Presses the left button at the first point, moves through the others and releases at the last.
void dragAlong(const std::vector<POINT>& path);

// Presses and releases one key, with Shift held around it when asked.
void pressKey(WORD virtualKey, bool withShift = false);

}  // namespace harness
