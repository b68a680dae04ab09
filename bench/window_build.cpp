// Ombrix's start-up without the process around it: the work from an empty process to a painted main
// window (MainWindow::build, the handlers, the crosshair, the tray icon, showing and painting),
// against the floor window doing the same straight with Win32, in one process. Runs alternate; each
// window is destroyed before the next is made.
//   bench_window_build [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "app/main_window.h"
#include "bench/bench_support.h"
#include "bench/floor_window.h"
#include "resources/images.h"

namespace {

// Both windows post WM_QUIT when destroyed; the next round must not find it.
void discardQueuedMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

double buildOmbrix() {
    const double started = bench::nowMs();
    {
        app::MainWindow ombrix;
        if (!ombrix.build()) bench::fail("cannot build Ombrix's main window");
        ombrix.bindHandlers();
        // What the created event does, but the single-instance event, which would end this process.
        ombrix.图片框1.setPicture(resources::crosshairCursor);
        platform::setTrayIcon(ombrix.form, resources::applicationIcon, "Ombrix");
        ombrix.form.setVisible(1);
        UpdateWindow(ombrix.form.handle());
        const double elapsed = bench::nowMs() - started;
        DestroyWindow(ombrix.form.handle());
        discardQueuedMessages();
        return elapsed;
    }
}

double buildFloor(HINSTANCE instance) {
    const double started = bench::nowMs();
    double elapsed = 0;
    {
        const bench::OwnedWindow floor(bench::createFloorWindow(instance));
        if (!floor.get()) bench::fail("cannot build the floor window");
        ShowWindow(floor.get(), SW_SHOW);
        UpdateWindow(floor.get());
        elapsed = bench::nowMs() - started;
    }
    discardQueuedMessages();
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 30;
    constexpr int warmUpRounds = 3;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleA(nullptr);

    std::vector<double> ombrixMs;
    std::vector<double> floorMs;
    std::vector<double> roundRatios;
    for (int round = 0; round < warmUpRounds + rounds; ++round) {
        double ombrix = 0;
        double floor = 0;
        if (round % 2 == 0) {
            ombrix = buildOmbrix();
            floor = buildFloor(instance);
        } else {
            floor = buildFloor(instance);
            ombrix = buildOmbrix();
        }
        if (round < warmUpRounds) continue;
        ombrixMs.push_back(ombrix);
        floorMs.push_back(floor);
        roundRatios.push_back(ombrix / floor);
    }

    std::printf("main window built, shown and painted in one process, %d alternated rounds (ms)\n", rounds);
    std::printf("  %-12s %9s %9s %9s %9s\n", "window", "median", "p25", "p75", "min");
    std::printf("  %-12s %9.2f %9.2f %9.2f %9.2f\n", "ombrix", bench::median(ombrixMs), bench::quantile(ombrixMs, 0.25),
                bench::quantile(ombrixMs, 0.75), bench::quantile(ombrixMs, 0.0));
    std::printf("  %-12s %9.2f %9.2f %9.2f %9.2f\n", "floor", bench::median(floorMs), bench::quantile(floorMs, 0.25),
                bench::quantile(floorMs, 0.75), bench::quantile(floorMs, 0.0));
    std::fflush(stdout);
    bench::printFigure("window_build_ms_ombrix", bench::median(ombrixMs));
    bench::printFigure("window_build_ms_floor", bench::median(floorMs));
    bench::printFigure("window_build_ratio_ombrix_floor", bench::median(ombrixMs) / bench::median(floorMs));
    bench::printFigure("window_build_ratio_ombrix_floor_median_of_rounds", bench::median(roundRatios));
    return 0;
}
