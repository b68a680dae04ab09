// Minimising while the program has no icon in the notification area (the shell refused it, or there
// is none): the window must stay reachable on the taskbar, and go to the tray once an icon exists.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/tray.h"
#include "harness.h"
#include "resources/images.h"

namespace {

using namespace harness;

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) platform::dispatch(message);
}

bool hasVisibleStyle(HWND window) { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

TEST(TrayWithoutIcon, MinimisingKeepsTheWindowOnTheTaskbarUntilAnIconIsAdded) {
    app::MainWindow main;
    ASSERT_TRUE(main.build());
    main.form.onSizeChanged = [&] { app::onSizeChanged(main.form); };
    HWND window = main.form.handle();
    ShowWindow(window, SW_SHOW);
    ASSERT_FALSE(main.form.trayIcon().present());

    ShowWindow(window, SW_MINIMIZE);
    pumpMessages();
    EXPECT_TRUE(IsIconic(window));
    EXPECT_TRUE(hasVisibleStyle(window)) << "minimised with no icon to come back from";

    ShowWindow(window, SW_RESTORE);
    ASSERT_TRUE(platform::setTrayIcon(main.form, resources::applicationIcon, "Ombrix"));
    ShowWindow(window, SW_MINIMIZE);
    pumpMessages();
    EXPECT_TRUE(IsIconic(window));
    EXPECT_FALSE(hasVisibleStyle(window)) << "with an icon, minimising goes to the tray";

    DestroyWindow(window);
    pumpMessages();
    EXPECT_FALSE(trayIconExists(window, 1)) << "the icon goes with the window";
}

}  // namespace
