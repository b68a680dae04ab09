// The program's top-level window: its events, its keyboard handling, its tray icon.
#pragma once
#include <functional>
#include <vector>

#include "platform/scoped.h"
#include "platform/toolkit.h"
#include "platform/tray_icon.h"

namespace platform {

struct FormArgs {
    const char* title = "";
    int width = 0;  // outer size, frame and caption included
    int height = 0;
    DWORD style = 0;
};

class Form : public Control {
public:
    static constexpr const char* className = "OmbrixMainWindow";

    // Creates the window hidden, centred on the primary screen. False when it could not be made.
    bool create(const FormArgs& args);
    void setIcons(ScopedIcon large, ScopedIcon small);
    // Tab and Shift+Tab visit these windows, in this order, wrapping around.
    void setTabOrder(std::vector<HWND> tabStops) { tabStops_ = std::move(tabStops); }
    TrayIcon& trayIcon() { return trayIcon_; }

    // Raises created, then size-changed if the window still exists, shows the window and runs the
    // event loop until the window is destroyed. The exit code of the loop.
    int run();

    void setVisible(int visible) const { window().show(visible ? SW_SHOW : SW_HIDE); }
    // 2 minimised, 3 maximised, otherwise 0.
    int windowState() const;
    // 1 restores a minimised or maximised window and moves it, unresized, to the centre of the
    // primary screen. Nothing happens while the window is hidden.
    void setWindowState(int state) const;

    std::function<void()> onCreated;
    // 0 keeps the window open; anything else lets it close.
    std::function<int()> onCloseQuery;
    std::function<void()> onSizeChanged;
    std::function<void(int code)> onTray;

private:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool preTranslate(const MSG& message) override;
    bool mayClose() const { return !onCloseQuery || onCloseQuery() != 0; }
    void moveFocus(bool backward) const;
    void moveAmongRadioButtons(HWND focus, bool backward) const;
    void focusControl();

    std::vector<HWND> tabStops_;
    HWND lastFocus_ = nullptr;
    TrayIcon trayIcon_;
    UINT taskbarCreated_ = 0;
    ScopedIcon largeIcon_;
    ScopedIcon smallIcon_;
};

// Puts the program's icon into the notification area for `window`.
inline bool setTrayIcon(Form& window, Bytes iconFile, const std::string& tip) {
    return window.trayIcon().add(window.handle(), iconFile, tip);
}

}  // namespace platform
