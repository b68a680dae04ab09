// Hiding a picked window with 按钮1 and showing it again from the list 超级列表框1, on the real program,
// with windows of other processes and real mouse input.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "harness.h"
#include "hidden_list_support.h"

using namespace harness;
using namespace harness::hidden_list;

namespace {

const Pick kNoPick{"", "", ""};
using Rows = std::vector<std::vector<std::string>>;

class HiddenListTest : public OmbrixFixture {
protected:
    // A real click on 按钮1 with empty fields gets a refusal once every earlier input has been handled:
    // after it, whatever those inputs were going to do has been done.
    void syncThroughInput() {
        ASSERT_EQ(controls_.fields(), kNoPick);
        clickHideButton();
        const auto box = waitForBox(kPickErrorText);
        ASSERT_TRUE(box.has_value()) << "the program did not answer a click";
        clickBoxButton(*box, IDOK);
        ASSERT_TRUE(box->waitUntilGone());
    }
};

// The road of one window, all by real input: picked with the crosshair, hidden with the button, shown
// again by a double-click on its row, while two rows below it move up.
TEST_F(HiddenListTest, PickedWindowIsHiddenListedAndRestoredByRealInput) {
    const auto picked = startSettledTargetAt({20, 20}, {"--title", "记事本 - 无标题"});
    const auto untitled = startSettledTargetAt({760, 20}, {"--empty-title"});
    const auto third = startSettledTargetAt({760, 380});
    HWND window = picked.window();
    HWND untitledWindow = untitled.window();
    HWND thirdWindow = third.window();

    ASSERT_TRUE(dragCrosshairTo(controls_, centreOf(clientRectOnScreen(window)), handleText(window)));
    const Pick shown = controls_.fields();
    EXPECT_EQ(shown, pickOf(window));

    clickHideButton();
    EXPECT_TRUE(waitUntilVisible(window, false)) << "the picked window was not hidden";
    ASSERT_TRUE(waitUntil([&] { return rowCount() == 1; }));
    EXPECT_EQ(rows(), Rows{rowOf(shown)});
    EXPECT_EQ(controls_.fields(), kNoPick);
    EXPECT_TRUE(picked.process.running());

    ASSERT_TRUE(hideThroughButton(pickOf(untitledWindow)));
    ASSERT_TRUE(hideThroughButton(pickOf(thirdWindow)));
    EXPECT_EQ(rows(), (Rows{rowOf(shown), rowOf(pickOf(untitledWindow)), rowOf(pickOf(thirdWindow))}));
    EXPECT_EQ(rows()[1][0], "") << "a window without a title gives an empty title cell";

    doubleClickRow(0);
    EXPECT_TRUE(waitUntilShownAndActive(window)) << "the double-clicked row's window was not shown";
    EXPECT_TRUE(waitUntil([&] { return rowCount() == 2; }));
    EXPECT_EQ(rows(), (Rows{rowOf(pickOf(untitledWindow)), rowOf(pickOf(thirdWindow))}));
    EXPECT_FALSE(IsWindowVisible(untitledWindow));
    EXPECT_FALSE(IsWindowVisible(thirdWindow));
}

struct RefusalCase {
    const char* name;
    // The fields as the test sets them, from a live target window and Ombrix's own main window.
    std::function<Pick(HWND target, HWND ombrix)> fields;
    std::string message;
};

void PrintTo(const RefusalCase& refusal, std::ostream* out) { *out << refusal.name; }

class HideRefusalTest : public HiddenListTest, public testing::WithParamInterface<RefusalCase> {};

// The button refuses, with a box that has only OK and no icon, and changes nothing: not the fields,
// not the list, not the target, not the program's own window.
TEST_P(HideRefusalTest, RefusesWithAMessageAndChangesNothing) {
    const auto target = startSettledTargetAt({20, 20});
    HWND window = target.window();
    const Pick fields = GetParam().fields(window, controls_.mainWindow);
    controls_.setFields(fields);

    clickHideButton();
    const auto box = waitForBox(GetParam().message);
    ASSERT_TRUE(box.has_value()) << "no box with the message";
    EXPECT_EQ(box->caption(), kMessageBoxCaption);
    EXPECT_EQ(box->buttonIds(), std::vector<int>{IDOK});
    EXPECT_TRUE(waitUntil([&] { return box->icon() == BoxIcon::none; }, 3_s)) << nameOf(box->icon());
    clickBoxButton(*box, IDOK);
    ASSERT_TRUE(box->waitUntilGone());

    EXPECT_EQ(controls_.fields(), fields);
    EXPECT_EQ(rowCount(), 0);
    ASSERT_TRUE(windowHasCaughtUp(window));
    EXPECT_TRUE(IsWindowVisible(window)) << "a refused hide hid the target";
    EXPECT_TRUE(IsWindowVisible(controls_.mainWindow));
    EXPECT_TRUE(messageBoxesOf(ombrix_->pid()).empty()) << "more than one box";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, HideRefusalTest,
    testing::Values(RefusalCase{"NothingPicked", [](HWND, HWND) { return kNoPick; }, kPickErrorText},
                    RefusalCase{"NoHandle",
                                [](HWND target, HWND) {
                                    return Pick{"t", "", pickOf(target).processId};
                                },
                                kPickErrorText},
                    RefusalCase{"HandleZero",
                                [](HWND target, HWND) {
                                    return Pick{"t", "0", pickOf(target).processId};
                                },
                                kPickErrorText},
                    RefusalCase{"NoProcessId",
                                [](HWND target, HWND) {
                                    return Pick{"t", pickOf(target).handle, ""};
                                },
                                kPickErrorText},
                    RefusalCase{"ProcessIdZero",
                                [](HWND target, HWND) {
                                    return Pick{"t", pickOf(target).handle, "0"};
                                },
                                kPickErrorText},
                    RefusalCase{"OwnMainWindow", [](HWND, HWND ombrix) { return pickOf(ombrix); }, kOwnWindowText}),
    [](const auto& info) { return std::string(info.param.name); });

// The fields are empty after a hide, so pressing again is refused and the list keeps its one row.
TEST_F(HiddenListTest, SecondPressAfterAHideIsRefused) {
    const auto target = startSettledTargetAt({20, 20});
    HWND window = target.window();
    ASSERT_TRUE(hideThroughButton(pickOf(window)));
    ASSERT_TRUE(waitUntilVisible(window, false));

    syncThroughInput();
    EXPECT_EQ(rows(), Rows{rowOf(pickOf(window))});
}

// A window that its own program showed again can be hidden again: two rows, each restored on its own.
TEST_F(HiddenListTest, WindowHiddenTwiceHasTwoRowsRestoredSeparately) {
    const auto target = startSettledTargetAt({20, 20});
    HWND window = target.window();
    const auto row = rowOf(pickOf(window));
    ASSERT_TRUE(hideThroughButton(pickOf(window)));
    ASSERT_TRUE(waitUntilVisible(window, false));
    ShowWindow(window, SW_SHOW);  // as its own program would
    ASSERT_TRUE(waitUntilShownAndActive(window));
    ASSERT_TRUE(hideThroughButton(pickOf(window)));
    ASSERT_TRUE(waitUntilVisible(window, false));
    ASSERT_EQ(rows(), (Rows{row, row}));

    doubleClickRow(0);
    EXPECT_TRUE(waitUntilShownAndActive(window));
    EXPECT_TRUE(waitUntil([&] { return rowCount() == 1; }));
    EXPECT_EQ(rows(), Rows{row});

    // Already visible: the second row is still restored and removed.
    doubleClickRow(0);
    EXPECT_TRUE(waitUntil([&] { return rowCount() == 0; }));
    ASSERT_TRUE(windowHasCaughtUp(window));
    EXPECT_TRUE(IsWindowVisible(window));
}

// The row of a window closed since it was hidden reports that the window no longer exists, on every
// double-click, and stays; the other rows are not touched.
TEST_F(HiddenListTest, RowOfAClosedWindowReportsItOnEveryDoubleClickAndStays) {
    const auto closed = startSettledTargetAt({20, 20});
    const auto other = startSettledTargetAt({760, 20});
    HWND closedWindow = closed.window();
    HWND otherWindow = other.window();
    ASSERT_TRUE(hideThroughButton(pickOf(closedWindow)));
    ASSERT_TRUE(hideThroughButton(pickOf(otherWindow)));
    const auto before = rows();
    ASSERT_TRUE(waitUntilVisible(closedWindow, false));
    PostMessageA(closedWindow, WM_CLOSE, 0, 0);
    ASSERT_EQ(closed.process.waitForExit(), 0u);
    ASSERT_FALSE(IsWindow(closedWindow));

    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(testing::Message() << "double-click " << attempt);
        doubleClickRow(0);
        const auto box = waitForBox(kNoSuchWindowText);
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->buttonIds(), std::vector<int>{IDOK});
        EXPECT_TRUE(waitUntil([&] { return box->icon() == BoxIcon::error; }, 3_s)) << nameOf(box->icon());
        clickBoxButton(*box, IDOK);
        ASSERT_TRUE(box->waitUntilGone());
        EXPECT_EQ(rows(), before);
    }
    ASSERT_TRUE(windowHasCaughtUp(otherWindow));
    EXPECT_FALSE(IsWindowVisible(otherWindow));
}

struct MissedRowCase {
    const char* name;
    // Where the double-click lands, given the list; a row is selected by a click before it.
    std::function<POINT(HWND list)> where;
};

void PrintTo(const MissedRowCase& place, std::ostream* out) { *out << place.name; }

class DoubleClickOffTheRowsTest : public HiddenListTest, public testing::WithParamInterface<MissedRowCase> {};

// With a row selected, a double-click that is not on a row restores nothing.
TEST_P(DoubleClickOffTheRowsTest, RestoresNothing) {
    const auto target = startSettledTargetAt({20, 20});
    HWND window = target.window();
    ASSERT_TRUE(hideThroughButton(pickOf(window)));
    ASSERT_TRUE(waitUntilVisible(window, false));
    const RECT row = rowRectOnScreen(0);
    clickAt({row.left + 30, (row.top + row.bottom) / 2});
    ASSERT_TRUE(waitUntil([&] { return listReader().selectedRow() == 0; }));

    doubleClickAt(GetParam().where(controls_.list));
    syncThroughInput();
    EXPECT_EQ(rows(), Rows{rowOf(pickOf(window))});
    ASSERT_TRUE(windowHasCaughtUp(window));
    EXPECT_FALSE(IsWindowVisible(window));
}

INSTANTIATE_TEST_SUITE_P(Places, DoubleClickOffTheRowsTest,
                         testing::Values(MissedRowCase{"EmptyAreaBelowTheRows",
                                                       [](HWND list) {
                                                           const RECT client = clientRectOnScreen(list);
                                                           return POINT{client.left + 30, client.bottom - 12};
                                                       }},
                                         MissedRowCase{
                                             "ColumnHeader",
                                             [](HWND list) {
                                                 const RECT header = windowRectOf(RemoteListView(list).header());
                                                 return POINT{header.left + 40, (header.top + header.bottom) / 2};
                                             }}),
                         [](const auto& info) { return std::string(info.param.name); });

// Fifty windows of other programs hidden and restored through the list in random order, round after
// round: nothing is lost, nothing is left behind, and the program's GDI objects do not grow.
TEST_F(HiddenListTest, FiftyWindowsHiddenAndRestoredInRandomOrderLoseNothing) {
    constexpr size_t kTargets = 2, kWindowsPerTarget = 25;
    constexpr int kRounds = 20;
    std::vector<StartedTarget> targets;
    std::vector<HWND> windows;
    for (size_t i = 0; i < kTargets; ++i) {
        targets.push_back(startSettledTarget({"--windows", std::to_string(kWindowsPerTarget), "--rect",
                                              std::to_string(20 + 760 * i), "560", "200", "120"},
                                             kWindowsPerTarget));
        windows.insert(windows.end(), targets.back().windows.begin(), targets.back().windows.end());
    }

    const unsigned seed = GetTickCount();
    SCOPED_TRACE(testing::Message() << "random seed " << seed);
    std::mt19937 random(seed);
    std::optional<size_t> gdiAfterWarmUp;
    for (int round = 1; round <= kRounds; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        std::shuffle(windows.begin(), windows.end(), random);
        // The rows as the list should hold them, top to bottom.
        std::vector<HWND> listed;
        for (HWND window : windows) {
            ASSERT_TRUE(hideThroughButton(pickOf(window)));
            listed.push_back(window);
        }
        for (HWND window : windows) ASSERT_TRUE(waitUntilVisible(window, false)) << "a window was not hidden";
        Rows expected;
        for (HWND window : listed) expected.push_back(rowOf(pickOf(window)));
        ASSERT_EQ(rows(), expected);

        while (!listed.empty()) {
            const auto row = std::uniform_int_distribution<size_t>(0, listed.size() - 1)(random);
            HWND window = listed[row];
            doubleClickRow(static_cast<int>(row));
            listed.erase(listed.begin() + static_cast<std::ptrdiff_t>(row));
            ASSERT_TRUE(waitUntil([&] { return rowCount() == static_cast<int>(listed.size()); }))
                << "the double-click restored nothing";
            ASSERT_TRUE(waitUntilShownAndActive(window)) << "the double-clicked row's window was not shown";
        }
        for (HWND window : windows) ASSERT_TRUE(IsWindowVisible(window)) << "a window was hidden again";
        ASSERT_EQ(rowCount(), 0);

        // The first round is the warm-up: the first use of a few resources keeps them.
        const auto gdi = gdiObjectCountOfProcess(ombrix_->pid());
        ASSERT_TRUE(gdi.has_value());
        if (!gdiAfterWarmUp) gdiAfterWarmUp = gdi;
        EXPECT_EQ(*gdi, *gdiAfterWarmUp) << "GDI objects grew";
    }
}

}  // namespace
