// The cost of closing with "show all hidden windows" as the list grows: hidden::closeQuery on
// Ombrix's own (hidden) main window, its list holding 0, 100 or 1,000 rows that name real hidden
// windows of another process. Another thread answers the confirmation box with OK. Sizes alternate
// trial by trial; the figures are medians.
//   bench_exit [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "bench/bench_support.h"
#include "bench/other_program.h"
#include "hidden/hidden_list.h"
#include "platform/handle_text.h"

namespace {

// Answers this process's next confirmation box with OK, once it is on screen and waiting for input,
// and notes when.
class BoxAnswerer {
public:
    BoxAnswerer() : thread_(CreateThread(nullptr, 0, &BoxAnswerer::run, this, 0, nullptr)) {
        if (!thread_) bench::fail("cannot start the answering thread");
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    ~BoxAnswerer() {
        stop_ = true;
        WaitForSingleObject(thread_.get(), INFINITE);
    }

    void arm() {
        answeredAtMs_ = 0.0;
        armed_ = true;
    }
    // When the last armed box was answered; 0 when it was not.
    double answeredAtMs() const { return answeredAtMs_; }

private:
    static DWORD WINAPI run(void* context) {
        auto* self = static_cast<BoxAnswerer*>(context);
        while (!self->stop_) {
            if (self->armed_) {
                HWND box = shownBoxOfThisProcess();
                // Answered once the box's loop takes messages: what follows is the box going and the rows.
                DWORD_PTR ignored = 0;
                if (box && SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored)) {
                    self->answeredAtMs_ = bench::nowMs();
                    self->armed_ = false;
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                }
            }
            Sleep(1);
        }
        return 0;
    }

    static HWND shownBoxOfThisProcess() {
        for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box;
             box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(box, &processId);
            if (processId == GetCurrentProcessId() && IsWindowVisible(box)) return box;
        }
        return nullptr;
    }

    std::atomic<bool> armed_{false};
    std::atomic<bool> stop_{false};
    std::atomic<double> answeredAtMs_{0.0};
    bench::OwnedHandle thread_;
};

struct Size {
    int rows;
    std::vector<double> totalMs;     // the whole call, confirmation box included
    std::vector<double> restoreMs;   // from the answer to the return: the box going, then the rows
    std::vector<double> bareLoopMs;  // ShowWindowAsync on the same windows, and nothing else
};

// Handled after every ShowWindowAsync this thread made before: its answer is how many rows they showed.
void hideRowsAgain(HWND otherWindow, int rows) {
    DWORD_PTR shown = 0;
    if (!SendMessageTimeoutA(otherWindow, bench::hideAllRowsMessage, 0, 0, SMTO_NORMAL, 60000, &shown))
        bench::fail("the other program did not answer");
    if (static_cast<int>(shown) != rows)
        bench::fail(std::to_string(shown) + " windows shown for " + std::to_string(rows) + " rows");
}

void fillList(const platform::ListView& list, const std::vector<HWND>& windows, int rows, DWORD processId) {
    list.window().send(LVM_DELETEALLITEMS);
    const std::string processText = platform::intToText(static_cast<std::int32_t>(processId));
    for (int i = 0; i < rows; ++i) {
        const int row = list.insertRow("row window");
        list.setCellText(row, 1, platform::handleToText(windows[static_cast<std::size_t>(i)]));
        list.setCellText(row, 2, processText);
    }
    if (list.rowCount() != rows) bench::fail("the list does not hold the rows");
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    std::vector<Size> sizes{{0, {}, {}, {}}, {100, {}, {}, {}}, {1000, {}, {}, {}}};
    const int mostRows = 1000;

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    app::MainWindow ombrix;
    if (!ombrix.build()) bench::fail("cannot build the main window");
    ombrix.单选框1.setChecked(true);
    ombrix.单选框2.setChecked(false);
    const hidden::HiddenListView view{ombrix.form,    ombrix.编辑框1,     ombrix.编辑框2,
                                      ombrix.编辑框3, ombrix.超级列表框1, ombrix.单选框1};

    bench::ChildProcess other = bench::ChildProcess::start(bench::folderOfThisProgram() + bench::otherProgramFile,
                                                           "--hidden " + std::to_string(mostRows));
    if (!other) bench::fail("cannot start the other program");
    HWND otherWindow = nullptr;
    if (!bench::waitFor([&] { return (otherWindow = bench::visibleTopLevelWindowOf(other.id())) != nullptr; }, 30000))
        bench::fail("the other program showed no window");
    const std::vector<HWND> rowWindows = bench::childWindowsOf(otherWindow, bench::rowWindowClass);
    if (static_cast<int>(rowWindows.size()) != mostRows) bench::fail("the other program has not all its row windows");

    BoxAnswerer answerer;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            Size& size = sizes[(static_cast<std::size_t>(round) + i) % sizes.size()];
            fillList(ombrix.超级列表框1, rowWindows, size.rows, other.id());

            answerer.arm();
            const double started = bench::nowMs();
            const int result = hidden::closeQuery(view);
            const double finished = bench::nowMs();
            if (result != 1) bench::fail("closeQuery did not let the program close");
            if (answerer.answeredAtMs() == 0.0) bench::fail("the confirmation box was not answered");

            hideRowsAgain(otherWindow, size.rows);
            size.totalMs.push_back(finished - started);
            size.restoreMs.push_back(finished - answerer.answeredAtMs());

            // The same windows shown by a bare loop over their handles.
            const double bareStarted = bench::nowMs();
            for (int row = 0; row < size.rows; ++row)
                ShowWindowAsync(rowWindows[static_cast<std::size_t>(row)], SW_SHOW);
            size.bareLoopMs.push_back(bench::nowMs() - bareStarted);
            hideRowsAgain(otherWindow, size.rows);
        }
    }

    std::printf("closeQuery, show all, %d alternated trials per size (ms)\n", rounds);
    std::printf("  %-6s %12s %14s %12s %12s %16s\n", "rows", "total median", "restore median", "restore p25",
                "restore p75", "bare loop median");
    for (const Size& size : sizes)
        std::printf("  %-6d %12.2f %14.2f %12.2f %12.2f %16.2f\n", size.rows, bench::median(size.totalMs),
                    bench::median(size.restoreMs), bench::quantile(size.restoreMs, 0.25),
                    bench::quantile(size.restoreMs, 0.75), bench::median(size.bareLoopMs));
    std::fflush(stdout);

    for (const Size& size : sizes) {
        const std::string rows = std::to_string(size.rows);
        bench::printFigure(("exit_total_ms_" + rows).c_str(), bench::median(size.totalMs));
        bench::printFigure(("exit_restore_ms_" + rows).c_str(), bench::median(size.restoreMs));
        if (size.rows > 0) bench::printFigure(("exit_bare_loop_ms_" + rows).c_str(), bench::median(size.bareLoopMs));
    }
    const double none = bench::median(sizes[0].restoreMs);
    const double hundred = bench::median(sizes[1].restoreMs);
    const double thousand = bench::median(sizes[2].restoreMs);
    bench::printFigure("exit_ratio_total_1000_100", bench::median(sizes[2].totalMs) / bench::median(sizes[1].totalMs));
    bench::printFigure("exit_ratio_restore_1000_100", thousand / hundred);
    // Without what the closing box costs whatever the list holds.
    bench::printFigure("exit_ratio_rows_only_1000_100", (thousand - none) / (hundred - none));
    bench::printFigure("exit_ratio_bare_loop_1000_100",
                       bench::median(sizes[2].bareLoopMs) / bench::median(sizes[1].bareLoopMs));
    bench::printFigure("exit_ratio_rows_only_to_bare_loop_1000",
                       (thousand - none) / bench::median(sizes[2].bareLoopMs));
    return 0;
}
