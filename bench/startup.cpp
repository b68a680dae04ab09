// Start-up and memory of Ombrix against the floor program (the same window made straight with Win32)
// and a bare window: from process creation to a visible main window, then the memory once the
// process is idle. When the driver has put stripped copies of Ombrix and the floor next to them
// (bench_ombrix_stripped.exe, bench_floor_stripped.exe), those run too, labelled "-s". Runs alternate
// between the programs; each is ended, and its single-instance event gone, before the next starts.
//   bench_startup [ROUNDS]
#include <windows.h>
#include <psapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"

namespace {

struct Memory {
    double workingSetKiB = 0;
    double privateUsageKiB = 0;   // what GetProcessMemoryInfo says; Wine says 0
    double privateCommitKiB = 0;  // committed private pages, counted region by region
};

struct Subject {
    const char* label;
    const char* figureName;
    std::string path;
    const char* eventName;  // the single-instance event, which must be gone before the next run
    std::vector<double> startMs;
    std::vector<Memory> memory;
};

bool eventExists(const char* name) {
    bench::OwnedHandle event(OpenEventA(SYNCHRONIZE, FALSE, name));
    return static_cast<bool>(event);
}

Memory memoryOf(HANDLE process) {
    Memory memory;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        memory.workingSetKiB = static_cast<double>(counters.WorkingSetSize) / 1024.0;
        memory.privateUsageKiB = static_cast<double>(counters.PrivateUsage) / 1024.0;
    }
    SIZE_T committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<char*>(nullptr); VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += region.RegionSize;
    }
    memory.privateCommitKiB = static_cast<double>(committed) / 1024.0;
    return memory;
}

void runOnce(Subject& subject, bool keep) {
    if (subject.eventName && !bench::waitFor([&] { return !eventExists(subject.eventName); }, 10000))
        bench::fail(std::string("the event ") + subject.eventName + " of an earlier run is still there");

    const double started = bench::nowMs();
    bench::ChildProcess child = bench::ChildProcess::start(subject.path);
    if (!child) bench::fail("cannot start " + subject.path + ", error " + std::to_string(GetLastError()));
    HWND window = nullptr;
    if (!bench::waitFor([&] { return (window = bench::visibleTopLevelWindowOf(child.id())) != nullptr; }, 30000))
        bench::fail(subject.path + " showed no window");
    const double visible = bench::nowMs();

    char className[64]{};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0) bench::fail(subject.path + " showed a message box, not its window");
    // Memory once start-up has settled: the process waits for input.
    WaitForInputIdle(child.handle(), 10000);
    const Memory memory = memoryOf(child.handle());

    if (!child.end()) bench::fail(subject.path + " did not end");
    if (subject.eventName && !bench::waitFor([&] { return !eventExists(subject.eventName); }, 10000))
        bench::fail(std::string("the event ") + subject.eventName + " outlived its process");
    if (!keep) return;
    subject.startMs.push_back(visible - started);
    subject.memory.push_back(memory);
}

template <typename Field>
std::vector<double> memoryColumn(const Subject& subject, Field field) {
    std::vector<double> values;
    for (const Memory& memory : subject.memory) values.push_back(memory.*field);
    return values;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    constexpr int warmUpRounds = 2;
    const std::string folder = bench::folderOfThisProgram();
    std::vector<Subject> subjects{
        {"ombrix", "ombrix", folder + "ombrix.exe", "ombrix", {}, {}},
        {"floor", "floor", folder + "bench_floor.exe", "ombrix-floor", {}, {}},
        {"bare window", "bare", folder + "bench_bare_window.exe", nullptr, {}, {}},
    };
    // Stripped copies, when the driver made them: how much of the difference is the image's size.
    const std::string ombrixStripped = folder + "bench_ombrix_stripped.exe";
    const std::string floorStripped = folder + "bench_floor_stripped.exe";
    const bool withStripped = GetFileAttributesA(ombrixStripped.c_str()) != INVALID_FILE_ATTRIBUTES &&
                              GetFileAttributesA(floorStripped.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (withStripped) {
        subjects.push_back({"ombrix -s", "ombrix_stripped", ombrixStripped, "ombrix", {}, {}});
        subjects.push_back({"floor -s", "floor_stripped", floorStripped, "ombrix-floor", {}, {}});
    }

    // Each round starts with another program, so that none always follows the same one.
    for (int round = 0; round < warmUpRounds + rounds; ++round)
        for (std::size_t i = 0; i < subjects.size(); ++i)
            runOnce(subjects[(static_cast<std::size_t>(round) + i) % subjects.size()], round >= warmUpRounds);

    std::printf("start-up to a visible main window, %d alternated runs each (ms)\n", rounds);
    std::printf("  %-12s %9s %9s %9s %9s\n", "program", "median", "p25", "p75", "min");
    for (const Subject& subject : subjects)
        std::printf("  %-12s %9.1f %9.1f %9.1f %9.1f\n", subject.label, bench::median(subject.startMs),
                    bench::quantile(subject.startMs, 0.25), bench::quantile(subject.startMs, 0.75),
                    bench::quantile(subject.startMs, 0.0));
    std::printf("memory once idle after start-up, median of the runs (KiB)\n");
    std::printf("  %-12s %12s %12s %14s\n", "program", "working set", "PrivateUsage", "private commit");
    for (const Subject& subject : subjects)
        std::printf("  %-12s %12.0f %12.0f %14.0f\n", subject.label,
                    bench::median(memoryColumn(subject, &Memory::workingSetKiB)),
                    bench::median(memoryColumn(subject, &Memory::privateUsageKiB)),
                    bench::median(memoryColumn(subject, &Memory::privateCommitKiB)));
    std::fflush(stdout);

    const Subject& ombrix = subjects[0];
    const Subject& floor = subjects[1];
    const Subject& bare = subjects[2];
    for (const Subject& subject : subjects)
        bench::printFigure((std::string("startup_ms_") + subject.figureName).c_str(), bench::median(subject.startMs));
    bench::printFigure("startup_ratio_ombrix_floor", bench::median(ombrix.startMs) / bench::median(floor.startMs));
    bench::printFigure("startup_ratio_ombrix_bare", bench::median(ombrix.startMs) / bench::median(bare.startMs));
    // Each round's own ratio first: drift in the machine's load between rounds cancels out.
    std::vector<double> roundRatios;
    for (std::size_t round = 0; round < ombrix.startMs.size(); ++round)
        roundRatios.push_back(ombrix.startMs[round] / floor.startMs[round]);
    bench::printFigure("startup_ratio_ombrix_floor_median_of_rounds", bench::median(roundRatios));

    const double ombrixSet = bench::median(memoryColumn(ombrix, &Memory::workingSetKiB));
    const double floorSet = bench::median(memoryColumn(floor, &Memory::workingSetKiB));
    const double ombrixCommit = bench::median(memoryColumn(ombrix, &Memory::privateCommitKiB));
    const double floorCommit = bench::median(memoryColumn(floor, &Memory::privateCommitKiB));
    bench::printFigure("memory_working_set_kib_ombrix", ombrixSet);
    bench::printFigure("memory_working_set_kib_floor", floorSet);
    bench::printFigure("memory_working_set_kib_bare", bench::median(memoryColumn(bare, &Memory::workingSetKiB)));
    bench::printFigure("memory_working_set_kib_ombrix_minus_floor", ombrixSet - floorSet);
    bench::printFigure("memory_private_usage_kib_ombrix",
                       bench::median(memoryColumn(ombrix, &Memory::privateUsageKiB)));
    bench::printFigure("memory_private_usage_kib_floor", bench::median(memoryColumn(floor, &Memory::privateUsageKiB)));
    bench::printFigure("memory_private_commit_kib_ombrix", ombrixCommit);
    bench::printFigure("memory_private_commit_kib_floor", floorCommit);
    bench::printFigure("memory_private_commit_kib_ombrix_minus_floor", ombrixCommit - floorCommit);
    if (withStripped) {
        const Subject& ombrixS = subjects[3];
        const Subject& floorS = subjects[4];
        bench::printFigure("startup_ratio_stripped_ombrix_floor",
                           bench::median(ombrixS.startMs) / bench::median(floorS.startMs));
        bench::printFigure("memory_working_set_kib_stripped_ombrix_minus_floor",
                           bench::median(memoryColumn(ombrixS, &Memory::workingSetKiB)) -
                               bench::median(memoryColumn(floorS, &Memory::workingSetKiB)));
    }
    return 0;
}
