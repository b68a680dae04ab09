// Minimising to the notification area and coming back from it, with the real program and the real
// taskbar of Wine's desktop.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <optional>

#include "harness.h"

using namespace harness;
using namespace harness::ombrix;

namespace {

// Wine's taskbar shows a start button at its left end and then one owner-drawn button per window it
// lists. Only the program under test has such a window in these tests.
bool taskbarHasWindowButtons() {
    for (HWND tray : findTopLevelWindows({0, "Shell_TrayWnd", std::nullopt, true}))
        for (HWND child = GetWindow(tray, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child) && classNameOf(child) == "Button" &&
                windowRectOf(child).left > windowRectOf(tray).left)
                return true;
    return false;
}

void broadcastTaskbarCreated() { PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0); }

class Tray : public testing::Test {
protected:
    void SetUp() override {
        ombrix_.emplace(startOmbrix());
        window_ = waitForMainWindow(*ombrix_);
        ASSERT_NE(window_, nullptr) << whyNoMainWindow(*ombrix_);
        ASSERT_TRUE(waitUntil([&] { return trayIconExists(window_, kTrayIconId) && taskbarHasWindowButtons(); }));
    }
    void TearDown() override {
        if (!ombrix_) return;
        // A window left in the tray cannot be closed by WM_CLOSE's confirmation path being seen; bring it back.
        if (!IsWindowVisible(window_)) trayEvent(WM_LBUTTONDBLCLK);
        endOmbrix(*ombrix_);
    }

    void minimise() const { PostMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0); }
    // What the shell sends when the user acts on the icon (first layout: the plain mouse message).
    void trayEvent(UINT mouseMessage) const { PostMessageA(window_, kTrayCallbackMessage, kTrayIconId, mouseMessage); }
    bool inTray() const { return !IsWindowVisible(window_) && !taskbarHasWindowButtons(); }
    bool shownAtCentre() const {
        const RECT rect = windowRectOf(window_);
        return IsWindowVisible(window_) && !IsIconic(window_) && rect.left == 289 && rect.top == 236 &&
               rect.right - rect.left == 445 && rect.bottom - rect.top == 295;
    }

    std::optional<ChildProcess> ombrix_;
    HWND window_ = nullptr;
};

TEST_F(Tray, MinimisingHidesTheWindowAndItsTaskbarButtonButKeepsTheIcon) {
    minimise();
    ASSERT_TRUE(waitUntil([&] { return inTray(); }));
    EXPECT_TRUE(IsIconic(window_));
    EXPECT_TRUE(trayIconExists(window_, kTrayIconId));
}

TEST_F(Tray, DoubleClickOnTheIconBringsTheWindowBackRestoredAndCentred) {
    // Moved away first: it comes back to the centre all the same.
    SetWindowPos(window_, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(waitUntil([&] { return windowRectOf(window_).left == 40; }));
    minimise();
    ASSERT_TRUE(waitUntil([&] { return inTray(); }));

    trayEvent(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(waitUntil([&] { return shownAtCentre(); })) << windowRectOf(window_).left;
    EXPECT_TRUE(waitUntil([&] { return taskbarHasWindowButtons(); }));
}

TEST_F(Tray, OtherMouseActionsOnTheIconDoNothing) {
    minimise();
    ASSERT_TRUE(waitUntil([&] { return inTray(); }));
    for (UINT message : std::initializer_list<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
                                                    WM_RBUTTONDBLCLK, static_cast<UINT>(WM_CONTEXTMENU), WM_MOUSEMOVE})
        trayEvent(message);
    // A marker the program handles after the messages above: once it has acted, they have been seen.
    trayEvent(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(window_) != FALSE; }));
    // No menu or other window came up for the clicks.
    EXPECT_EQ(findTopLevelWindows({ombrix_->pid(), "#32768", std::nullopt, true}).size(), 0u);
    EXPECT_EQ(findTopLevelWindows({ombrix_->pid(), "", std::nullopt, true}).size(), 1u);
}

TEST_F(Tray, RealDoubleClickOnTheIconBringsTheWindowBack) {
    minimise();
    ASSERT_TRUE(waitUntil([&] { return inTray(); }));
    std::optional<POINT> icon;
    ASSERT_TRUE(waitUntil([&] {
        for (const auto& shown : trayIcons())
            if (shown.tip == kTrayTip) icon = centreOf(shown.screenRect);
        return icon.has_value();
    }));
    // The shell turns a click into a double-click only once the pointer has rested on the icon.
    moveMouseTo(*icon);
    const auto restedSince = GetTickCount64();
    waitUntil([&] { return GetTickCount64() - restedSince >= 600; });
    doubleClickAt(*icon);
    EXPECT_TRUE(waitUntil([&] { return shownAtCentre(); }));
}

TEST_F(Tray, IconComesBackWhenTheShellAnnouncesANewTaskbar) {
    ASSERT_TRUE(deleteTrayIcon(window_, kTrayIconId));
    ASSERT_FALSE(trayIconExists(window_, kTrayIconId));
    broadcastTaskbarCreated();
    ASSERT_TRUE(waitUntil([&] { return trayIconExists(window_, kTrayIconId); }));
    // And with it, the way back from the tray.
    minimise();
    ASSERT_TRUE(waitUntil([&] { return inTray(); }));
    trayEvent(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(waitUntil([&] { return shownAtCentre(); }));
}

}  // namespace
