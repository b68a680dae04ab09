// Finding and describing windows, as a user's inspection tools would, from outside their process.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "wait.h"

namespace harness {

struct WindowFilter {
    DWORD processId = 0;               // 0: any process
    std::string className;             // empty: any class
    std::optional<std::string> title;  // nothing: any title
    bool visibleOnly = true;
};

std::vector<HWND> findTopLevelWindows(const WindowFilter& filter);
// The first top-level window that matches within `timeout`, or nullptr.
HWND waitForTopLevelWindow(const WindowFilter& filter, Timeout timeout = kDefaultTimeout);

std::string classNameOf(HWND window);
// The caption, as GetWindowTextA gives it. For controls of another process use controlText().
std::string captionOf(HWND window);
RECT windowRectOf(HWND window);
// The client area in screen coordinates.
RECT clientRectOnScreen(HWND window);
// `window`'s rectangle relative to the client area of its parent.
RECT rectInParent(HWND window);
LONG styleOf(HWND window);
LONG extendedStyleOf(HWND window);
DWORD processIdOf(HWND window);
DWORD threadIdOf(HWND window);

// Direct children of `parent`, topmost first (GW_CHILD, then GW_HWNDNEXT).
std::vector<HWND> childrenInStackingOrder(HWND parent);

// The window with the keyboard focus in that thread's message queue (GetGUIThreadInfo), or nullptr.
HWND focusOfThread(DWORD threadId);
HWND activeWindowOfThread(DWORD threadId);
HWND captureOfThread(DWORD threadId);
// True while that thread runs the modal loop of a window move or resize (GUI_INMOVESIZE).
bool threadIsMovingOrSizing(DWORD threadId);

POINT centreOf(const RECT& rect);

}  // namespace harness

namespace harness {

// A screen point of `window` where WM_NCHITTEST answers `hitTestCode` (HTCLOSE, HTCAPTION, …), looked for
// in the caption rows from the right; nothing when there is none.
std::optional<POINT> pointWithHitTest(HWND window, LRESULT hitTestCode);

// Makes `window` the foreground window with a real click on its caption, and waits for it.
bool activateByCaptionClick(HWND window);

}  // namespace harness
