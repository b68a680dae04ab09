// Driving the hidden-window list of a running Ombrix from outside: its controls, the pick in its three
// fields, the hide button, the rows, and the windows of other programs that it hides and shows.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "handles.h"
#include "message_box.h"
#include "ombrix.h"
#include "process.h"
#include "remote.h"
#include "wait.h"

namespace harness::hidden_list {

inline const std::string kPickErrorText = "选择窗口错误！";
inline const std::string kOwnWindowText = "不是吧？你把我隐藏了你还用啥？！";
inline const std::string kNoSuchWindowText = "指定窗口不存在！";
// Posted to a target's window, it stops the target answering until resumeHangingTarget().
constexpr UINT kTargetHangRequest = WM_APP + 0x100;

using ombrix::handleText;
using ombrix::Pick;
using ombrix::processIdText;

// The pick the crosshair gives for `window`.
Pick pickOf(HWND window);
// A row of the list, as its three cells.
std::vector<std::string> rowOf(const Pick& pick);

// The controls of a running Ombrix that take part in hiding and restoring.
struct OmbrixControls {
    HWND mainWindow = nullptr;
    HWND pictureBox = nullptr;
    HWND titleField = nullptr;
    HWND handleField = nullptr;
    HWND processIdField = nullptr;
    HWND hideButton = nullptr;
    HWND list = nullptr;
    HWND showAllOnExit = nullptr;       // 单选框1
    HWND terminateAllOnExit = nullptr;  // 单选框2

    // Found among the descendants of `mainWindow`; throws std::runtime_error if one is missing.
    static OmbrixControls of(HWND mainWindow);

    Pick fields() const;
    // Puts a pick into the fields without a drag (WM_SETTEXT, which works on read-only edit boxes).
    void setFields(const Pick& pick) const;
    bool isChecked(HWND radioButton) const;
};

// A real drag from the crosshair's centre to `target`, released once the handle field shows
// `expectedHandle`; false if it never did.
bool dragCrosshairTo(const OmbrixControls& controls, POINT target, const std::string& expectedHandle);

// Where the rows of a list view of another process are on the screen.
class RowLocator {
public:
    explicit RowLocator(HWND list);
    // The screen rectangle of a row, scrolled into view first as a user would.
    RECT rowRectOnScreen(int row) const;

private:
    HWND list_;
    UniqueHandle process_;
    std::unique_ptr<RemoteMemory> memory_;  // allocated once: VirtualAllocEx into Wine processes is slow
};

// The text of a box; "" once it is being destroyed.
std::string textOf(const MessageBoxWindow& box);
// Waits until a box is the foreground window with the focus on one of its controls. A box still taking
// the activation and the focus would take them from a button just pressed, and the click would be lost.
bool waitUntilBoxSettled(const MessageBoxWindow& box);
// Real input on a settled box: a click on the button with that command id (IDOK, IDCANCEL), a click on
// its close box, the Escape key.
void clickBoxButton(const MessageBoxWindow& box, int commandId);
void clickBoxCloseBox(const MessageBoxWindow& box);
void pressEscapeOn(const MessageBoxWindow& box);

// True once `window`'s thread has handled a message sent now: whatever another program asked of that
// window before (such as ShowWindowAsync) has been done by then.
bool windowHasCaughtUp(HWND window, Timeout timeout = kDefaultTimeout);
// Waits until the window's visibility is `visible`.
bool waitUntilVisible(HWND window, bool visible, Timeout timeout = kDefaultTimeout);
// Waits until a window shown with SW_SHOW is visible and active: a click sent while its activation is
// still on the way would lose its button to that activation.
bool waitUntilShownAndActive(HWND window, Timeout timeout = kDefaultTimeout);

// A target started and settled: its main windows shown and one of them active, as a target makes
// itself as it starts. (A click sent while that activation is on the way would lose its button to it;
// targets are therefore started one after another.)
struct StartedTarget {
    ChildProcess process;
    std::vector<HWND> windows;  // every main window (several with --windows N)
    HWND window() const { return windows.front(); }
};
// Throws std::runtime_error if the target does not settle within `timeout`.
StartedTarget startSettledTarget(const std::vector<std::string>& options, size_t windowCount = 1,
                                 Timeout timeout = kDefaultTimeout);
// A settled target whose window is 240 x 160 with its top-left corner at `topLeft`.
StartedTarget startSettledTargetAt(POINT topLeft, std::vector<std::string> options = {});
// The pid of a process that has ended: a target started and closed again.
DWORD processIdThatHasEnded();

// Ombrix running with its main window shown, ended cleanly after each test.
class OmbrixFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Through the fields and a real click on 按钮1; true once the row is in the list.
    bool hideThroughButton(const Pick& pick);
    // A real click on 按钮1.
    void clickHideButton() const;
    int rowCount() const { return listReader().rowCount(); }
    std::vector<std::vector<std::string>> rows() const { return listReader().rows(); }
    // A box of Ombrix with exactly this text, within `timeout`.
    std::optional<MessageBoxWindow> waitForBox(const std::string& text, Timeout timeout = kDefaultTimeout) const;
    // Asks the main window to close as its close box does (a posted WM_CLOSE); the confirmation box.
    std::optional<MessageBoxWindow> askToClose(Timeout timeout = kDefaultTimeout) const;
    // Real click on a radio button of the exit choice.
    void chooseOnExit(HWND radioButton) const;
    RECT rowRectOnScreen(int row) const { return rows_->rowRectOnScreen(row); }
    // A real double-click on a row, in its title column.
    void doubleClickRow(int row) const;
    RemoteListView& listReader() const { return *list_; }

    std::optional<ChildProcess> ombrix_;
    OmbrixControls controls_;

private:
    std::unique_ptr<RemoteListView> list_;
    std::unique_ptr<RowLocator> rows_;
};

}  // namespace harness::hidden_list
