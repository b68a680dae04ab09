// The floor for Ombrix's start-up and memory: the least a program must do to show Ombrix's main
// window, written straight against Win32. The same window (size, title, styles, icons), the sixteen
// controls with their texts, styles and colours, DEFAULT_GUI_FONT, the list view's three columns, the
// crosshair picture and the tray icon; none of the toolkit's layers (subclassed controls, handlers,
// tab order). Used by the floor program and by the in-process comparison with MainWindow::build.
#pragma once
#include <windows.h>

namespace bench {

// Makes the window hidden, with its controls and icons, and adds the tray icon; null when the window
// could not be made. The window owns the icons and the tray icon and gives them back when it is
// destroyed (its WM_DESTROY posts WM_QUIT), so the floor needs no C++ destructor: with exceptions
// on, one would link in the C++ exception runtime, which the floor can do without. The module's
// resources must hold DEFAULT_ICON and CROSSHAIR (floor.rc). One floor window at a time.
HWND createFloorWindow(HINSTANCE instance);

}  // namespace bench
