#include "wait.h"

#include <windows.h>

namespace harness {

bool waitUntil(const std::function<bool()>& condition, Timeout timeout) {
    const Deadline deadline(timeout);
    for (;;) {
        if (condition()) return true;
        if (deadline.left().milliseconds == 0) return condition();
        Sleep(5);
    }
}

bool waitUntilHeld(const std::function<bool()>& condition, Timeout quiet, Timeout timeout) {
    unsigned long long heldSince = GetTickCount64();
    return waitUntil(
        [&] {
            if (!condition()) {
                heldSince = GetTickCount64();
                return false;
            }
            return GetTickCount64() - heldSince >= quiet.milliseconds;
        },
        timeout);
}

Deadline::Deadline(Timeout timeout) : end_(GetTickCount64() + timeout.milliseconds) {}

Timeout Deadline::left() const {
    const unsigned long long now = GetTickCount64();
    return {now >= end_ ? 0ul : static_cast<unsigned long>(end_ - now)};
}

}  // namespace harness
