#include "hidden/processes.h"

#include <psapi.h>

#include <algorithm>

#include "platform/scoped.h"

namespace hidden {

bool terminateProcessById(DWORD processId) {
    if (processId == 0) return false;
    platform::ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    return process && TerminateProcess(process.get(), 0) != FALSE;
}

std::string processBaseNameOf(DWORD processId) {
    platform::ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    // Not cleared before the call: when the name cannot be read, the spaces are the answer.
    char buffer[256];
    std::fill(buffer, buffer + 255, ' ');
    buffer[255] = '\0';
    GetModuleBaseNameA(process.get(), nullptr, buffer, sizeof buffer);
    return buffer;
}

}  // namespace hidden
