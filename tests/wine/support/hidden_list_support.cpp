#include "hidden_list_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "handles.h"
#include "input.h"
#include "ombrix.h"
#include "window_query.h"

namespace harness::hidden_list {

Pick pickOf(HWND window) { return {captionOf(window), handleText(window), processIdText(processIdOf(window))}; }

std::vector<std::string> rowOf(const Pick& pick) { return {pick.title, pick.handle, pick.processId}; }

namespace {

BOOL CALLBACK collectDescendant(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

void require(HWND window, const char* what) {
    if (!window) throw std::runtime_error(std::string("Ombrix has no ") + what);
}

}  // namespace

OmbrixControls OmbrixControls::of(HWND mainWindow) {
    std::vector<HWND> descendants;
    EnumChildWindows(mainWindow, collectDescendant, reinterpret_cast<LPARAM>(&descendants));
    OmbrixControls controls;
    controls.mainWindow = mainWindow;
    std::vector<HWND> edits;
    for (HWND window : descendants) {
        const std::string className = classNameOf(window);
        if (className == ombrix::kPictureBoxClass)
            controls.pictureBox = window;
        else if (className == WC_LISTVIEWA)
            controls.list = window;
        else if (className == "Edit")
            edits.push_back(window);
        else if (className == "Button") {
            const std::string text = controlText(window);
            if (text == "隐藏窗口")
                controls.hideButton = window;
            else if (text == "显示所有被隐藏的窗口")
                controls.showAllOnExit = window;
            else if (text == "结束所有被隐藏窗口所在的进程")
                controls.terminateAllOnExit = window;
        }
    }
    // Title, handle and process id, top to bottom.
    std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) { return windowRectOf(a).top < windowRectOf(b).top; });
    if (edits.size() != 3) throw std::runtime_error("Ombrix does not have three fields");
    controls.titleField = edits[0];
    controls.handleField = edits[1];
    controls.processIdField = edits[2];
    require(controls.pictureBox, "picture box");
    require(controls.list, "list view");
    require(controls.hideButton, "hide button");
    require(controls.showAllOnExit, "radio button 单选框1");
    require(controls.terminateAllOnExit, "radio button 单选框2");
    return controls;
}

Pick OmbrixControls::fields() const {
    return {controlText(titleField), controlText(handleField), controlText(processIdField)};
}

void OmbrixControls::setFields(const Pick& pick) const {
    const std::pair<HWND, const std::string*> writes[] = {
        {titleField, &pick.title}, {handleField, &pick.handle}, {processIdField, &pick.processId}};
    for (const auto& [field, text] : writes) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text->c_str()), SMTO_ABORTIFHUNG, 5000,
                                 &result) ||
            !result)
            throw std::runtime_error("a field of Ombrix did not take its text");
    }
}

bool OmbrixControls::isChecked(HWND radioButton) const {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(radioButton, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return state == BST_CHECKED;
}

bool dragCrosshairTo(const OmbrixControls& controls, POINT target, const std::string& expectedHandle) {
    const POINT start = centreOf(windowRectOf(controls.pictureBox));
    moveMouseTo(start);
    pressLeftButtonAt(start);
    // Moves before the picture box holds the capture would go to other windows.
    const DWORD ombrixThread = threadIdOf(controls.pictureBox);
    bool reached = waitUntil([&] { return captureOfThread(ombrixThread) == controls.pictureBox; }, 5_s);
    if (reached) {
        constexpr int steps = 6;
        for (int step = 1; step <= steps; ++step)
            moveMouseTo({start.x + (target.x - start.x) * step / steps, start.y + (target.y - start.y) * step / steps});
        const auto showsTarget = [&] { return controlText(controls.handleField) == expectedHandle; };
        reached = waitUntil(showsTarget, 2_s);
        // A move the program had not seen yet when the pointer stopped: nudge it within the target.
        for (int nudge = 0; !reached && nudge < 4; ++nudge) {
            moveMouseTo({target.x + (nudge % 2 == 0 ? 1 : 0), target.y});
            reached = waitUntil(showsTarget, 1_s);
        }
    }
    releaseLeftButtonAt(target);
    waitUntil([&] { return captureOfThread(ombrixThread) != controls.pictureBox; }, 5_s);
    return reached;
}

RowLocator::RowLocator(HWND list)
    : list_(list),
      process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processIdOf(list))) {
    if (!process_) throw std::runtime_error("cannot open the list view's process");
    memory_ = std::make_unique<RemoteMemory>(process_.get(), sizeof(RECT));
}

RECT RowLocator::rowRectOnScreen(int row) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(list_, LVM_ENSUREVISIBLE, row, FALSE, SMTO_ABORTIFHUNG, 5000, &ignored);
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    memory_->write(0, &rect, sizeof rect);
    DWORD_PTR found = 0;
    if (!SendMessageTimeoutA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory_->address()),
                             SMTO_ABORTIFHUNG, 5000, &found) ||
        !found)
        throw std::runtime_error("the list has no row " + std::to_string(row));
    memory_->read(0, &rect, sizeof rect);
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string textOf(const MessageBoxWindow& box) {
    try {
        return box.text();
    } catch (const std::runtime_error&) {
        return {};
    }
}

bool waitUntilBoxSettled(const MessageBoxWindow& box) {
    const DWORD boxThread = threadIdOf(box.handle());
    return waitUntil(
        [&] {
            HWND focus = focusOfThread(boxThread);
            return GetForegroundWindow() == box.handle() && focus && IsChild(box.handle(), focus);
        },
        5_s);
}

void clickBoxButton(const MessageBoxWindow& box, int commandId) {
    waitUntilBoxSettled(box);
    for (HWND child : childrenInStackingOrder(box.handle()))
        if (classNameOf(child) == "Button" && GetDlgCtrlID(child) == commandId) {
            clickAt(centreOf(windowRectOf(child)));
            return;
        }
    throw std::runtime_error("the box has no button " + std::to_string(commandId));
}

void clickBoxCloseBox(const MessageBoxWindow& box) {
    waitUntilBoxSettled(box);
    const auto closeBox = pointWithHitTest(box.handle(), HTCLOSE);
    if (!closeBox) throw std::runtime_error("the box has no close box");
    clickAt(*closeBox);
}

void pressEscapeOn(const MessageBoxWindow& box) {
    if (!waitUntilBoxSettled(box)) throw std::runtime_error("the box did not take the keyboard");
    pressKey(VK_ESCAPE);
}

bool windowHasCaughtUp(HWND window, Timeout timeout) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout.milliseconds, &ignored) != 0;
}

bool waitUntilVisible(HWND window, bool visible, Timeout timeout) {
    return waitUntil([&] { return (IsWindowVisible(window) != FALSE) == visible; }, timeout);
}

bool waitUntilShownAndActive(HWND window, Timeout timeout) {
    return waitUntil([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }, timeout);
}

StartedTarget startSettledTarget(const std::vector<std::string>& options, size_t windowCount, Timeout timeout) {
    StartedTarget target{startTarget(options), {}};
    const DWORD pid = target.process.pid();
    const bool settled = waitUntil(
        [&] {
            target.windows = findTopLevelWindows({pid, kTargetClass, std::nullopt, true});
            return target.windows.size() == windowCount && processIdOf(GetForegroundWindow()) == pid;
        },
        timeout);
    if (!settled) throw std::runtime_error("the target did not show its windows and become active");
    return target;
}

StartedTarget startSettledTargetAt(POINT topLeft, std::vector<std::string> options) {
    options.push_back("--rect");
    for (LONG value : {topLeft.x, topLeft.y, 240L, 160L}) options.push_back(std::to_string(value));
    return startSettledTarget(options);
}

DWORD processIdThatHasEnded() {
    DWORD pid = 0;
    {
        StartedTarget target = startSettledTarget({});
        pid = target.process.pid();
        PostMessageA(target.window(), WM_CLOSE, 0, 0);
        if (!target.process.waitForExit()) throw std::runtime_error("the target did not end");
    }
    // Wine keeps an ended process openable, and even "terminable", for a moment after its last handle.
    const bool gone = waitUntil([&] { return !UniqueHandle(OpenProcess(PROCESS_TERMINATE, FALSE, pid)); });
    if (!gone) throw std::runtime_error("the ended process can still be opened");
    return pid;
}

void OmbrixFixture::SetUp() {
    ombrix_.emplace(startOmbrix());
    HWND mainWindow = ombrix::waitForMainWindow(*ombrix_);
    ASSERT_NE(mainWindow, nullptr) << ombrix::whyNoMainWindow(*ombrix_);
    ASSERT_TRUE(waitUntilShownAndActive(mainWindow)) << "Ombrix's main window did not become active";
    // The X pointer may still be where the last test, or the X server, left it.
    moveMouseInto(centreOf(windowRectOf(mainWindow)));
    controls_ = OmbrixControls::of(mainWindow);
    list_ = std::make_unique<RemoteListView>(controls_.list);
    rows_ = std::make_unique<RowLocator>(controls_.list);
}

void OmbrixFixture::TearDown() {
    list_.reset();
    rows_.reset();
    if (ombrix_) ombrix::endOmbrix(*ombrix_);
}

void OmbrixFixture::doubleClickRow(int row) const {
    const RECT rect = rowRectOnScreen(row);
    // In the title column, clear of the grid lines.
    doubleClickAt({rect.left + 30, (rect.top + rect.bottom) / 2});
}

void OmbrixFixture::clickHideButton() const { clickAt(centreOf(windowRectOf(controls_.hideButton))); }

bool OmbrixFixture::hideThroughButton(const Pick& pick) {
    const int before = rowCount();
    controls_.setFields(pick);
    clickHideButton();
    return waitUntil([&] { return rowCount() == before + 1; });
}

std::optional<MessageBoxWindow> OmbrixFixture::waitForBox(const std::string& text, Timeout timeout) const {
    std::optional<MessageBoxWindow> found;
    waitUntil(
        [&] {
            for (const auto& box : messageBoxesOf(ombrix_->pid()))
                if (textOf(box) == text) found = box;
            return found.has_value();
        },
        timeout);
    return found;
}

std::optional<MessageBoxWindow> OmbrixFixture::askToClose(Timeout timeout) const {
    PostMessageA(controls_.mainWindow, WM_CLOSE, 0, 0);
    return waitForBox(ombrix::kExitConfirmationText, timeout);
}

void OmbrixFixture::chooseOnExit(HWND radioButton) const {
    clickAt(centreOf(windowRectOf(radioButton)));
    if (!waitUntil([&] { return controls_.isChecked(radioButton); }))
        throw std::runtime_error("the radio button did not become checked");
}

}  // namespace harness::hidden_list
