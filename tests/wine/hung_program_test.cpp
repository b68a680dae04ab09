// A program that has stopped answering messages must not freeze Ombrix: hiding its window, restoring it
// from the list and closing Ombrix with it listed all return at once, and once the program answers again
// its window is in the state Ombrix asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "hidden_list_support.h"

using namespace harness;
using namespace harness::hidden_list;

namespace {

class HungProgramTest : public OmbrixFixture {
protected:
    // Ombrix handles what comes through its message queue at once: a posted WM_CLOSE brings the
    // confirmation within a second, and is then declined. (A sent message would prove nothing: a thread
    // blocked inside a call to another thread still answers sent messages.)
    bool answersItsQueueAtOnce() const {
        const auto box = askToClose(1_s);
        if (!box) return false;
        box->answer(IDCANCEL);
        return box->waitUntilGone();
    }

    // Hides the target's window through the list while the target still answers, then stops it.
    void hideThenHang(const StartedTarget& target) {
        ASSERT_TRUE(hideThroughButton(pickOf(target.window())));
        ASSERT_TRUE(waitUntilVisible(target.window(), false));
        PostMessageA(target.window(), kTargetHangRequest, 0, 0);
        ASSERT_TRUE(waitUntil([&] { return targetIsHanging(target.process.pid()); }));
    }
};

// Picked by a real drag and hidden by a real click while it hangs.
TEST_F(HungProgramTest, HidingAHungWindowReturnsAtOnceAndTakesEffectWhenItAnswers) {
    const auto target = startSettledTargetAt({20, 20}, {"--hang"});
    HWND window = target.window();
    ASSERT_TRUE(waitUntil([&] { return targetIsHanging(target.process.pid()); }));

    ASSERT_TRUE(dragCrosshairTo(controls_, centreOf(clientRectOnScreen(window)), handleText(window)));
    EXPECT_EQ(controls_.fields(), pickOf(window));
    clickHideButton();
    EXPECT_TRUE(waitUntil([&] { return rowCount() == 1; }, 1_s)) << "the hide did not return at once";
    EXPECT_EQ(rows(), std::vector<std::vector<std::string>>{rowOf(pickOf(window))});
    EXPECT_TRUE(answersItsQueueAtOnce()) << "Ombrix froze";

    resumeHangingTarget(target.process.pid());
    EXPECT_TRUE(waitUntilVisible(window, false)) << "the window was not hidden once its program answered";
}

TEST_F(HungProgramTest, RestoringAHungWindowReturnsAtOnceAndTakesEffectWhenItAnswers) {
    const auto target = startSettledTargetAt({20, 20});
    hideThenHang(target);

    doubleClickRow(0);
    EXPECT_TRUE(waitUntil([&] { return rowCount() == 0; }, 1_s)) << "the restore did not return at once";
    EXPECT_TRUE(answersItsQueueAtOnce()) << "Ombrix froze";

    resumeHangingTarget(target.process.pid());
    EXPECT_TRUE(waitUntilVisible(target.window(), true)) << "the window was not shown once its program answered";
}

struct PolicyCase {
    const char* name;
    bool showAll;  // 单选框1, else 单选框2
};

void PrintTo(const PolicyCase& policy, std::ostream* out) { *out << policy.name; }

class ClosingWithAHungWindowTest : public HungProgramTest, public testing::WithParamInterface<PolicyCase> {};

TEST_P(ClosingWithAHungWindowTest, EndsPromptlyWithZero) {
    const auto target = startSettledTargetAt({20, 20});
    hideThenHang(target);
    chooseOnExit(GetParam().showAll ? controls_.showAllOnExit : controls_.terminateAllOnExit);

    const auto box = askToClose();
    ASSERT_TRUE(box.has_value()) << "no exit confirmation";
    clickBoxButton(*box, IDOK);
    EXPECT_EQ(ombrix_->waitForExit(3_s), 0u) << "Ombrix did not end promptly";

    if (GetParam().showAll) {
        resumeHangingTarget(target.process.pid());
        EXPECT_TRUE(waitUntilVisible(target.window(), true)) << "the window was not shown once its program answered";
    } else {
        EXPECT_EQ(target.process.waitForExit(), 0u) << "the hung program was not ended";
    }
}

INSTANTIATE_TEST_SUITE_P(Policies, ClosingWithAHungWindowTest,
                         testing::Values(PolicyCase{"ShowAll", true}, PolicyCase{"TerminateAll", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
