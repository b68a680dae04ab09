// The frame routine itself, drawing on windows of another process from inside the test process.
#include <gtest/gtest.h>

#include "harness.h"
#include "picker/window_frame.h"

namespace {

using namespace harness;

// Drawing into another process's window shows only once this process has a window of its own.
class WindowFrame : public testing::Test {
protected:
    void SetUp() override {
        own_ = CreateWindowExA(0, "STATIC", "own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(own_, nullptr);
    }
    void TearDown() override { DestroyWindow(own_); }

    // The target's window once it is active: activation repaints its caption, after which only the
    // frame changes its pixels.
    static HWND startedWindow(ChildProcess& process) {
        HWND window = waitForTopLevelWindow({process.pid(), kTargetClass, std::nullopt, true});
        waitUntil([&] { return GetForegroundWindow() == window; });
        return window;
    }

    HWND own_ = nullptr;
};

int distanceToEdge(int x, int y, int width, int height) {
    return std::min(std::min(x, y), std::min(width - 1 - x, height - 1 - y));
}

// The middle of the 4-pixel band just inside the edges is inverted; well inside it nothing changed.
void expectBandInverted(const ScreenPixels& before, const ScreenPixels& framed) {
    for (int y = 0; y < framed.height(); ++y)
        for (int x = 0; x < framed.width(); ++x) {
            const int distance = distanceToEdge(x, y, framed.width(), framed.height());
            if (distance >= 1 && distance <= 2) {
                ASSERT_EQ(framed.at(x, y), ~before.at(x, y) & 0xFFFFFF) << x << "," << y;
            } else if (distance >= 6) {
                ASSERT_EQ(framed.at(x, y), before.at(x, y)) << x << "," << y;
            }
        }
}

TEST_F(WindowFrame, OneDrawInvertsABandInsideTheEdgesAndASecondPutsEveryPixelBack) {
    ChildProcess target = startTarget({"--title", "framed", "--rect", "100", "100", "320", "240"});
    HWND window = startedWindow(target);
    ASSERT_NE(window, nullptr);
    const RECT area = windowRectOf(window);
    const ScreenPixels before = settledCapture(area);

    picker::drawWindowFrame(window);
    expectBandInverted(before, captureScreen(area));

    picker::drawWindowFrame(window);
    EXPECT_TRUE(captureScreen(area) == before);
}

TEST_F(WindowFrame, AfterAMoveTheSameBandOfTheWindowIsInverted) {
    ChildProcess target = startTarget({"--title", "moved", "--rect", "100", "100", "300", "200"});
    HWND window = startedWindow(target);
    ASSERT_NE(window, nullptr);
    settledCapture(windowRectOf(window));
    picker::drawWindowFrame(window);
    // Moving, not resizing: the coordinates are relative to the window, so the next call lands on
    // the same band wherever the window now is (whether or not the move repainted it).
    SetWindowPos(window, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(waitUntil([&] { return windowRectOf(window).left == 400; }));
    const RECT moved = windowRectOf(window);
    const ScreenPixels before = settledCapture(moved);
    picker::drawWindowFrame(window);
    expectBandInverted(before, captureScreen(moved));
}

TEST_F(WindowFrame, TinyWindowsComeBackAfterTheSecondDraw) {
    const SIZE sizes[] = {{1, 1}, {3, 3}, {4, 4}, {5, 5}, {6, 40}, {40, 6}};
    for (const SIZE size : sizes) {
        HWND tiny = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, 500, 500, size.cx, size.cy,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(tiny, nullptr);
        UpdateWindow(tiny);
        const RECT area{490, 490, 560, 560};
        const ScreenPixels before = settledCapture(area);
        picker::drawWindowFrame(tiny);
        picker::drawWindowFrame(tiny);
        EXPECT_TRUE(captureScreen(area) == before) << size.cx << "x" << size.cy;
        DestroyWindow(tiny);
    }
}

TEST_F(WindowFrame, ClosedWindowDrawsNothing) {
    ChildProcess target = startTarget({"--title", "closing", "--rect", "100", "100", "300", "200"});
    HWND window = startedWindow(target);
    ASSERT_NE(window, nullptr);
    const RECT area = windowRectOf(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(window); }));
    const ScreenPixels before = settledCapture(area);
    const auto objects = gdiObjectCountOfThisProcess();
    picker::drawWindowFrame(window);
    EXPECT_TRUE(captureScreen(area) == before);
    EXPECT_EQ(gdiObjectCountOfThisProcess(), objects);
}

TEST_F(WindowFrame, TwentyThousandDrawsLeaveTheGdiObjectCountWhereItWas) {
    ChildProcess target = startTarget({"--title", "busy", "--rect", "100", "100", "300", "200"});
    HWND window = startedWindow(target);
    ASSERT_NE(window, nullptr);
    // The first GetWindowDC adds cached entries that stay.
    picker::drawWindowFrame(window);
    picker::drawWindowFrame(window);
    const auto before = gdiObjectCountOfThisProcess();
    ASSERT_TRUE(before.has_value());
    for (int i = 0; i < 20000; ++i) picker::drawWindowFrame(window);
    EXPECT_EQ(gdiObjectCountOfThisProcess(), before);
}

}  // namespace
