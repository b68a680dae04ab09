// The picker's moves, driven in-process over windows of another process, with a frame routine that
// records each call: a move that stays on one window must cost no drawing and no field update.
#include <gtest/gtest.h>

#include <vector>

#include "app/main_window.h"
#include "harness.h"
#include "picker/picker.h"
#include "platform/handle_text.h"

namespace {
std::vector<HWND> framesDrawn;
}

namespace picker {
void drawWindowFrame(HWND window) { framesDrawn.push_back(window); }
}  // namespace picker

namespace {

using namespace harness;

class PickerMoves : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(main_.build());
        picker::dragActive = 1;
        picker::highlightedWindow = nullptr;
        framesDrawn.clear();
    }
    void TearDown() override {
        picker::dragActive = 0;
        picker::highlightedWindow = nullptr;
        DestroyWindow(main_.form.handle());
    }

    static HWND startedWindow(ChildProcess& process) {
        return waitForTopLevelWindow({process.pid(), kTargetClass, std::nullopt, true});
    }
    // Moves the cursor and runs the picker's move step, as the event loop would. Under Wine the
    // display reports each warp back later, from whichever process owns the X window under it, and
    // a late report sets the cursor back for a moment: the position must hold before the step runs.
    void moveTo(POINT point) {
        SetCursorPos(point.x, point.y);
        int steadyChecks = 0;
        ASSERT_TRUE(waitUntil([&] {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            POINT at{};
            GetCursorPos(&at);
            steadyChecks = (at.x == point.x && at.y == point.y) ? steadyChecks + 1 : 0;
            return steadyChecks >= 3;
        }));
        picker::onMouseMoved(view_);
    }

    app::MainWindow main_;
    picker::PickerView view_{main_.图片框1, main_.编辑框1, main_.编辑框2, main_.编辑框3};
};

TEST_F(PickerMoves, FrameIsDrawnTwicePerChangeOfWindowAndNeverForAMoveThatStays) {
    ChildProcess a = startTarget({"--title", "A", "--rect", "20", "20", "300", "200"});
    ChildProcess b = startTarget({"--title", "B", "--rect", "600", "20", "300", "200"});
    HWND windowA = startedWindow(a);
    HWND windowB = startedWindow(b);
    ASSERT_TRUE(windowA && windowB);

    std::vector<HWND> expected;
    HWND framed = nullptr;
    int changes = 0;
    for (int move = 0; move < 1000; ++move) {
        // Seven moves inside one window, then over to the other.
        const bool overA = (move / 7) % 2 == 0;
        const RECT target = windowRectOf(overA ? windowA : windowB);
        ASSERT_NO_FATAL_FAILURE(moveTo({target.left + 40 + (move % 7) * 30, target.top + 60 + (move % 5) * 20}));
        HWND now = overA ? windowA : windowB;
        if (now != framed) {
            if (framed) expected.push_back(framed);  // the old frame is removed first
            expected.push_back(now);
            framed = now;
            ++changes;
        }
    }
    EXPECT_EQ(changes, 143);
    EXPECT_EQ(framesDrawn, expected);
    EXPECT_EQ(picker::highlightedWindow, framed);
    EXPECT_EQ(main_.编辑框2.text(), platform::handleToText(framed));
    EXPECT_EQ(main_.编辑框1.text(), captionOf(framed));
}

TEST_F(PickerMoves, FieldsAreWrittenOnlyWhenThePickChanges) {
    ChildProcess a = startTarget({"--title", "first title", "--rect", "20", "20", "300", "200"});
    ChildProcess b = startTarget({"--title", "B", "--rect", "600", "20", "300", "200"});
    HWND windowA = startedWindow(a);
    HWND windowB = startedWindow(b);
    ASSERT_TRUE(windowA && windowB);
    const POINT inA = centreOf(windowRectOf(windowA));
    const POINT inB = centreOf(windowRectOf(windowB));

    ASSERT_NO_FATAL_FAILURE(moveTo(inA));
    EXPECT_EQ(main_.编辑框1.text(), "first title");
    EXPECT_EQ(main_.编辑框3.text(), platform::intToText(static_cast<std::int32_t>(a.pid())));
    // The title read when the window was picked stays while the cursor stays over it.
    SetWindowTextA(windowA, "second title");
    ASSERT_NO_FATAL_FAILURE(moveTo({inA.x + 5, inA.y + 5}));
    EXPECT_EQ(main_.编辑框1.text(), "first title");
    ASSERT_NO_FATAL_FAILURE(moveTo(inB));
    EXPECT_EQ(main_.编辑框1.text(), "B");
    // Coming back picks it again, with its current title.
    ASSERT_NO_FATAL_FAILURE(moveTo(inA));
    EXPECT_EQ(main_.编辑框1.text(), "second title");
    EXPECT_EQ(framesDrawn, (std::vector<HWND>{windowA, windowA, windowB, windowB, windowA}));
}

TEST_F(PickerMoves, OwnWindowsAndTheDesktopBackgroundPickNothing) {
    ChildProcess a = startTarget({"--title", "A", "--rect", "20", "20", "200", "150"});
    HWND windowA = startedWindow(a);
    ASSERT_NE(windowA, nullptr);
    ASSERT_NO_FATAL_FAILURE(moveTo(centreOf(windowRectOf(windowA))));
    const std::vector<HWND> afterPick = framesDrawn;

    ShowWindow(main_.form.handle(), SW_SHOWNA);
    UpdateWindow(main_.form.handle());
    ASSERT_NO_FATAL_FAILURE(moveTo(centreOf(windowRectOf(main_.form.handle()))));
    ASSERT_NO_FATAL_FAILURE(moveTo({100, 600}));  // bare desktop
    EXPECT_EQ(framesDrawn, afterPick);
    EXPECT_EQ(picker::highlightedWindow, windowA);
    EXPECT_EQ(main_.编辑框1.text(), "A");
}

}  // namespace
