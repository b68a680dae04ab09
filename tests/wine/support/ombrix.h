// What the tests know about the program from outside: its window class, texts, tray icon, and how to
// start and end it.
#pragma once
#include <windows.h>

#include <optional>
#include <ostream>
#include <string>

#include "process.h"
#include "wait.h"

namespace harness::ombrix {

inline const std::string kMainWindowClass = "OmbrixMainWindow";
inline const std::string kPictureBoxClass = "OmbrixPictureBox";
inline const std::string kTitle = "Ombrix 【窗口隐身术】";
inline const std::string kAlreadyRunningText = "Ombrix已经在系统中运行！";
inline const std::string kExitConfirmationText = "确定要退出吗？";
inline const std::string kTrayTip = "Ombrix";
constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// The text the program writes for a handle: the decimal of its low 32 bits, signed.
std::string handleText(HWND window);
std::string processIdText(DWORD processId);

// What the three fields hold: a picked window's title, handle and process id.
struct Pick {
    std::string title;
    std::string handle;
    std::string processId;
    bool operator==(const Pick&) const = default;
};
void PrintTo(const Pick& pick, std::ostream* out);

// Its visible main window, once shown, or nullptr after `timeout`.
HWND waitForMainWindow(const ChildProcess& ombrix, Timeout timeout = kDefaultTimeout);

// For a failure message: what a copy that shows no main window is doing instead.
std::string whyNoMainWindow(const ChildProcess& ombrix);

// After something asked the main window to close: answers the exit confirmation with OK if the program
// asks one (only that box is accepted), and returns the exit code once the process has ended.
std::optional<DWORD> confirmExitAndWait(const ChildProcess& ombrix, Timeout timeout = kDefaultTimeout);

// For tear-down: closes the program the way a user would (WM_CLOSE, then OK), and kills it if that fails,
// so the next test finds the desktop, the tray and the single-instance event free.
void endOmbrix(ChildProcess& ombrix);

}  // namespace harness::ombrix
