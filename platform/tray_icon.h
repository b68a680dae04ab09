// The program's one icon in the notification area.
#pragma once
#include <windows.h>

#include <string>

#include "platform/icon_file.h"
#include "platform/scoped.h"

namespace platform {

class TrayIcon {
public:
    static constexpr UINT id = 1;
    // The shell reports mouse actions on the icon to the window with this message.
    static constexpr UINT callbackMessage = WM_APP + 1;

    // Adds the icon for `window`: the tray's choice of image from the icon file, and the tip cut to
    // 62 bytes. True when the shell took it.
    bool add(HWND window, Bytes iconFile, const std::string& tip);
    // Adds the same icon again, after the shell has recreated the notification area: also when the
    // first add failed, so that an icon that could not be added at start comes when the shell does.
    bool addAgain();
    void remove();
    bool present() const { return present_; }

private:
    bool notify(DWORD action) const;

    HWND window_ = nullptr;
    ScopedIcon icon_;
    std::string tip_;
    bool present_ = false;
};

// The tray event a mouse message reported for the icon stands for: 1 left button released, 2 left
// double-click, 3 right button released; 0 for any other.
int trayEventCode(UINT mouseMessage);

}  // namespace platform
