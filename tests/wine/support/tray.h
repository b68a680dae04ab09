// The notification area of Wine's taskbar (explorer's "Shell_TrayWnd").
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// Whether the shell holds an icon for (owner, id): NIM_MODIFY with nothing to change succeeds only then.
// Uses the first NOTIFYICONDATAA layout, as the program does.
bool trayIconExists(HWND owner, UINT id);
// Takes the icon for (owner, id) away from the shell, as any program of the session can.
bool deleteTrayIcon(HWND owner, UINT id);

struct TrayIcon {
    RECT screenRect;  // where the taskbar shows it
    std::string tip;  // its tooltip text (ANSI)
};

// Every icon that the notification area shows, with the tip the shell keeps for it.
std::vector<TrayIcon> trayIcons();

}  // namespace harness
