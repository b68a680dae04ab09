// Sets up the scene of docs/screenshot.png with real input and holds it while the X screen is captured:
// Wine's Minesweeper already hidden into Ombrix's list, and a pick in progress on a Notepad window (frame
// drawn, fields filled, left button still down).
//   screenshot_stage.exe HANDSHAKE_FOLDER
// Once the scene stands it writes HANDSHAKE_FOLDER\ready, two lines: "crop WxH+X+Y", the part of the
// screen worth showing (an ImageMagick geometry), and "pointer X Y", where the pointer is; it then waits
// for HANDSHAKE_FOLDER\captured, releases the button and ends the programs it started. Exit code 0 on success;
// otherwise a message on stderr says which step did not come about.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// Long enough for a Wine process to start and show its window on a loaded machine.
constexpr DWORD kStepTimeoutMs = 15000;
// The capture runs outside Wine; this bounds how long a lost capture can keep the scene up.
constexpr DWORD kCaptureTimeoutMs = 60000;

// Where the windows stand on the 1024x768 desktop. Ombrix places itself (at (289, 236), 445x295); the
// Notepad window goes just above it, as wide, so that its whole frame shows and the picture stays compact.
constexpr int kNotepadHeight = 200;
constexpr int kGapAboveOmbrix = 14;
// Anywhere clear of both, and off the way from Ombrix to Notepad: it is hidden before the capture.
constexpr RECT kMinesweeperRect{800, 380, 800 + 160, 380 + 226};
constexpr int kCropMargin = 12;

constexpr char kNotesFileName[] = "会议纪要.txt";
constexpr char kNotesText[] =
    "周一例会纪要\r\n"
    "\r\n"
    "1. 1.0 版本本周五发布\r\n"
    "2. 安装包和说明文档：小王\r\n"
    "3. 下周一开始收集用户反馈\r\n";

struct StepFailed {
    std::string what;
};

[[noreturn]] void fail(const std::string& what) { throw StepFailed{what}; }

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kStepTimeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

void require(const std::function<bool()>& condition, const std::string& what, DWORD timeoutMs = kStepTimeoutMs) {
    if (!waitUntil(condition, timeoutMs)) fail(what);
}

// A process this program started; ended with it unless it has ended by itself.
class ChildProcess {
public:
    explicit ChildProcess(std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info_))
            fail("could not start " + commandLine + ", error " + std::to_string(GetLastError()));
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 0);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    DWORD id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

void writeFile(const std::string& path, const std::string& content) {
    FileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.get() == INVALID_HANDLE_VALUE ||
        !WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
        written != content.size())
        fail("could not write " + path + ", error " + std::to_string(GetLastError()));
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// --- windows of other processes -----------------------------------------------------------------------

HWND visibleTopLevelWindowOf(DWORD processId, const char* className = nullptr) {
    struct Search {
        DWORD processId;
        const char* className;
        HWND found;
    } search{processId, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s.processId || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            if (s.className && lstrcmpiA(name, s.className) != 0) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindowOf(const ChildProcess& process, const char* what, const char* className = nullptr) {
    HWND window = nullptr;
    require([&] { return (window = visibleTopLevelWindowOf(process.id(), className)) != nullptr; },
            std::string(what) + " did not show its window");
    return window;
}

std::vector<HWND> descendantsOfClass(HWND parent, const char* className) {
    struct Search {
        const char* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            if (lstrcmpiA(name, s.className) == 0) s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

POINT centreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

// WM_GETTEXT, not GetWindowText: the latter reads only captions of another process's windows.
std::string textOf(HWND window) {
    char buffer[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    return buffer;
}

// As Ombrix writes a handle in its fields: the 32-bit value in signed decimal.
std::string handleText(HWND window) {
    return std::to_string(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window)));
}

void placeWindow(HWND window, const RECT& rect, const char* what) {
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    require(
        [&] {
            const RECT now = windowRect(window);
            return EqualRect(&rect, &now) != FALSE;
        },
        std::string(what) + " did not move into place");
}

// --- real input ----------------------------------------------------------------------------------------

void sendMouse(DWORD flags, POINT point) {
    // Absolute coordinates span the virtual desktop as 0..65535.
    const auto normalised = [](LONG pixel, int origin, int extent) {
        return static_cast<LONG>((static_cast<long long>(pixel - origin) * 65535 + extent / 2) / (extent - 1));
    };
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalised(point.x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    input.mi.dy = normalised(point.y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    if (SendInput(1, &input, sizeof input) != 1) fail("SendInput failed, error " + std::to_string(GetLastError()));
}

bool pointerIsAt(POINT point) {
    POINT now{};
    GetCursorPos(&now);
    return now.x == point.x && now.y == point.y;
}

// Under Wine the X pointer follows a SendInput move through a warp that X may not carry out (when the
// pointer grab around it fails); a move aside and back asks for another.
void moveMouseTo(POINT point) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt > 0) sendMouse(0, {point.x - 1, point.y - 1});
        sendMouse(0, point);
        if (waitUntil([&] { return pointerIsAt(point); }, 2000)) return;
    }
    fail("the pointer did not reach " + std::to_string(point.x) + ", " + std::to_string(point.y));
}

// Under Wine the X pointer follows a SendInput move later, and other processes' GetCursorPos reads the X
// pointer once the server's position is 100 ms old: seen at the point for longer than that, both are
// there, and so is the cursor that X draws.
void settlePointerAt(POINT point) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        moveMouseTo(point);
        ULONGLONG seenSince = GetTickCount64();
        const bool settled = waitUntil(
            [&] {
                if (!pointerIsAt(point)) {
                    seenSince = GetTickCount64();
                    return false;
                }
                return GetTickCount64() - seenSince >= 150;
            },
            1000);
        if (!settled) continue;
        // A last move the program under the pointer handles with the X pointer already there.
        moveMouseTo({point.x - 1, point.y - 1});
        moveMouseTo(point);
        return;
    }
    fail("the X pointer did not follow to " + std::to_string(point.x) + ", " + std::to_string(point.y));
}

// In steps, as a hand moves: the picker acts on each mouse move it sees.
void dragTo(POINT from, POINT to) {
    constexpr int steps = 16;
    for (int i = 1; i <= steps; ++i)
        moveMouseTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    settlePointerAt(to);
}

void pressLeftButtonAt(POINT point) {
    settlePointerAt(point);
    sendMouse(MOUSEEVENTF_LEFTDOWN, point);
}

void releaseLeftButtonAt(POINT point) { sendMouse(MOUSEEVENTF_LEFTUP, point); }

COLORREF screenPixel(POINT point) { return GetPixel(ScreenDC().get(), point.x, point.y); }

// --- Ombrix --------------------------------------------------------------------------------------------

struct Ombrix {
    HWND window;
    HWND pictureBox;
    HWND titleField;
    HWND handleField;
    HWND processIdField;
    HWND hideButton;
    HWND hiddenList;

    bool showsPickOf(HWND target, DWORD processId) const {
        return textOf(handleField) == handleText(target) && textOf(processIdField) == std::to_string(processId);
    }
    int hiddenRows() const { return static_cast<int>(SendMessageA(hiddenList, LVM_GETITEMCOUNT, 0, 0)); }
    // The window holding the mouse capture in Ombrix's thread: the picture box while a pick is on.
    HWND captureHolder() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info.hwndCapture;
    }
};

Ombrix findControlsOf(HWND window) {
    Ombrix ombrix{};
    ombrix.window = window;
    ombrix.pictureBox = FindWindowExA(window, nullptr, "OmbrixPictureBox", nullptr);
    ombrix.hideButton = FindWindowExA(window, nullptr, "Button", "隐藏窗口");
    // The three fields stand one above the other: title, handle, process id.
    std::vector<HWND> fields = descendantsOfClass(window, "Edit");
    std::sort(fields.begin(), fields.end(), [](HWND a, HWND b) { return windowRect(a).top < windowRect(b).top; });
    const std::vector<HWND> lists = descendantsOfClass(window, WC_LISTVIEWA);
    if (!ombrix.pictureBox || !ombrix.hideButton || fields.size() != 3 || lists.size() != 1)
        fail("Ombrix's window does not hold the controls expected");
    ombrix.titleField = fields[0];
    ombrix.handleField = fields[1];
    ombrix.processIdField = fields[2];
    ombrix.hiddenList = lists[0];
    return ombrix;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/")); }

std::string ownFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return folderOf(path);
}

std::string writeNotesFile() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + kNotesFileName;
    writeFile(path, kNotesText);
    return path;
}

std::string cropAround(const RECT& a, const RECT& b) {
    const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const LONG left = std::max(0L, std::min(a.left, b.left) - kCropMargin);
    const LONG top = std::max(0L, std::min(a.top, b.top) - kCropMargin);
    const LONG right = std::min(screenWidth, std::max(a.right, b.right) + kCropMargin);
    const LONG bottom = std::min(screenHeight, std::max(a.bottom, b.bottom) + kCropMargin);
    return std::to_string(right - left) + "x" + std::to_string(bottom - top) + "+" + std::to_string(left) + "+" +
           std::to_string(top);
}

void stage(const std::string& handshakeFolder) {
    ChildProcess ombrixProcess("\"" + ownFolder() + "\\ombrix.exe\"");
    const Ombrix ombrix = findControlsOf(waitForWindowOf(ombrixProcess, "Ombrix", "OmbrixMainWindow"));
    const POINT pictureBoxCentre = centreOf(windowRect(ombrix.pictureBox));
    const RECT ombrixRect = windowRect(ombrix.window);
    const RECT notepadRect{ombrixRect.left, ombrixRect.top - kGapAboveOmbrix - kNotepadHeight, ombrixRect.right,
                           ombrixRect.top - kGapAboveOmbrix};

    ChildProcess minesweeper("winemine.exe");
    ChildProcess notepad("notepad.exe \"" + writeNotesFile() + "\"");
    const HWND minesweeperWindow = waitForWindowOf(minesweeper, "Minesweeper");
    const HWND notepadWindow = waitForWindowOf(notepad, "Notepad");
    placeWindow(minesweeperWindow, kMinesweeperRect, "Minesweeper");
    placeWindow(notepadWindow, notepadRect, "Notepad");

    // Hide Minesweeper: pick it, let go, press the button; it becomes the list's row.
    // Moves before the picker holds the capture would go to other windows.
    pressLeftButtonAt(pictureBoxCentre);
    require([&] { return ombrix.captureHolder() == ombrix.pictureBox; }, "the pick on Minesweeper did not start");
    dragTo(pictureBoxCentre, centreOf(kMinesweeperRect));
    require([&] { return ombrix.showsPickOf(minesweeperWindow, minesweeper.id()); },
            "Ombrix's fields did not show Minesweeper");
    releaseLeftButtonAt(centreOf(kMinesweeperRect));
    require([&] { return ombrix.captureHolder() == nullptr; }, "the pick on Minesweeper did not end");
    const POINT buttonCentre = centreOf(windowRect(ombrix.hideButton));
    pressLeftButtonAt(buttonCentre);
    releaseLeftButtonAt(buttonCentre);
    require([&] { return !IsWindowVisible(minesweeperWindow) && ombrix.hiddenRows() == 1; },
            "Minesweeper did not become a row of the hidden list");

    // Pick Notepad and keep the button down. The frame's edge (4 pixels wide, from the window's edge in)
    // turns to the inverse of its colour; Ombrix is already active, so nothing else repaints it meanwhile.
    const POINT frameEdge{notepadRect.left + 2, (notepadRect.top + notepadRect.bottom) / 2};
    const COLORREF edgeBefore = screenPixel(frameEdge);
    const POINT pickPoint{notepadRect.left + 300, notepadRect.top + 110};
    pressLeftButtonAt(pictureBoxCentre);
    require([&] { return ombrix.captureHolder() == ombrix.pictureBox; }, "the pick on Notepad did not start");
    dragTo(pictureBoxCentre, pickPoint);
    require([&] { return ombrix.showsPickOf(notepadWindow, notepad.id()) && !textOf(ombrix.titleField).empty(); },
            "Ombrix's fields did not show Notepad");
    require([&] { return screenPixel(frameEdge) == (~edgeBefore & 0x00FFFFFF); }, "no frame showed on Notepad");

    const std::string ready = handshakeFolder + "\\ready";
    writeFile(ready + ".partial", "crop " + cropAround(ombrixRect, notepadRect) + "\npointer " +
                                      std::to_string(pickPoint.x) + " " + std::to_string(pickPoint.y) + "\n");
    // Renamed into place, so the capture side never reads a half-written file.
    if (!MoveFileA((ready + ".partial").c_str(), ready.c_str())) fail("could not write " + ready);
    require([&] { return fileExists(handshakeFolder + "\\captured"); }, "the screen was not captured",
            kCaptureTimeoutMs);

    releaseLeftButtonAt(pickPoint);
    require([&] { return screenPixel(frameEdge) == edgeBefore; }, "the frame did not go when the button came up");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_stage HANDSHAKE_FOLDER\n");
        return 2;
    }
    try {
        stage(argv[1]);
    } catch (const StepFailed& failure) {
        std::fprintf(stderr, "screenshot_stage: %s\n", failure.what.c_str());
        return 1;
    }
    return 0;
}
