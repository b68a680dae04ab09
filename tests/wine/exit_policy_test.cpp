// Closing the program: it asks first, then shows every listed window again (单选框1) or ends the
// processes of the listed windows (单选框2), on the real program with windows of other processes.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "harness.h"
#include "hidden_list_support.h"

using namespace harness;
using namespace harness::hidden_list;

namespace {

std::string failureText(const std::string& processName) {
    return "结束进程 " + processName + " 失败！现将该窗口还原！";
}
// What the message names when the process's file name cannot be read.
const std::string kUnreadableName(255, ' ');

Pick withProcessId(Pick pick, DWORD processId) {
    pick.processId = processIdText(processId);
    return pick;
}

class ExitPolicyTest : public OmbrixFixture {
protected:
    // Asks to close and answers the confirmation with a real click on OK.
    void confirmClose() {
        const auto box = askToClose();
        ASSERT_TRUE(box.has_value()) << "no exit confirmation";
        clickBoxButton(*box, IDOK);
        ASSERT_TRUE(box->waitUntilGone());
    }

    // Answers every failure box with OK until the program ends; the texts of the boxes, in order.
    std::vector<std::string> answerFailuresUntilExit(const std::function<void()>& beforeEachAnswer = {}) {
        std::vector<std::string> texts;
        const Deadline deadline(20_s);
        while (ombrix_->running() && deadline.left().milliseconds > 0) {
            std::optional<MessageBoxWindow> box;
            waitUntil(
                [&] {
                    const auto boxes = messageBoxesOf(ombrix_->pid());
                    if (!boxes.empty()) box = boxes.front();
                    return box.has_value() || !ombrix_->running();
                },
                deadline.left());
            if (!box) break;
            texts.push_back(textOf(*box));
            if (beforeEachAnswer) beforeEachAnswer();
            clickBoxButton(*box, IDOK);
            box->waitUntilGone();
        }
        return texts;
    }
};

struct DeclineCase {
    const char* name;
    std::function<void(const MessageBoxWindow&)> decline;
};

void PrintTo(const DeclineCase& way, std::ostream* out) { *out << way.name; }

class DeclinedExitTest : public ExitPolicyTest, public testing::WithParamInterface<DeclineCase> {};

// Every way of saying no keeps the program, its list and the hidden windows; the next close asks again.
TEST_P(DeclinedExitTest, KeepsTheProgramTheListAndTheHiddenWindows) {
    const auto first = startSettledTargetAt({20, 20});
    const auto second = startSettledTargetAt({760, 20});
    ASSERT_TRUE(hideThroughButton(pickOf(first.window())));
    ASSERT_TRUE(hideThroughButton(pickOf(second.window())));
    const auto listed = rows();

    const auto box = askToClose();
    ASSERT_TRUE(box.has_value()) << "no exit confirmation";
    EXPECT_EQ(box->buttonIds(), (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_TRUE(waitUntil([&] { return box->icon() == BoxIcon::information; }, 3_s)) << nameOf(box->icon());
    GetParam().decline(*box);
    ASSERT_TRUE(box->waitUntilGone());

    // Once it asks again, it has finished with the first answer.
    const auto again = askToClose();
    ASSERT_TRUE(again.has_value()) << "a later close did not ask again";
    EXPECT_TRUE(ombrix_->running());
    EXPECT_TRUE(IsWindowVisible(controls_.mainWindow));
    EXPECT_EQ(rows(), listed);
    for (HWND window : {first.window(), second.window()}) {
        ASSERT_TRUE(windowHasCaughtUp(window));
        EXPECT_FALSE(IsWindowVisible(window)) << "a declined close showed a listed window";
    }

    clickBoxButton(*again, IDOK);
    EXPECT_EQ(ombrix_->waitForExit(), 0u);
    for (HWND window : {first.window(), second.window()}) EXPECT_TRUE(waitUntilVisible(window, true));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, DeclinedExitTest,
    testing::Values(DeclineCase{"CancelButton", [](const MessageBoxWindow& box) { clickBoxButton(box, IDCANCEL); }},
                    DeclineCase{"EscapeKey", [](const MessageBoxWindow& box) { pressEscapeOn(box); }},
                    DeclineCase{"CloseBox", [](const MessageBoxWindow& box) { clickBoxCloseBox(box); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExitPolicyTest, EmptyListStillAsksThenExitsWithZero) {
    confirmClose();
    EXPECT_EQ(ombrix_->waitForExit(), 0u);
}

// 单选框1, checked at start: every listed window is shown again; a window closed meanwhile is passed over
// without a word; the programs behind the windows keep running.
TEST_F(ExitPolicyTest, ShowAllShowsEveryListedWindowAndSkipsAClosedOneSilently) {
    ASSERT_TRUE(controls_.isChecked(controls_.showAllOnExit));
    const auto first = startSettledTargetAt({20, 20});
    const auto closed = startSettledTargetAt({20, 200});
    const auto last = startSettledTargetAt({760, 20});
    for (const auto* target : {&first, &closed, &last}) ASSERT_TRUE(hideThroughButton(pickOf(target->window())));
    ASSERT_TRUE(waitUntilVisible(closed.window(), false));
    PostMessageA(closed.window(), WM_CLOSE, 0, 0);
    ASSERT_EQ(closed.process.waitForExit(), 0u);

    confirmClose();
    // Any other box would keep it from ending.
    EXPECT_EQ(ombrix_->waitForExit(), 0u);
    for (const auto* target : {&first, &last}) {
        EXPECT_TRUE(waitUntilVisible(target->window(), true)) << "a listed window was not shown";
        EXPECT_TRUE(target->process.running());
    }
}

// 单选框2: the processes of the listed windows end, without a message, and the program exits with 0.
TEST_F(ExitPolicyTest, TerminateAllEndsTheListedProcesses) {
    const auto first = startSettledTargetAt({20, 20});
    const auto second = startSettledTargetAt({760, 20});
    ASSERT_TRUE(hideThroughButton(pickOf(first.window())));
    ASSERT_TRUE(hideThroughButton(pickOf(second.window())));
    chooseOnExit(controls_.terminateAllOnExit);
    EXPECT_FALSE(controls_.isChecked(controls_.showAllOnExit));

    confirmClose();
    EXPECT_EQ(answerFailuresUntilExit(), std::vector<std::string>{});
    EXPECT_EQ(ombrix_->waitForExit(), 0u);
    EXPECT_EQ(first.process.waitForExit(), 0u);
    EXPECT_EQ(second.process.waitForExit(), 0u);
}

// A row whose process has ended before the close cannot be terminated. Its message names no file (255
// spaces), the rows below wait until it is answered, and then the row's window is shown. The row's
// window here belongs to another, living program, so that showing it can be seen.
TEST_F(ExitPolicyTest, TerminateAllReportsAnEndedProcessThenShowsItsRowsWindow) {
    const auto first = startSettledTargetAt({20, 20});
    const auto shownAgain = startSettledTargetAt({20, 200});
    const auto last = startSettledTargetAt({760, 20});
    const DWORD endedProcess = processIdThatHasEnded();
    ASSERT_TRUE(hideThroughButton(pickOf(first.window())));
    ASSERT_TRUE(hideThroughButton(withProcessId(pickOf(shownAgain.window()), endedProcess)));
    ASSERT_TRUE(hideThroughButton(pickOf(last.window())));
    ASSERT_TRUE(waitUntilVisible(shownAgain.window(), false));
    chooseOnExit(controls_.terminateAllOnExit);

    confirmClose();
    const auto failure = waitForBox(failureText(kUnreadableName));
    ASSERT_TRUE(failure.has_value()) << "no failure message";
    EXPECT_EQ(failure->buttonIds(), std::vector<int>{IDOK});
    EXPECT_TRUE(waitUntil([&] { return failure->icon() == BoxIcon::error; }, 3_s)) << nameOf(failure->icon());
    EXPECT_EQ(first.process.waitForExit(), 0u) << "the row above was not done first";
    EXPECT_TRUE(last.process.running()) << "the row below did not wait for the message";
    ASSERT_TRUE(windowHasCaughtUp(shownAgain.window()));
    EXPECT_FALSE(IsWindowVisible(shownAgain.window())) << "shown before the message was answered";

    clickBoxButton(*failure, IDOK);
    EXPECT_TRUE(waitUntilVisible(shownAgain.window(), true)) << "the window was not shown after the message";
    EXPECT_EQ(last.process.waitForExit(), 0u);
    EXPECT_EQ(ombrix_->waitForExit(), 0u);
    EXPECT_TRUE(shownAgain.process.running());
}

// Rows that share a process: the process is ended once, and its later rows count as done. A process that
// had ended before the close is still reported on each of its rows.
//
// Under Wine a process that is being ended, or that anything still holds, can be "terminated" again with
// success; only once it is gone for good does a new attempt fail. So only a row that comes after a
// message, which the test answers once the ended target is gone for good, shows whether a later row of
// an ended process is counted as done or tried again.
struct SharedProcessCase {
    const char* name;
    struct Row {
        int window;        // which of the target's two windows
        bool endedBefore;  // the row carries the id of a process that ended before the close
    };
    std::vector<Row> rows;
    size_t failureMessages;
    bool targetEnds;
};

void PrintTo(const SharedProcessCase& rows, std::ostream* out) { *out << rows.name; }

class SharedProcessTest : public ExitPolicyTest, public testing::WithParamInterface<SharedProcessCase> {};

TEST_P(SharedProcessTest, TerminateAllReportsOnlyWhatFailed) {
    std::optional<StartedTarget> target(startSettledTarget({"--windows", "2", "--rect", "20", "20", "240", "160"}, 2));
    const DWORD targetPid = target->process.pid();
    const std::vector<HWND> windows = target->windows;
    const DWORD endedProcess = processIdThatHasEnded();
    for (const auto& row : GetParam().rows) {
        const Pick pick = pickOf(windows.at(static_cast<size_t>(row.window)));
        ASSERT_TRUE(hideThroughButton(row.endedBefore ? withProcessId(pick, endedProcess) : pick));
    }
    chooseOnExit(controls_.terminateAllOnExit);

    std::optional<DWORD> targetExitCode;
    const auto letTheEndedTargetGo = [&] {
        if (!GetParam().targetEnds || !target) return;
        targetExitCode = target->process.waitForExit();
        target.reset();
        waitUntil([&] { return !UniqueHandle(OpenProcess(PROCESS_TERMINATE, FALSE, targetPid)); });
    };
    confirmClose();
    EXPECT_EQ(answerFailuresUntilExit(letTheEndedTargetGo),
              std::vector<std::string>(GetParam().failureMessages, failureText(kUnreadableName)));
    EXPECT_EQ(ombrix_->waitForExit(), 0u);
    if (GetParam().targetEnds) {
        if (target) targetExitCode = target->process.waitForExit();
        EXPECT_EQ(targetExitCode, 0u) << "the target was not ended";
    } else {
        EXPECT_TRUE(target->process.running());
        for (HWND window : windows) EXPECT_TRUE(waitUntilVisible(window, true));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SharedProcessTest,
    testing::Values(SharedProcessCase{"TwoWindowsOfOneProgram", {{0, false}, {1, false}}, 0, true},
                    SharedProcessCase{"OneWindowHiddenTwice", {{0, false}, {0, false}}, 0, true},
                    SharedProcessCase{"FailureBetweenRowsOfOneProgram", {{0, false}, {1, true}, {1, false}}, 1, true},
                    SharedProcessCase{"EndedProcessOnTwoRows", {{0, true}, {1, true}}, 2, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A log-off or shut-down asks the same question. The answer goes back to the one who asked, and OK
// applies the choice of 单选框1 / 单选框2 as a close does.
class EndSessionQuery {
public:
    explicit EndSessionQuery(HWND mainWindow) : window_(mainWindow) {
        thread_.reset(CreateThread(nullptr, 0, ask, this, 0, nullptr));
        if (!thread_) throw std::runtime_error("cannot start the thread that asks");
    }
    EndSessionQuery(const EndSessionQuery&) = delete;
    EndSessionQuery& operator=(const EndSessionQuery&) = delete;
    ~EndSessionQuery() { WaitForSingleObject(thread_.get(), 30000); }

    // The program's answer: TRUE lets the session end.
    std::optional<LRESULT> answer(Timeout timeout = kDefaultTimeout) const {
        if (WaitForSingleObject(thread_.get(), timeout.milliseconds) != WAIT_OBJECT_0 || !answered_)
            return std::nullopt;
        return answer_;
    }

private:
    static DWORD WINAPI ask(void* context) {
        auto* query = static_cast<EndSessionQuery*>(context);
        DWORD_PTR result = 0;
        query->answered_ = SendMessageTimeoutA(query->window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                               30000, &result) != 0;
        query->answer_ = static_cast<LRESULT>(result);
        return 0;
    }

    HWND window_;
    bool answered_ = false;
    LRESULT answer_ = 0;
    UniqueHandle thread_;
};

TEST_F(ExitPolicyTest, EndOfSessionAsksTheSameQuestionAndAppliesTheChoice) {
    const auto target = startSettledTargetAt({20, 20});
    ASSERT_TRUE(hideThroughButton(pickOf(target.window())));
    ASSERT_TRUE(waitUntilVisible(target.window(), false));

    {
        EndSessionQuery query(controls_.mainWindow);
        const auto box = waitForBox(ombrix::kExitConfirmationText);
        ASSERT_TRUE(box.has_value()) << "no confirmation for the end of the session";
        clickBoxButton(*box, IDCANCEL);
        EXPECT_EQ(query.answer(), FALSE);
    }
    ASSERT_TRUE(windowHasCaughtUp(target.window()));
    EXPECT_FALSE(IsWindowVisible(target.window()));

    {
        EndSessionQuery query(controls_.mainWindow);
        const auto box = waitForBox(ombrix::kExitConfirmationText);
        ASSERT_TRUE(box.has_value()) << "no confirmation for the end of the session";
        clickBoxButton(*box, IDOK);
        EXPECT_EQ(query.answer(), TRUE);
    }
    EXPECT_TRUE(waitUntilVisible(target.window(), true)) << "OK did not show the listed window";
    EXPECT_TRUE(ombrix_->running()) << "the program ends with the session, not on the question";
}

}  // namespace
