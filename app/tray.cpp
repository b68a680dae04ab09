#include "app/tray.h"

namespace app {

void onSizeChanged(platform::Form& mainWindow) {
    // Without an icon to come back from, a hidden window would be lost: it stays on the taskbar.
    if (mainWindow.windowState() == 2 && mainWindow.trayIcon().present()) mainWindow.setVisible(0);
}

void onTrayEvent(platform::Form& mainWindow, int code) {
    if (code != 2) return;
    mainWindow.setVisible(1);
    mainWindow.setWindowState(1);
}

}  // namespace app
