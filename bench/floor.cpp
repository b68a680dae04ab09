// The floor program: Ombrix's main window made straight with Win32 (see floor_window.h), with a
// single-instance event of its own and a message loop, and nothing else.
#include <windows.h>
#include <commctrl.h>

#include "bench/floor_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Its own name, so that it never stands in Ombrix's way.
    if (HANDLE running = OpenEventA(EVENT_ALL_ACCESS, FALSE, "ombrix-floor")) {
        CloseHandle(running);
        return 0;
    }
    CreateEventA(nullptr, FALSE, FALSE, "ombrix-floor");

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    HWND window = bench::createFloorWindow(instance);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
