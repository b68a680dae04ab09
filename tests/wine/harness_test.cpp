// The test rig itself, against the helper window and windows of this process: if these fail, a failure
// of the program's tests says nothing about the program.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <memory>

#include "harness.h"

using namespace harness;

namespace {

HWND waitForTarget(const ChildProcess& target) {
    return waitForTopLevelWindow({target.pid(), kTargetClass, std::nullopt, true});
}

HWND waitForOwnedPopup(const ChildProcess& target) {
    return waitForTopLevelWindow({target.pid(), kTargetClass, "owned popup", true});
}

// Runs this thread's messages while waiting, for windows that the test process owns itself.
bool pumpUntil(const std::function<bool()>& condition, Timeout timeout = kDefaultTimeout) {
    return waitUntil(
        [&] {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            return condition();
        },
        timeout);
}

bool hasPixelOtherThan(const ScreenPixels& pixels, COLORREF colour) {
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (pixels.at(x, y) != colour) return true;
    return false;
}

}  // namespace

TEST(ChildProcessTest, TargetExitsWithZeroWhenItsWindowCloses) {
    auto target = startTarget();
    HWND window = waitForTarget(target);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(target.running());
    EXPECT_EQ(processIdOf(window), target.pid());
    EXPECT_EQ(threadIdOf(window), target.mainThreadId());

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(target.waitForExit(), 0u);
    EXPECT_FALSE(target.running());
}

TEST(ChildProcessTest, EndsARunningChildWhenDestroyed) {
    DWORD pid = 0;
    {
        auto target = startTarget();
        ASSERT_NE(waitForTarget(target), nullptr);
        pid = target.pid();
    }
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    EXPECT_TRUE(!process || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0);
}

TEST(ChildProcessTest, MovedChildIsEndedOnlyOnce) {
    auto first = startTarget();
    ASSERT_NE(waitForTarget(first), nullptr);
    const DWORD pid = first.pid();
    ChildProcess second = std::move(first);
    EXPECT_EQ(second.pid(), pid);
    EXPECT_TRUE(second.running());
    second.terminate();
    EXPECT_FALSE(second.running());
}

// Run by the next test in a process of its own, which that test kills. It waits a bounded time so that it
// cannot outlive a broken run for long.
TEST(ChildProcessTest, DISABLED_StartsATargetAndWaitsToBeKilled) {
    auto target = startTarget({"--title", "started by " + std::to_string(GetCurrentProcessId())});
    ASSERT_NE(waitForTarget(target), nullptr);
    WaitForSingleObject(GetCurrentProcess(), 60'000);
}

// A test process that ctest kills at its time limit takes the programs it started with it: one left
// running would break every later test.
TEST(ChildProcessTest, ProgramsOfAKilledTestEndWithIt) {
    auto test = ChildProcess::start(pathBesideThisProgram("harness_test.exe"),
                                    {"--gtest_also_run_disabled_tests",
                                     "--gtest_filter=ChildProcessTest.DISABLED_StartsATargetAndWaitsToBeKilled"});
    HWND window = waitForTopLevelWindow({0, kTargetClass, "started by " + std::to_string(test.pid()), true}, 10_s);
    ASSERT_NE(window, nullptr) << "the inner test did not start its target";
    UniqueHandle target(OpenProcess(SYNCHRONIZE, FALSE, processIdOf(window)));
    ASSERT_TRUE(target);

    test.terminate();
    EXPECT_EQ(WaitForSingleObject(target.get(), 5000), WAIT_OBJECT_0) << "the target outlived its test";
}

TEST(ChildProcessTest, MissingProgramIsReportedNotStarted) {
    EXPECT_THROW(ChildProcess::start(pathBesideThisProgram("no_such_program.exe")), std::runtime_error);
}

struct TitleCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string expectedCaption;
};

void PrintTo(const TitleCase& titleCase, std::ostream* out) { *out << titleCase.name; }

class TargetTitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(TargetTitleTest, CaptionIsTheRequestedBytes) {
    auto target = startTarget(GetParam().arguments);
    HWND window = waitForTarget(target);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(captionOf(window), GetParam().expectedCaption);
    EXPECT_EQ(controlText(window), GetParam().expectedCaption);
}

INSTANTIATE_TEST_SUITE_P(Titles, TargetTitleTest,
                         testing::Values(TitleCase{"Default", {}, "target window"},
                                         // Chinese in CP936, with a space: the bytes must survive the command line.
                                         TitleCase{
                                             "Chinese", {"--title", "记事本 - 信息：测试"}, "记事本 - 信息：测试"},
                                         TitleCase{"Long", {"--title-length", "300"}, std::string(300, 'x')},
                                         TitleCase{"Empty", {"--empty-title"}, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TargetWindowTest, OuterRectangleIsTheRequestedOne) {
    auto target = startTarget({"--rect", "100", "120", "300", "200"});
    HWND window = waitForTarget(target);
    ASSERT_NE(window, nullptr);
    const RECT rect = windowRectOf(window);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 200);
}

TEST(TargetWindowTest, OwnedPopupLeadsBackToTheMainWindow) {
    auto target = startTarget({"--owned"});
    HWND main = waitForTarget(target);
    HWND popup = waitForOwnedPopup(target);
    ASSERT_NE(main, nullptr);
    ASSERT_NE(popup, nullptr);
    EXPECT_NE(main, popup);
    EXPECT_TRUE(styleOf(popup) & WS_POPUP);
    EXPECT_TRUE(styleOf(popup) & WS_CAPTION);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), main);
    EXPECT_EQ(GetAncestor(popup, GA_ROOTOWNER), main);
}

TEST(TargetWindowTest, ChildButtonIsUnderThePointerAndLeadsToItsRoot) {
    auto target = startTarget({"--child"});
    HWND main = waitForTarget(target);
    ASSERT_NE(main, nullptr);
    const auto children = childrenInStackingOrder(main);
    ASSERT_EQ(children.size(), 1u);
    HWND button = children.front();
    EXPECT_EQ(classNameOf(button), "Button");
    EXPECT_EQ(controlText(button), "child button");
    EXPECT_EQ(WindowFromPoint(centreOf(windowRectOf(button))), button);
    EXPECT_EQ(GetAncestor(button, GA_ROOTOWNER), main);
}

TEST(TargetWindowTest, HangingTargetStopsAnsweringUntilResumed) {
    auto target = startTarget({"--hang"});
    HWND window = waitForTarget(target);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitUntil([&] { return targetIsHanging(target.pid()); }));
    DWORD_PTR ignored = 0;
    EXPECT_FALSE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300, &ignored));

    resumeHangingTarget(target.pid());
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(target.waitForExit(), 0u);
}

TEST(ScreenCaptureTest, TargetClientAreaIsWhiteAndItsFrameIsNot) {
    auto target = startTarget({"--rect", "40", "40", "240", "160"});
    HWND window = waitForTarget(target);
    ASSERT_NE(window, nullptr);
    const RECT client = clientRectOnScreen(window);
    const ScreenPixels white(
        client, std::vector<uint32_t>((client.right - client.left) * (client.bottom - client.top), 0x00FFFFFF));
    EXPECT_TRUE(waitUntil([&] { return captureScreen(client) == white; })) << "the client area never became all white";

    const ScreenPixels whole = captureScreen(windowRectOf(window));
    EXPECT_TRUE(hasPixelOtherThan(whole, RGB(255, 255, 255))) << "caption and frame should not be white";
    EXPECT_EQ(whole.atScreen({client.left, client.top}), RGB(255, 255, 255));
}

TEST(InputTest, PointerReachesEveryCornerOfTheScreenExactly) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const POINT points[] = {{0, 0}, {width - 1, height - 1}, {width - 1, 0}, {0, height - 1}, {511, 383}, {289, 236}};
    for (const POINT point : points) {
        SCOPED_TRACE(testing::Message() << "(" << point.x << ", " << point.y << ")");
        EXPECT_NO_THROW(moveMouseTo(point));
    }
}

TEST(InputTest, ClickFocusesAButtonOfAnotherProcess) {
    auto target = startTarget({"--child"});
    HWND main = waitForTarget(target);
    ASSERT_NE(main, nullptr);
    HWND button = childrenInStackingOrder(main).at(0);
    clickAt(centreOf(windowRectOf(button)));
    EXPECT_TRUE(waitUntil([&] { return focusOfThread(target.mainThreadId()) == button; }));
    EXPECT_EQ(GetForegroundWindow(), main);
}

TEST(InputTest, DragMovesAWindowByItsCaption) {
    auto target = startTarget({"--rect", "100", "100", "240", "160"});
    HWND window = waitForTarget(target);
    ASSERT_NE(window, nullptr);
    const auto caption = pointWithHitTest(window, HTCAPTION);
    ASSERT_TRUE(caption.has_value());
    moveMouseTo(*caption);
    pressLeftButton();
    // The move starts only once the target runs its move loop; a release before that moves nothing.
    ASSERT_TRUE(waitUntil([&] { return threadIsMovingOrSizing(target.mainThreadId()); }));
    moveMouseTo({caption->x + 20, caption->y + 10});
    moveMouseTo({caption->x + 60, caption->y + 30});
    releaseLeftButton();
    EXPECT_TRUE(waitUntil([&] { return windowRectOf(window).left == 160 && windowRectOf(window).top == 130; }))
        << "window at " << windowRectOf(window).left << ", " << windowRectOf(window).top;
}

// An edit box of this process shows what the keyboard typed.
TEST(InputTest, KeysArriveWithAndWithoutShift) {
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.lpszClassName = "HarnessKeyboardHost";
    RegisterClassA(&hostClass);
    HWND host = CreateWindowExA(0, hostClass.lpszClassName, "keyboard", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 240,
                                120, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> owner(host, DestroyWindow);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 10, 10, 200, 40,
                                host, nullptr, nullptr, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(edit) != FALSE; }));
    clickAt(centreOf(windowRectOf(edit)));
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == host && GetFocus() == edit; }));

    pressKey('A');
    pressKey('B', true);
    pressKey(VK_TAB);  // a multi-line edit box keeps the Tab character
    EXPECT_TRUE(pumpUntil([&] { return controlText(edit) == "aB\t"; })) << controlText(edit);
}

TEST(RemoteTextTest, ReadsAButtonOfAnotherProcess) {
    auto target = startTarget({"--child", "--title", "窗口"});
    HWND main = waitForTarget(target);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(controlText(childrenInStackingOrder(main).at(0)), "child button");
    EXPECT_EQ(controlText(main), "窗口");
}

TEST(RemoteTextTest, HangingWindowIsReportedNotWaitedFor) {
    auto target = startTarget({"--hang"});
    HWND window = waitForTarget(target);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(waitUntil([&] { return targetIsHanging(target.pid()); }));
    EXPECT_THROW(controlText(window), std::runtime_error);

    resumeHangingTarget(target.pid());
}

// The list reader places its structures in the list's process; here that is this process, which checks
// the structures and texts; the program's tests read a list of another process.
TEST(RemoteListViewTest, ReadsColumnsRowsAndSelection) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE | LVS_REPORT, 100, 100, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
    std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> owner(list, DestroyWindow);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const std::pair<const char*, int> headers[] = {{"窗口标题", 110}, {"窗口句柄", 60}, {"进程ID", 60}};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = headers[i].second;
        column.pszText = const_cast<char*>(headers[i].first);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const std::vector<std::vector<std::string>> cells = {{"记事本", "1234", "56"}, {std::string(300, 'y'), "", "-7"}};
    for (int row = 0; row < 2; ++row) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(cells[row][0].c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < 3; ++column) {
            item.iSubItem = column;
            item.pszText = const_cast<char*>(cells[row][column].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        }
    }

    RemoteListView reader(list);
    EXPECT_EQ(reader.columnCount(), 3);
    const auto columns = reader.columns();
    ASSERT_EQ(columns.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(columns[i].header, headers[i].first);
        EXPECT_EQ(columns[i].width, headers[i].second);
        EXPECT_EQ(columns[i].format & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    EXPECT_EQ(reader.rows(), cells);
    EXPECT_EQ(reader.cellText(5, 0), "");
    EXPECT_EQ(reader.selectedRow(), -1);
    EXPECT_EQ(reader.extendedStyle(), static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));

    LVITEMA select{};
    select.stateMask = LVIS_SELECTED;
    select.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
    EXPECT_EQ(reader.selectedRow(), 1);
}

// A box of this process, shown on another thread, stands in for the program's boxes. (A thread of its own
// through CreateThread: this MinGW has no std::thread.)
class MessageBoxProbeTest : public testing::Test {
protected:
    void show(const char* text, UINT style) {
        request_ = {text, style, 0};
        thread_.reset(CreateThread(nullptr, 0, showBox, &request_, 0, nullptr));
        ASSERT_TRUE(thread_);
    }
    int waitForAnswer() {
        EXPECT_EQ(WaitForSingleObject(thread_.get(), 10000), WAIT_OBJECT_0);
        thread_.reset();
        return request_.answer;
    }
    void TearDown() override {
        if (!thread_) return;
        for (const auto& box : messageBoxesOf(GetCurrentProcessId())) box.postClose();
        WaitForSingleObject(thread_.get(), 10000);
    }

private:
    struct Request {
        const char* text;
        UINT style;
        int answer;
    };
    static DWORD WINAPI showBox(void* context) {
        auto* request = static_cast<Request*>(context);
        request->answer = MessageBoxA(nullptr, request->text, kMessageBoxCaption.c_str(), request->style);
        return 0;
    }

    Request request_{};
    UniqueHandle thread_;
};

TEST_F(MessageBoxProbeTest, ReadsTextOwnerButtonsAndIcon) {
    show("Ombrix已经在系统中运行！", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    const auto box = waitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption(), "信息：");
    EXPECT_EQ(box->text(), "Ombrix已经在系统中运行！");
    EXPECT_EQ(box->owner(), nullptr);
    EXPECT_EQ(box->buttonIds(), std::vector<int>{IDOK});
    EXPECT_TRUE(waitUntil([&] { return box->icon() == BoxIcon::information; }, 5_s)) << nameOf(box->icon());
    box->answer(IDOK);
    EXPECT_EQ(waitForAnswer(), IDOK);
    EXPECT_TRUE(box->waitUntilGone());
}

TEST_F(MessageBoxProbeTest, TellsTheErrorIconAndTwoButtons) {
    show("结束进程", MB_OKCANCEL | MB_ICONERROR | MB_TASKMODAL);
    const auto box = waitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->buttonIds(), (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_TRUE(waitUntil([&] { return box->icon() == BoxIcon::error; }, 5_s)) << nameOf(box->icon());
    box->answer(IDCANCEL);
    EXPECT_EQ(waitForAnswer(), IDCANCEL);
}

TEST_F(MessageBoxProbeTest, NoIconIsToldAsNone) {
    show("plain", MB_OK | MB_TASKMODAL);
    const auto box = waitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->icon(), BoxIcon::none);
    box->answer(IDOK);
    EXPECT_EQ(waitForAnswer(), IDOK);
}

TEST_F(MessageBoxProbeTest, RealEscapeCancels) {
    show("escape", MB_OKCANCEL | MB_TASKMODAL);
    const auto box = waitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    box->pressEscape();
    EXPECT_EQ(waitForAnswer(), IDCANCEL);
}

TEST_F(MessageBoxProbeTest, RealClickOnTheCloseBoxCancels) {
    show("close box", MB_OKCANCEL | MB_TASKMODAL);
    const auto box = waitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    box->clickCloseBox();
    EXPECT_EQ(waitForAnswer(), IDCANCEL);
}

TEST_F(MessageBoxProbeTest, PostedCloseCancels) {
    show("posted close", MB_OKCANCEL | MB_TASKMODAL);
    const auto box = waitForMessageBox(GetCurrentProcessId());
    ASSERT_TRUE(box.has_value());
    box->postClose();
    EXPECT_EQ(waitForAnswer(), IDCANCEL);
}

TEST(GdiCountTest, CountsObjectsOfThisProcess) {
    const auto before = gdiObjectCountOfThisProcess();
    ASSERT_TRUE(before.has_value());
    EXPECT_GT(*before, 0u) << "the stock objects at least";
    std::vector<UniqueGdiObject> brushes;
    for (int i = 0; i < 25; ++i) brushes.emplace_back(CreateSolidBrush(RGB(i, 2, 3)));
    EXPECT_EQ(gdiObjectCountOfThisProcess(), *before + 25);
    brushes.clear();
    EXPECT_EQ(gdiObjectCountOfThisProcess(), *before);
}

// Each Wine process has its own table, read here from the target's memory. Two copies of one program
// differ by an object or two (which one is active, cached DCs), hence the small margin.
TEST(GdiCountTest, SeesTheObjectsOfAnotherProcess) {
    auto plain = startTarget();
    auto loaded = startTarget({"--extra-brushes", "200"});
    ASSERT_NE(waitForTarget(plain), nullptr);
    ASSERT_NE(waitForTarget(loaded), nullptr);
    const auto plainCount = settledGdiObjectCount(plain.pid());
    const auto loadedCount = settledGdiObjectCount(loaded.pid());
    ASSERT_TRUE(plainCount.has_value());
    ASSERT_TRUE(loadedCount.has_value());
    EXPECT_NEAR(static_cast<double>(*loadedCount) - static_cast<double>(*plainCount), 200.0, 4.0)
        << "plain " << *plainCount << ", loaded " << *loadedCount;
}

TEST(GdiCountTest, UnreadableProcessGivesNoCount) { EXPECT_FALSE(gdiObjectCountOfProcess(0).has_value()); }

TEST(TrayTest, IconOfThisProcessIsSeenWithItsTipUntilDeleted) {
    HWND owner = CreateWindowExA(0, "STATIC", "tray owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> ownerGuard(owner, DestroyWindow);
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = 7;
    data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    data.uCallbackMessage = WM_APP + 1;
    data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpyA(data.szTip, "harness 信息");
    EXPECT_FALSE(trayIconExists(owner, 7));
    ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));

    EXPECT_TRUE(trayIconExists(owner, 7));
    EXPECT_FALSE(trayIconExists(owner, 8));
    bool tipSeen = false;
    RECT place{};
    EXPECT_TRUE(waitUntil([&] {
        for (const auto& icon : trayIcons())
            if (icon.tip == "harness 信息") tipSeen = true, place = icon.screenRect;
        return tipSeen;
    }));
    // At the right end of the taskbar, at the bottom of the screen.
    EXPECT_EQ(place.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(place.bottom, GetSystemMetrics(SM_CYSCREEN));

    Shell_NotifyIconA(NIM_DELETE, &data);
    EXPECT_FALSE(trayIconExists(owner, 7));
    for (const auto& icon : trayIcons()) EXPECT_NE(icon.tip, "harness 信息");
}
