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

// Buttons and keys: SendInput has queued them in wineserver when it returns. There is nothing to wait for
// here: GetAsyncKeyState is no witness under Wine (after a foreground process was killed, it missed a key
// press that the focused window did receive). The test waits for the effect in the program.
void sendButton(DWORD flag) { sendMouse(flag, cursorPosition()); }

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
    sendMouse(0, screenPoint);
    if (!waitUntil(
            [&] {
                const POINT now = cursorPosition();
                return now.x == screenPoint.x && now.y == screenPoint.y;
            },
            2_s)) {
        const POINT now = cursorPosition();
        throw std::runtime_error("the pointer went to (" + std::to_string(now.x) + ", " + std::to_string(now.y) +
                                 ") instead of (" + std::to_string(screenPoint.x) + ", " +
                                 std::to_string(screenPoint.y) + ")");
    }
}

void pressLeftButton() { sendButton(MOUSEEVENTF_LEFTDOWN); }
void releaseLeftButton() { sendButton(MOUSEEVENTF_LEFTUP); }

void clickAt(POINT screenPoint) {
    moveMouseTo(screenPoint);
    pressLeftButton();
    releaseLeftButton();
}

void doubleClickAt(POINT screenPoint) {
    clickAt(screenPoint);
    pressLeftButton();
    releaseLeftButton();
}

void rightClickAt(POINT screenPoint) {
    moveMouseTo(screenPoint);
    sendButton(MOUSEEVENTF_RIGHTDOWN);
    sendButton(MOUSEEVENTF_RIGHTUP);
}

void dragAlong(const std::vector<POINT>& path) {
    if (path.empty()) return;
    moveMouseTo(path.front());
    pressLeftButton();
    for (size_t i = 1; i < path.size(); ++i) moveMouseTo(path[i]);
    releaseLeftButton();
}

void pressKey(WORD virtualKey, bool withShift) {
    if (withShift) sendKey(VK_SHIFT, true);
    sendKey(virtualKey, true);
    sendKey(virtualKey, false);
    if (withShift) sendKey(VK_SHIFT, false);
}

}  // namespace harness
