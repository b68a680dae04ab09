#include "ombrix.h"

#include <cstdint>

#include "message_box.h"
#include "text.h"
#include "window_query.h"

namespace harness::ombrix {

std::string handleText(HWND window) {
    return std::to_string(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window)));
}

std::string processIdText(DWORD processId) { return std::to_string(static_cast<std::int32_t>(processId)); }

void PrintTo(const Pick& pick, std::ostream* out) {
    *out << "{\"" << pick.title << "\", \"" << pick.handle << "\", \"" << pick.processId << "\"}";
}

HWND waitForMainWindow(const ChildProcess& ombrix, Timeout timeout) {
    return waitForTopLevelWindow({ombrix.pid(), kMainWindowClass, std::nullopt, true}, timeout);
}

std::string whyNoMainWindow(const ChildProcess& ombrix) {
    if (const auto code = ombrix.waitForExit(0_ms)) return "Ombrix ended with exit code " + std::to_string(*code);
    std::string shown = "Ombrix runs without a main window";
    for (const auto& box : messageBoxesOf(ombrix.pid()))
        shown += ", showing a box that says " + utf8FromAnsi(box.text());
    return shown;
}

std::optional<DWORD> confirmExitAndWait(const ChildProcess& ombrix, Timeout timeout) {
    const Deadline deadline(timeout);
    std::optional<MessageBoxWindow> confirmation;
    // Either the process ends by itself or it asks first.
    waitUntil(
        [&] {
            if (!ombrix.running()) return true;
            const auto boxes = messageBoxesOf(ombrix.pid());
            if (!boxes.empty()) confirmation = boxes.front();
            return confirmation.has_value();
        },
        timeout);
    if (confirmation) {
        if (confirmation->text() != kExitConfirmationText) return std::nullopt;
        confirmation->answer(IDOK);
    }
    return ombrix.waitForExit(deadline.left());
}

void endOmbrix(ChildProcess& ombrix) {
    if (!ombrix.running()) return;
    // Boxes left open by a failed test would keep the window from closing.
    for (const auto& box : messageBoxesOf(ombrix.pid())) box.answer(IDOK);
    if (HWND window = waitForMainWindow(ombrix, 0_ms)) PostMessageA(window, WM_CLOSE, 0, 0);
    if (!confirmExitAndWait(ombrix, 5_s)) ombrix.terminate();
}

}  // namespace harness::ombrix
