#include "input.h"

#include <stdexcept>
#include <string>

#include "wait.h"

namespace harness {

namespace {

void send(INPUT input) {
    if (SendInput(1, &input, sizeof input) != 1)
        throw std::runtime_error("SendInput failed, error " + std::to_string(GetLastError()));
}

// Absolute coordinates span the virtual desktop as 0..65535.
LONG normalised(LONG pixel, int origin, int extent) {
    return static_cast<LONG>((static_cast<long long>(pixel - origin) * 65535 + extent / 2) / (extent - 1));
}

// Every mouse event is also a move to its point.
void sendMouse(DWORD flags, POINT point) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(point.x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = normalised(point.y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    send(input);
}

POINT cursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

bool pointerIsAt(POINT point) {
    const POINT now = cursorPosition();
    return now.x == point.x && now.y == point.y;
}

// GetCursorPos answers from the server while its position is less than 100 ms old, and from the X pointer
// after that; seen at the point all along for longer, both are there and no echo came in between.
bool staysAt(POINT point) {
    return waitUntilHeld([&] { return pointerIsAt(point); }, 150_ms, 1_s);
}

void sendKey(WORD virtualKey, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    send(input);
}

}  // namespace

void moveMouseTo(POINT screenPoint) {
    // Now and then the X pointer does not follow a move at all (see moveMouseInto); the same move again
    // brings it.
    for (int attempt = 0; attempt < 4; ++attempt) {
        sendMouse(0, screenPoint);
        if (waitUntil([&] { return pointerIsAt(screenPoint); }, 500_ms)) return;
    }
    const POINT now = cursorPosition();
    throw std::runtime_error("the pointer went to (" + std::to_string(now.x) + ", " + std::to_string(now.y) +
                             ") instead of (" + std::to_string(screenPoint.x) + ", " + std::to_string(screenPoint.y) +
                             ")");
}

void moveMouseInto(POINT screenPoint) {
    const POINT beside{screenPoint.x - 1, screenPoint.y - 1};
    for (int attempt = 0; attempt < 10; ++attempt) {
        sendMouse(0, beside);
        sendMouse(0, screenPoint);
        if (!staysAt(screenPoint)) continue;
        sendMouse(0, beside);
        sendMouse(0, screenPoint);
        return;
    }
    throw std::runtime_error("the pointer does not stay at (" + std::to_string(screenPoint.x) + ", " +
                             std::to_string(screenPoint.y) + ")");
}

// Buttons and keys: SendInput has queued them in wineserver when it returns. There is nothing to wait for
// here: GetAsyncKeyState is no witness under Wine (after a foreground process was killed, it missed a key
// press that the focused window did receive). The test waits for the effect in the program.
void pressLeftButton() { sendMouse(MOUSEEVENTF_LEFTDOWN, cursorPosition()); }
void releaseLeftButton() { sendMouse(MOUSEEVENTF_LEFTUP, cursorPosition()); }
void pressLeftButtonAt(POINT screenPoint) { sendMouse(MOUSEEVENTF_LEFTDOWN, screenPoint); }
void releaseLeftButtonAt(POINT screenPoint) { sendMouse(MOUSEEVENTF_LEFTUP, screenPoint); }

void clickAt(POINT screenPoint) {
    // A pointer that is there already does not move, and nothing can bring it back from elsewhere.
    if (!pointerIsAt(screenPoint)) moveMouseInto(screenPoint);
    pressLeftButtonAt(screenPoint);
    releaseLeftButtonAt(screenPoint);
}

void doubleClickAt(POINT screenPoint) {
    moveMouseTo(screenPoint);
    for (int click = 0; click < 2; ++click) {
        pressLeftButtonAt(screenPoint);
        releaseLeftButtonAt(screenPoint);
    }
}

void rightClickAt(POINT screenPoint) {
    moveMouseTo(screenPoint);
    sendMouse(MOUSEEVENTF_RIGHTDOWN, screenPoint);
    sendMouse(MOUSEEVENTF_RIGHTUP, screenPoint);
}

void dragAlong(const std::vector<POINT>& path) {
    if (path.empty()) return;
    moveMouseTo(path.front());
    pressLeftButtonAt(path.front());
    for (size_t i = 1; i < path.size(); ++i) moveMouseTo(path[i]);
    releaseLeftButtonAt(path.back());
}

void pressKey(WORD virtualKey, bool withShift) {
    if (withShift) sendKey(VK_SHIFT, true);
    sendKey(virtualKey, true);
    sendKey(virtualKey, false);
    if (withShift) sendKey(VK_SHIFT, false);
}

}  // namespace harness
