#include "gdi_count.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

#include "handles.h"

namespace harness {

namespace {

// One entry of the table, as win32u lays it out (GDI_HANDLE_ENTRY); a free entry has Type 0.
#pragma pack(push, 1)
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr size_t kHandleCount = 0x10000;
// PEB::GdiSharedHandleTable in the 64-bit PEB.
constexpr size_t kPebGdiTableOffset = 0xF8;

using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

std::optional<uintptr_t> pebOf(HANDLE process) {
    static const auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return std::nullopt;
    return reinterpret_cast<uintptr_t>(basic.PebBaseAddress);
}

}  // namespace

std::optional<size_t> gdiObjectCount(HANDLE process) {
    static_assert(sizeof(void*) == 8, "the PEB offset is that of 64-bit processes");
    const auto peb = pebOf(process);
    if (!peb) return std::nullopt;
    uintptr_t table = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(*peb + kPebGdiTableOffset), &table, sizeof table,
                           nullptr) ||
        !table)
        return std::nullopt;
    std::vector<GdiHandleEntry> entries(kHandleCount);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), nullptr))
        return std::nullopt;
    size_t live = 0;
    for (const auto& entry : entries)
        if (entry.type != 0) ++live;
    return live;
}

std::optional<size_t> gdiObjectCountOfProcess(DWORD processId) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return std::nullopt;
    return gdiObjectCount(process.get());
}

std::optional<size_t> gdiObjectCountOfThisProcess() { return gdiObjectCount(GetCurrentProcess()); }

std::optional<size_t> settledGdiObjectCount(DWORD processId, Timeout quiet, Timeout timeout) {
    // A count that could not be read does not count as steady.
    std::optional<size_t> count;
    const bool settled = waitUntilHeld(
        [&] {
            const auto now = gdiObjectCountOfProcess(processId);
            const bool same = now && now == count;
            count = now;
            return same;
        },
        quiet, timeout);
    return settled ? count : std::nullopt;
}

}  // namespace harness
