#include "app/start_up.h"

#include "app/main_window.h"
#include "resources/images.h"

namespace app {

void onCreated(MainWindow& window) {
    // The event's existence is the guard: it lives as long as the copy that created it, and its
    // handle is never closed.
    if (OpenEventA(EVENT_ALL_ACCESS, FALSE, "ombrix")) {
        platform::messageBox("Ombrix已经在系统中运行！", MB_ICONINFORMATION);
        platform::endProgram(0);
    }
    CreateEventA(nullptr, FALSE, FALSE, "ombrix");
    window.图片框1.setPicture(resources::crosshairCursor);
    platform::setTrayIcon(window.form, resources::applicationIcon, "Ombrix");
}

}  // namespace app
