// Ombrix: hides other programs' windows and shows them again.
#include "app/main_window.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    app::MainWindow window;
    if (!window.build()) {
        MessageBoxA(nullptr, "无法创建主窗口，程序将退出。", "Ombrix", MB_ICONERROR | MB_TASKMODAL);
        return 1;
    }
    window.bindHandlers();
    return window.form.run();
}
