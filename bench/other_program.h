// What the benchmarks and their other program agree on.
#pragma once
#include <windows.h>

namespace bench {

constexpr char otherProgramFile[] = "bench_other_program.exe";
constexpr char rowWindowClass[] = "OmbrixBenchRow";
// Sent to the other program's visible window: hide every row window again; the answer is how many
// of them were shown.
constexpr UINT hideAllRowsMessage = WM_APP + 1;

}  // namespace bench
