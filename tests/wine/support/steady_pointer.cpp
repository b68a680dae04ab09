#include "steady_pointer.h"

#include <stdexcept>
#include <string>

#include "wait.h"

namespace harness {

namespace {

// Absolute coordinates span the virtual desktop as 0..65535.
LONG normalised(LONG pixel, int origin, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel - origin) * 65535 + extent / 2) / (extent - 1));
}

void sendMove(POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(point.x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = normalised(point.y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    if (SendInput(1, &input, sizeof input) != 1)
        throw std::runtime_error("SendInput failed, error " + std::to_string(GetLastError()));
}

bool pointerIsAt(POINT point) {
    POINT now{};
    GetCursorPos(&now);
    return now.x == point.x && now.y == point.y;
}

// GetCursorPos answers from the server while its position is less than 100 ms old, and from the X pointer
// after that; seen at the point all along for longer, both are there and no echo came in between.
bool staysAt(POINT point) {
    ULONGLONG seenSince = GetTickCount64();
    return waitUntil(
        [&] {
            if (!pointerIsAt(point)) {
                seenSince = GetTickCount64();
                return false;
            }
            return GetTickCount64() - seenSince >= 150;
        },
        1_s);
}

}  // namespace

void moveMouseInto(POINT screenPoint) {
    const POINT beside{screenPoint.x - 1, screenPoint.y - 1};
    for (int attempt = 0; attempt < 10; ++attempt) {
        sendMove(beside);
        sendMove(screenPoint);
        if (!staysAt(screenPoint)) continue;
        sendMove(beside);
        sendMove(screenPoint);
        return;
    }
    throw std::runtime_error("the pointer does not stay at (" + std::to_string(screenPoint.x) + ", " +
                             std::to_string(screenPoint.y) + ")");
}

}  // namespace harness
