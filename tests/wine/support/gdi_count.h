// How many GDI objects a process holds. GetGuiResources answers 0 under Wine, so the objects are counted
// in the process's own GDI handle table, which its PEB points to (as Wine's gdi32 tests read it). Under
// Wine every process has a private table whose entries carry no owner, so another process's count is
// read from its memory.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>

#include "wait.h"

namespace harness {

// Live objects in the handle table of `process` (opened with PROCESS_QUERY_INFORMATION | PROCESS_VM_READ),
// stock objects included; nothing if the table cannot be read.
std::optional<size_t> gdiObjectCount(HANDLE process);
std::optional<size_t> gdiObjectCountOfProcess(DWORD processId);
std::optional<size_t> gdiObjectCountOfThisProcess();

// The count of another process once it has stopped changing for `quiet` (a program that has just shown or
// repainted a window still creates and frees objects for a moment); nothing if it never settles.
std::optional<size_t> settledGdiObjectCount(DWORD processId, Timeout quiet = 300_ms, Timeout timeout = kDefaultTimeout);

}  // namespace harness
