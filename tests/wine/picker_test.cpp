// Drag-to-pick, from outside and with real mouse input: the crosshair is dragged from Ombrix's picture box
// onto windows of other processes, and the test reads Ombrix's fields and mouse capture and the pixels on
// the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

using namespace harness;
using harness::ombrix::handleText;
using harness::ombrix::Pick;
using harness::ombrix::processIdText;

namespace {

// The targets lie left of Ombrix's window, (289, 236)-(734, 531), and apart from each other, so that each
// is fully visible and a frame on one cannot touch another.
const std::vector<std::string> kUpperLeft = {"--rect", "20", "30", "240", "170"};
const std::vector<std::string> kLowerLeft = {"--rect", "20", "440", "240", "170"};

// The 4-pixel pen on the outline of (2, 2)-(W - 2, H - 2) covers depths 0 to 3 from the left and top edges
// and 1 to 4 from the right and bottom ones (depth: distance from the nearest outer edge). 1 to 3 are in
// the band on every side; from 5 on nothing may change.
constexpr int kBandFirstDepth = 1;
constexpr int kBandLastDepth = 3;
constexpr int kUntouchedDepth = 5;

// target_window.exe's options: a place and more.
std::vector<std::string> placed(std::vector<std::string> place, const std::vector<std::string>& more) {
    place.insert(place.end(), more.begin(), more.end());
    return place;
}

COLORREF inverse(COLORREF colour) {
    return RGB(255 - GetRValue(colour), 255 - GetGValue(colour), 255 - GetBValue(colour));
}

std::string pointerText() {
    POINT pointer{};
    GetCursorPos(&pointer);
    return "(" + std::to_string(pointer.x) + ", " + std::to_string(pointer.y) + ")";
}

std::string describe(COLORREF colour) {
    std::ostringstream text;
    text << "RGB(" << int(GetRValue(colour)) << ", " << int(GetGValue(colour)) << ", " << int(GetBValue(colour)) << ")";
    return text.str();
}

// Checks `expected(before, now)` for every pixel whose depth `selected` takes; the first one that fails is
// described.
template <typename Selected, typename Expected>
testing::AssertionResult pixelsAre(const ScreenPixels& before, const ScreenPixels& now, Selected selected,
                                   Expected expected, const char* what) {
    for (int y = 0; y < now.height(); ++y)
        for (int x = 0; x < now.width(); ++x) {
            const int depth = std::min({x, y, now.width() - 1 - x, now.height() - 1 - y});
            if (selected(depth) && !expected(before.at(x, y), now.at(x, y)))
                return testing::AssertionFailure() << what << " pixel (" << x << ", " << y << ") is "
                                                   << describe(now.at(x, y)) << ", was " << describe(before.at(x, y));
        }
    return testing::AssertionSuccess();
}

bool inBand(int depth) { return depth >= kBandFirstDepth && depth <= kBandLastDepth; }
bool inside(int depth) { return depth >= kUntouchedDepth; }
bool anywhere(int) { return true; }
bool inverted(COLORREF before, COLORREF now) { return now == inverse(before); }
bool same(COLORREF before, COLORREF now) { return now == before; }

// A window's pixels now against those it showed before it was framed.
testing::AssertionResult isFramed(const ScreenPixels& before, const ScreenPixels& now) {
    if (auto band = pixelsAre(before, now, inBand, inverted, "band"); !band) return band;
    return pixelsAre(before, now, inside, same, "inner");
}

testing::AssertionResult isUnchanged(const ScreenPixels& before, const ScreenPixels& now) {
    return pixelsAre(before, now, anywhere, same, "a");
}

const Pick kEmptyFields{"", "", ""};

// A target_window.exe and its main (unowned) window.
struct Target {
    ChildProcess process;
    HWND window = nullptr;

    // The window is null if it did not appear and take the activation.
    static Target start(const std::vector<std::string>& arguments) {
        Target target{startTarget(arguments), nullptr};
        waitUntil([&] {
            for (HWND window : findTopLevelWindows({target.process.pid(), kTargetClass, std::nullopt, true}))
                if (!GetWindow(window, GW_OWNER)) target.window = window;
            return target.window != nullptr;
        });
        // A new program's window takes the activation a moment after it shows; later, that would take it
        // from Ombrix in the middle of a test.
        if (!waitUntil([&] { return processIdOf(GetForegroundWindow()) == target.process.pid(); }))
            target.window = nullptr;
        return target;
    }

    RECT rect() const { return windowRectOf(window); }
    POINT centre() const { return centreOf(clientRectOnScreen(window)); }
    // What the picker writes for this window when its title is `title`.
    Pick fields(const std::string& title) const { return {title, handleText(window), processIdText(process.pid())}; }
};

class PickerTest : public testing::Test {
protected:
    // Called once the targets run: Ombrix's window, shown last, takes the activation from them as the press
    // on the box would, so that their captions are drawn inactive before any 'before' pixels are taken, and
    // no extra click is needed for it.
    void startOmbrixLast() {
        ombrix_.emplace(startOmbrix());
        main_ = ombrix::waitForMainWindow(*ombrix_);
        ASSERT_NE(main_, nullptr) << ombrix::whyNoMainWindow(*ombrix_);
        thread_ = threadIdOf(main_);
        box_ = FindWindowExA(main_, nullptr, ombrix::kPictureBoxClass.c_str(), nullptr);
        ASSERT_NE(box_, nullptr);
        // The fields are the three edit boxes of one group box, top to bottom.
        for (HWND group : childrenInStackingOrder(main_)) {
            std::vector<HWND> edits;
            for (HWND child : childrenInStackingOrder(group))
                if (classNameOf(child) == "Edit") edits.push_back(child);
            if (edits.size() != 3) continue;
            std::sort(edits.begin(), edits.end(),
                      [](HWND a, HWND b) { return windowRectOf(a).top < windowRectOf(b).top; });
            titleField_ = edits[0];
            handleField_ = edits[1];
            processIdField_ = edits[2];
        }
        ASSERT_NE(titleField_, nullptr) << "no group box with three edit boxes";
        ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == main_; })) << "Ombrix did not become active";
        crosshair_.emplace(settledCapture(boxArea()));
        ASSERT_FALSE(boxIsEmpty(*crosshair_)) << "the picture box does not show the crosshair";
    }

    void TearDown() override {
        // A test that stopped half-way may leave the button down; a release without a press does nothing.
        releaseLeftButton();
        if (ombrix_) ombrix::endOmbrix(*ombrix_);
    }

    Pick fields() const { return {controlText(titleField_), controlText(handleField_), controlText(processIdField_)}; }

    HWND capture() const { return captureOfThread(thread_); }

    RECT boxArea() const { return clientRectOnScreen(box_); }
    static bool boxIsEmpty(const ScreenPixels& box) {
        const COLORREF background = GetSysColor(COLOR_BTNFACE);
        for (int y = 0; y < box.height(); ++y)
            for (int x = 0; x < box.width(); ++x)
                if (box.at(x, y) != background) return false;
        return true;
    }
    bool boxShowsCrosshair() const { return captureScreen(boxArea()) == *crosshair_; }
    std::string pickerState() const {
        const ScreenPixels box = captureScreen(boxArea());
        std::ostringstream text;
        text << "capture " << capture() << " (box " << box_ << "), box "
             << (box == *crosshair_ ? "shows the crosshair"
                 : boxIsEmpty(box)  ? "is empty"
                                    : "shows something else");
        return text.str();
    }

    // A point of the picture box. Consecutive presses alternate between two points 8 pixels apart, so that
    // Windows never takes a press for the second click of a double-click.
    POINT nextPressPoint() {
        const POINT centre = centreOf(boxArea());
        const int offset = (presses_++ % 2) ? 4 : -4;
        return {centre.x + offset, centre.y + offset};
    }

    // Presses on the crosshair and waits until the drag has begun: the box holds the capture and is empty.
    testing::AssertionResult beginDrag() {
        moveMouseInto(nextPressPoint());
        pressLeftButton();
        if (!waitUntil([&] { return capture() == box_ && boxIsEmpty(captureScreen(boxArea())); }, 5_s))
            return testing::AssertionFailure() << "no drag began: " << pickerState();
        return testing::AssertionSuccess();
    }

    // Releases the button and waits until the picker is idle.
    testing::AssertionResult endDrag() {
        releaseLeftButton();
        return isIdle();
    }

    // No capture, and the crosshair in the box.
    testing::AssertionResult isIdle() const {
        if (!waitUntil([&] { return capture() == nullptr && boxShowsCrosshair(); }, 5_s))
            return testing::AssertionFailure() << "not idle: " << pickerState();
        return testing::AssertionSuccess();
    }

    // Moves the pointer to `at` and waits until `target` is picked: its fields written and it framed.
    testing::AssertionResult pick(const Target& target, POINT at, const ScreenPixels& before, const Pick& expected) {
        moveMouseInto(at);
        if (!waitUntil([&] { return fields() == expected; }, 5_s))
            return testing::AssertionFailure()
                   << "fields " << testing::PrintToString(fields()) << ", expected " << testing::PrintToString(expected)
                   << "; " << pickerState() << ", pointer at " << pointerText() << ", foreground "
                   << GetForegroundWindow() << ", under (" << at.x << ", " << at.y << ") "
                   << GetAncestor(WindowFromPoint(at), GA_ROOTOWNER) << ", target " << target.window;
        return framedSoon(target, before);
    }

    static testing::AssertionResult framedSoon(const Target& target, const ScreenPixels& before) {
        testing::AssertionResult result = testing::AssertionFailure();
        waitUntil([&] { return bool(result = isFramed(before, captureScreen(target.rect()))); }, 5_s);
        return result;
    }

    static testing::AssertionResult unchangedSoon(const RECT& area, const ScreenPixels& before) {
        testing::AssertionResult result = testing::AssertionFailure();
        waitUntil([&] { return bool(result = isUnchanged(before, captureScreen(area))); }, 5_s);
        return result;
    }

    // For checking that something did not happen. Input reaches a program in the order it was given: once a
    // Tab typed now has moved Ombrix's focus, every mouse message given before it has been taken from the
    // queue, and so has every message posted before it (posted messages come out before input). The round
    // trip afterwards lets the handler that took them run to its end.
    testing::AssertionResult earlierInputHandled() {
        const HWND focus = focusOfThread(thread_);
        // Down and up in one call: the focus is what is waited for, not the key state.
        INPUT tab[2]{};
        for (INPUT& input : tab) {
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = VK_TAB;
            input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_TAB, MAPVK_VK_TO_VSC));
        }
        tab[1].ki.dwFlags = KEYEVENTF_KEYUP;
        if (SendInput(2, tab, sizeof(INPUT)) != 2) return testing::AssertionFailure() << "SendInput failed";
        if (!waitUntil([&] { return focusOfThread(thread_) != focus; }, 5_s))
            return testing::AssertionFailure() << "Tab did not move Ombrix's focus";
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored))
            return testing::AssertionFailure() << "Ombrix does not answer";
        return testing::AssertionSuccess();
    }

    std::optional<ChildProcess> ombrix_;
    HWND main_ = nullptr;
    DWORD thread_ = 0;
    HWND box_ = nullptr;
    HWND titleField_ = nullptr;
    HWND handleField_ = nullptr;
    HWND processIdField_ = nullptr;
    std::optional<ScreenPixels> crosshair_;
    int presses_ = 0;
};

// ---------------------------------------------------------------------------------------------------------
// What a pick writes into the fields.

enum class DropOn { mainWindow, ownedPopup, childControl };

struct PickCase {
    const char* name;
    std::vector<std::string> options;
    DropOn dropOn;
    std::string expectedTitle;
    friend void PrintTo(const PickCase& pickCase, std::ostream* out) { *out << pickCase.name; }
};

class PickFieldsTest : public PickerTest, public testing::WithParamInterface<PickCase> {};

// During the drag the window is framed and the fields name its root owner; after the release the frame is
// gone and the fields keep the pick.
TEST_P(PickFieldsTest, FieldsNameTheRootOwnerAndOutlastTheRelease) {
    Target target = Target::start(placed(kUpperLeft, GetParam().options));
    ASSERT_NE(target.window, nullptr);
    POINT dropAt = target.centre();
    if (GetParam().dropOn == DropOn::ownedPopup) {
        HWND popup = waitForTopLevelWindow({target.process.pid(), kTargetClass, "owned popup", true});
        ASSERT_NE(popup, nullptr);
        dropAt = centreOf(windowRectOf(popup));
        ASSERT_TRUE(waitUntil([&] { return WindowFromPoint(dropAt) == popup; }))
            << "the drop point must lie on the owned popup";
    } else if (GetParam().dropOn == DropOn::childControl) {
        const auto children = childrenInStackingOrder(target.window);
        ASSERT_EQ(children.size(), 1u);
        ASSERT_TRUE(waitUntil([&] { return WindowFromPoint(dropAt) == children.front(); }))
            << "the drop point must lie on the child control";
    }
    ASSERT_NO_FATAL_FAILURE(startOmbrixLast());
    const ScreenPixels before = settledCapture(target.rect());
    const Pick expected = target.fields(GetParam().expectedTitle);

    ASSERT_TRUE(beginDrag());
    EXPECT_EQ(fields(), kEmptyFields) << "a press alone writes nothing";
    EXPECT_TRUE(pick(target, dropAt, before, expected));
    EXPECT_TRUE(endDrag());
    EXPECT_EQ(fields(), expected);
    EXPECT_TRUE(unchangedSoon(target.rect(), before)) << "the frame outlasts the release";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, PickFieldsTest,
    testing::Values(
        PickCase{"PlainTitle", {"--title", "target window"}, DropOn::mainWindow, "target window"},
        // CP936 bytes, as GetWindowTextA gives them under code page 936.
        PickCase{"ChineseTitle", {"--title", "记事本 - 信息：测试"}, DropOn::mainWindow, "记事本 - 信息：测试"},
        PickCase{"OwnedPopupGivesItsOwner", {"--title", "owner", "--owned"}, DropOn::ownedPopup, "owner"},
        PickCase{"ChildControlGivesItsWindow", {"--title", "parent", "--child"}, DropOn::childControl, "parent"},
        PickCase{"LongTitleIsCutTo255Bytes", {"--title-length", "300"}, DropOn::mainWindow, std::string(255, 'x')},
        PickCase{"EmptyTitleStillGivesHandleAndId", {"--empty-title"}, DropOn::mainWindow, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Window A above window B, and Ombrix in front of both, with the pixels each target showed before any pick.
class TwoTargetsTest : public PickerTest {
protected:
    void SetUp() override {
        a_.emplace(Target::start(placed(kUpperLeft, {"--title", "window A"})));
        b_.emplace(Target::start(placed(kLowerLeft, {"--title", "window B"})));
        ASSERT_NE(a_->window, nullptr);
        ASSERT_NE(b_->window, nullptr);
        ASSERT_NO_FATAL_FAILURE(startOmbrixLast());
        beforeA_.emplace(settledCapture(a_->rect()));
        beforeB_.emplace(settledCapture(b_->rect()));
    }

    std::optional<Target> a_, b_;
    std::optional<ScreenPixels> beforeA_, beforeB_;
};

// ---------------------------------------------------------------------------------------------------------
// The frame follows the pick.

// A -> B -> A: only the window picked last carries the frame, and coming back to A writes A's data again.
TEST_F(TwoTargetsTest, OnlyTheWindowPickedLastIsFramed) {
    const Target &a = *a_, &b = *b_;
    const ScreenPixels &beforeA = *beforeA_, &beforeB = *beforeB_;

    ASSERT_TRUE(beginDrag());
    ASSERT_TRUE(pick(a, a.centre(), beforeA, a.fields("window A")));
    EXPECT_TRUE(isUnchanged(beforeB, captureScreen(b.rect())));

    ASSERT_TRUE(pick(b, b.centre(), beforeB, b.fields("window B")));
    EXPECT_TRUE(unchangedSoon(a.rect(), beforeA)) << "A keeps its frame after B is picked";

    ASSERT_TRUE(pick(a, a.centre(), beforeA, a.fields("window A")));
    EXPECT_TRUE(unchangedSoon(b.rect(), beforeB)) << "B keeps its frame after A is picked again";

    EXPECT_TRUE(endDrag());
    EXPECT_TRUE(unchangedSoon(a.rect(), beforeA));
    EXPECT_TRUE(isUnchanged(beforeB, captureScreen(b.rect())));
    EXPECT_EQ(fields(), a.fields("window A"));
}

// Ombrix's own window is never picked: passing over it keeps the last pick and its frame, releasing there
// ends the drag like anywhere else, and a click on the box alone leaves the pick as it is.
TEST_F(PickerTest, OwnWindowIsNeverPicked) {
    Target a = Target::start(kUpperLeft);
    ASSERT_NE(a.window, nullptr);
    ASSERT_NO_FATAL_FAILURE(startOmbrixLast());
    const ScreenPixels beforeA = settledCapture(a.rect());
    const ScreenPixels beforeOmbrix = settledCapture(windowRectOf(main_));
    const POINT overOmbrix = centreOf(windowRectOf(main_));
    ASSERT_EQ(processIdOf(WindowFromPoint(overOmbrix)), ombrix_->pid());

    ASSERT_TRUE(beginDrag());
    ASSERT_TRUE(pick(a, a.centre(), beforeA, a.fields("target window")));
    moveMouseInto(overOmbrix);
    ASSERT_TRUE(earlierInputHandled());
    EXPECT_EQ(fields(), a.fields("target window"));
    EXPECT_TRUE(isFramed(beforeA, settledCapture(a.rect()))) << "A lost its frame over Ombrix";
    // Only the band: inside, the fields and the focus have changed.
    EXPECT_TRUE(pixelsAre(beforeOmbrix, settledCapture(windowRectOf(main_)), inBand, same, "Ombrix's band"));

    EXPECT_TRUE(endDrag());
    EXPECT_TRUE(unchangedSoon(a.rect(), beforeA));
    EXPECT_EQ(fields(), a.fields("target window"));

    // Pressed and released on the box itself.
    ASSERT_TRUE(beginDrag());
    EXPECT_TRUE(endDrag());
    EXPECT_EQ(fields(), a.fields("target window"));
    EXPECT_TRUE(isUnchanged(beforeA, settledCapture(a.rect())));
}

// A framed window that closes during the drag: no message, nothing drawn where it was, and the drag goes
// on to the next window (or ends) as usual.
class ClosedWindowTest : public PickerTest, public testing::WithParamInterface<bool> {};

TEST_P(ClosedWindowTest, FramedWindowClosingLeavesNothingBehind) {
    const bool pickAnother = GetParam();
    Target a = Target::start(placed(kUpperLeft, {"--title", "closing"}));
    Target b = Target::start(kLowerLeft);
    ASSERT_NE(a.window, nullptr);
    ASSERT_NE(b.window, nullptr);
    ASSERT_NO_FATAL_FAILURE(startOmbrixLast());
    const RECT whereAWas = a.rect();
    const ScreenPixels beforeA = settledCapture(whereAWas);
    // A's place and the corner of the screen, where a frame drawn from a failed GetWindowRect would land.
    const RECT uncoveredArea{0, 0, whereAWas.right, whereAWas.bottom};
    const ScreenPixels beforeB = settledCapture(b.rect());

    ASSERT_TRUE(beginDrag());
    ASSERT_TRUE(pick(a, a.centre(), beforeA, a.fields("closing")));
    PostMessageA(a.window, WM_CLOSE, 0, 0);
    ASSERT_EQ(a.process.waitForExit(), 0u);
    const ScreenPixels uncovered = settledCapture(uncoveredArea);

    if (pickAnother) {
        EXPECT_TRUE(pick(b, b.centre(), beforeB, b.fields("target window")));
        EXPECT_TRUE(isUnchanged(uncovered, settledCapture(uncoveredArea))) << "drawn for the closed window";
    }
    EXPECT_TRUE(endDrag());
    EXPECT_TRUE(isUnchanged(uncovered, settledCapture(uncoveredArea))) << "drawn for the closed window";
    EXPECT_TRUE(unchangedSoon(b.rect(), beforeB));
    EXPECT_EQ(fields(), pickAnother ? b.fields("target window") : a.fields("closing"));
    EXPECT_TRUE(messageBoxesOf(ombrix_->pid()).empty());
    EXPECT_TRUE(ombrix_->running());
}

INSTANTIATE_TEST_SUITE_P(ThenTheDrag, ClosedWindowTest, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "PicksAnotherWindow" : "EndsAtOnce"; });

// ---------------------------------------------------------------------------------------------------------
// Drags that do not end with a plain release.

// WM_CANCELMODE makes the box's default procedure release the capture, as when a system dialog or another
// window takes it: the drag ends at once and only once, and moves no longer pick anything.
TEST_F(TwoTargetsTest, CaptureTakenAwayEndsTheDrag) {
    const Target &a = *a_, &b = *b_;
    const ScreenPixels &beforeA = *beforeA_, &beforeB = *beforeB_;

    ASSERT_TRUE(beginDrag());
    ASSERT_TRUE(pick(a, a.centre(), beforeA, a.fields("window A")));
    PostMessageA(box_, WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(isIdle());
    EXPECT_TRUE(unchangedSoon(a.rect(), beforeA)) << "the frame stays after the capture was lost";
    // A second run of the release steps would draw the frame back.
    ASSERT_TRUE(earlierInputHandled());
    EXPECT_TRUE(isUnchanged(beforeA, settledCapture(a.rect())));

    moveMouseInto(b.centre());
    ASSERT_TRUE(earlierInputHandled());
    EXPECT_EQ(fields(), a.fields("window A"));
    EXPECT_TRUE(isUnchanged(beforeB, settledCapture(b.rect())));
    releaseLeftButton();
    ASSERT_TRUE(earlierInputHandled());
    EXPECT_TRUE(isIdle());

    // The next drag is an ordinary one.
    ASSERT_TRUE(beginDrag());
    EXPECT_TRUE(pick(b, b.centre(), beforeB, b.fields("window B")));
    EXPECT_TRUE(endDrag());
    EXPECT_TRUE(unchangedSoon(b.rect(), beforeB));
    EXPECT_TRUE(isUnchanged(beforeA, settledCapture(a.rect())));
}

// A press and a release given in one SendInput call: the release is already queued when the press is
// handled, and is handled inside it. No drag may be left behind.
TEST_F(PickerTest, VeryShortClickLeavesNoCaptureAndTheCrosshair) {
    ASSERT_NO_FATAL_FAILURE(startOmbrixLast());
    moveMouseInto(nextPressPoint());
    INPUT click[2]{};
    for (INPUT& input : click) input.type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
    ASSERT_TRUE(earlierInputHandled());
    EXPECT_EQ(capture(), nullptr);
    EXPECT_TRUE(isUnchanged(*crosshair_, settledCapture(boxArea()))) << "the crosshair left the box";
    EXPECT_EQ(fields(), kEmptyFields);
}

// The second press of a double-click on the box starts no drag; its release runs the release steps.
TEST_F(PickerTest, SecondPressWithinTheDoubleClickTimeStartsNoDrag) {
    Target a = Target::start(kUpperLeft);
    ASSERT_NE(a.window, nullptr);
    ASSERT_NO_FATAL_FAILURE(startOmbrixLast());
    const ScreenPixels beforeA = settledCapture(a.rect());
    const POINT onBox = nextPressPoint();

    moveMouseInto(onBox);
    const ULONGLONG firstPress = GetTickCount64();
    pressLeftButton();
    ASSERT_TRUE(waitUntil([&] { return capture() == box_; }, 5_s)) << pickerState();
    releaseLeftButton();
    ASSERT_TRUE(waitUntil([&] { return capture() == nullptr; }, 5_s)) << pickerState();
    pressLeftButton();
    ASSERT_LT(GetTickCount64() - firstPress, GetDoubleClickTime()) << "too slow to give a double-click";

    ASSERT_TRUE(earlierInputHandled());
    EXPECT_EQ(capture(), nullptr) << "the second press took the capture";
    EXPECT_TRUE(isUnchanged(*crosshair_, settledCapture(boxArea()))) << "the crosshair left the box";
    moveMouseInto(a.centre());
    ASSERT_TRUE(earlierInputHandled());
    EXPECT_EQ(fields(), kEmptyFields);
    EXPECT_TRUE(isUnchanged(beforeA, settledCapture(a.rect())));

    moveMouseInto(onBox);
    releaseLeftButton();
    ASSERT_TRUE(earlierInputHandled());
    EXPECT_TRUE(isIdle());
    EXPECT_EQ(fields(), kEmptyFields);
}

}  // namespace
