// Another program's windows for the benchmarks: one visible window to pick, and any number of hidden
// windows in it for rows of the hidden list.
//   --rect X Y W H   outer rectangle of the visible window (default 560 120 320 240)
//   --hidden N       N hidden row windows, children of the visible one
// hideAllRowsMessage, sent after ShowWindowAsync calls from the same thread, is handled after all of
// them: its answer tells how many rows those calls showed.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/other_program.h"

namespace {

std::vector<HWND> rowWindows;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case bench::hideAllRowsMessage: {
            LRESULT wereShown = 0;
            for (HWND row : rowWindows) {
                if (!IsWindowVisible(row)) continue;
                ++wereShown;
                ShowWindow(row, SW_HIDE);
            }
            return wereShown;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RECT rect{560, 120, 560 + 320, 120 + 240};
    int hidden = 0;
    for (int i = 1; i < __argc; ++i) {
        if (std::strcmp(__argv[i], "--rect") == 0 && i + 4 < __argc) {
            const int x = std::atoi(__argv[i + 1]), y = std::atoi(__argv[i + 2]);
            rect = {x, y, x + std::atoi(__argv[i + 3]), y + std::atoi(__argv[i + 4])};
            i += 4;
        } else if (std::strcmp(__argv[i], "--hidden") == 0 && i + 1 < __argc) {
            hidden = std::atoi(__argv[++i]);
        } else {
            return 2;
        }
    }

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "OmbrixBenchOther";
    RegisterClassA(&windowClass);
    WNDCLASSA rowClass = windowClass;
    rowClass.lpfnWndProc = DefWindowProcA;
    rowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    rowClass.lpszClassName = bench::rowWindowClass;
    RegisterClassA(&rowClass);

    HWND mainWindow =
        CreateWindowExA(0, windowClass.lpszClassName, "other program", WS_OVERLAPPEDWINDOW, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (!mainWindow) return 1;
    // Children, not top-level windows: shown by the thousand, top-level windows would each be
    // activated and sent to the taskbar, and the desktop's work would swamp what is measured.
    for (int i = 0; i < hidden; ++i)
        rowWindows.push_back(CreateWindowExA(0, rowClass.lpszClassName, "row window", WS_CHILD, (i % 40) * 7,
                                             (i / 40) * 7, 6, 6, mainWindow, nullptr, instance, nullptr));
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    UpdateWindow(mainWindow);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
