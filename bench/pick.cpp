// The cost of one mouse-moved step of the picker while the cursor stays over the window already
// framed, against the lookups that step cannot do without (cursor position, window under it, its
// root owner, its process, this process), in one process. Batches of each alternate; the figure is
// the median time per step.
//   bench_pick [BATCHES] [STEPS_PER_BATCH]
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "bench/bench_support.h"
#include "bench/other_program.h"
#include "picker/picker.h"

namespace {

volatile bool sink;

// The lookups of a step, and the two comparisons that end it over an unchanged window.
__attribute__((noinline)) bool rawLookups(HWND framed) {
    POINT point{0, 0};
    GetCursorPos(&point);
    HWND window = WindowFromPoint(point);
    HWND root = window ? GetAncestor(window, GA_ROOTOWNER) : nullptr;
    DWORD processId = 0;
    GetWindowThreadProcessId(root, &processId);
    return processId != GetCurrentProcessId() && root != framed && root != nullptr;
}

double pickerBatch(const picker::PickerView& view, int steps) {
    const double started = bench::nowMs();
    for (int i = 0; i < steps; ++i) picker::onMouseMoved(view);
    return (bench::nowMs() - started) * 1e6 / steps;
}

double rawBatch(int steps) {
    const double started = bench::nowMs();
    for (int i = 0; i < steps; ++i) sink = rawLookups(picker::highlightedWindow);
    return (bench::nowMs() - started) * 1e6 / steps;
}

}  // namespace

int main(int argc, char** argv) {
    const int batches = argc > 1 ? std::atoi(argv[1]) : 41;
    const int steps = argc > 2 ? std::atoi(argv[2]) : 2000;

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    // Ombrix's own window, hidden: the picker writes into its fields when the window changes.
    app::MainWindow ombrix;
    if (!ombrix.build()) bench::fail("cannot build the main window");
    const picker::PickerView view{ombrix.图片框1, ombrix.编辑框1, ombrix.编辑框2, ombrix.编辑框3};

    bench::ChildProcess other =
        bench::ChildProcess::start(bench::folderOfThisProgram() + bench::otherProgramFile, "--rect 560 120 320 240");
    if (!other) bench::fail("cannot start the other program");
    if (!bench::waitFor([&] { return bench::visibleTopLevelWindowOf(other.id()) != nullptr; }, 30000))
        bench::fail("the other program showed no window");
    const POINT centre{560 + 160, 120 + 120};
    SetCursorPos(centre.x, centre.y);
    HWND underCursor = nullptr;
    if (!bench::waitFor(
            [&] {
                underCursor = picker::rootOwnerOf(picker::windowUnderCursor());
                DWORD processId = 0;
                GetWindowThreadProcessId(underCursor, &processId);
                return processId == other.id();
            },
            10000))
        bench::fail("the cursor is not over the other program's window");

    // Mid-drag, with the frame already on the window under the cursor.
    picker::dragActive = 1;
    picker::highlightedWindow = underCursor;
    picker::onMouseMoved(view);
    if (picker::highlightedWindow != underCursor || !ombrix.编辑框2.text().empty())
        bench::fail("the step did not stay on the framed window");

    std::vector<double> pickerNs;
    std::vector<double> rawNs;
    for (int batch = 0; batch < batches; ++batch) {
        // Which goes first alternates too, so that neither always runs on a warmer cache.
        if (batch % 2 == 0) {
            pickerNs.push_back(pickerBatch(view, steps));
            rawNs.push_back(rawBatch(steps));
        } else {
            rawNs.push_back(rawBatch(steps));
            pickerNs.push_back(pickerBatch(view, steps));
        }
    }
    picker::dragActive = 0;
    picker::highlightedWindow = nullptr;

    std::printf("mouse-moved step over the framed window, %d alternated batches of %d steps (ns per step)\n", batches,
                steps);
    std::printf("  %-22s %9s %9s %9s %9s\n", "step", "median", "p25", "p75", "min");
    std::printf("  %-22s %9.0f %9.0f %9.0f %9.0f\n", "picker::onMouseMoved", bench::median(pickerNs),
                bench::quantile(pickerNs, 0.25), bench::quantile(pickerNs, 0.75), bench::quantile(pickerNs, 0.0));
    std::printf("  %-22s %9.0f %9.0f %9.0f %9.0f\n", "raw lookups", bench::median(rawNs), bench::quantile(rawNs, 0.25),
                bench::quantile(rawNs, 0.75), bench::quantile(rawNs, 0.0));
    std::fflush(stdout);
    bench::printFigure("pick_step_ns", bench::median(pickerNs));
    bench::printFigure("pick_raw_ns", bench::median(rawNs));
    bench::printFigure("pick_ratio", bench::median(pickerNs) / bench::median(rawNs));
    return 0;
}
