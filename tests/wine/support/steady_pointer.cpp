#include "steady_pointer.h"

#include <stdexcept>
#include <string>

#include "input.h"
#include "wait.h"

namespace harness {

namespace {

bool pointerIsAt(POINT point) {
    POINT now{};
    GetCursorPos(&now);
    return now.x == point.x && now.y == point.y;
}

// Measured: the echo mostly comes within 15 ms of the move. (GetCursorPos shows a position that the server
// took less than 100 ms ago, so polling sees every echo.)
constexpr Timeout kQuietTime = 250_ms;
constexpr Timeout kSettleTime = 3_s;

}  // namespace

void movePointerSteadilyTo(POINT screenPoint) {
    const Deadline deadline(kSettleTime);
    for (;;) {
        moveMouseTo(screenPoint);
        if (!waitUntil([&] { return !pointerIsAt(screenPoint); }, kQuietTime)) return;
        if (deadline.left().milliseconds == 0)
            throw std::runtime_error("the pointer does not stay at (" + std::to_string(screenPoint.x) + ", " +
                                     std::to_string(screenPoint.y) + ")");
    }
}

}  // namespace harness
