// A window of another process for the tests to pick, hide, frame and read pixels from. Its look comes
// from the command line:
//   --title TEXT         window title, ANSI bytes as given
//   --title-length N     a title of N 'x' characters
//   --empty-title        no title at all
//   --rect X Y W H       outer rectangle of the main window (default 20 20 260 180)
//   --owned              also an owned popup window with a caption, over the main one
//   --child              a big push button filling most of the client area
//   --hang               once shown, stop pumping messages until the event
//                        "ombrix-test-resume-<pid>" is signalled
//   --extra-brushes N    create N brushes and keep them, a known GDI load for counting
//   --windows N          N main windows alike (default 1), for tests that need many windows without
//                        as many processes; the program ends when the last one is closed
// A message WM_APP + 0x100 posted to any of its windows stops it pumping messages in the same way as
// --hang, until the same event is signalled; it can happen again later.
// The client area is plain white, so that tests can compare its pixels.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr char kClassName[] = "OmbrixTestTarget";
constexpr UINT kHangRequest = WM_APP + 0x100;

int liveMainWindows = 0;

struct Options {
    std::string title = "target window";
    RECT rect = {20, 20, 20 + 260, 20 + 180};
    bool owned = false;
    bool child = false;
    bool hang = false;
    int extraBrushes = 0;
    int windows = 1;
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const int remaining = argc - i - 1;
        if (arg == "--title" && remaining >= 1) {
            options.title = argv[++i];
        } else if (arg == "--title-length" && remaining >= 1) {
            options.title.assign(static_cast<size_t>(std::atoi(argv[++i])), 'x');
        } else if (arg == "--empty-title") {
            options.title.clear();
        } else if (arg == "--rect" && remaining >= 4) {
            const int x = std::atoi(argv[i + 1]), y = std::atoi(argv[i + 2]);
            const int width = std::atoi(argv[i + 3]), height = std::atoi(argv[i + 4]);
            options.rect = {x, y, x + width, y + height};
            i += 4;
        } else if (arg == "--owned") {
            options.owned = true;
        } else if (arg == "--child") {
            options.child = true;
        } else if (arg == "--hang") {
            options.hang = true;
        } else if (arg == "--extra-brushes" && remaining >= 1) {
            options.extraBrushes = std::atoi(argv[++i]);
        } else if (arg == "--windows" && remaining >= 1) {
            options.windows = std::atoi(argv[++i]);
        } else {
            // A mistyped option would silently give the test another window than it asked for.
            std::string message = "target_window: unknown option " + arg;
            OutputDebugStringA(message.c_str());
            std::exit(2);
        }
    }
    return options;
}

// Blocks this (the only GUI) thread, so the windows stop answering messages, until the test resumes it.
void hangUntilResumed() {
    const std::string name = "ombrix-test-resume-" + std::to_string(GetCurrentProcessId());
    HANDLE resume = CreateEventA(nullptr, FALSE, FALSE, name.c_str());
    WaitForSingleObject(resume, INFINITE);
    CloseHandle(resume);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHangRequest) {
        hangUntilResumed();
        return 0;
    }
    // The owned popup shares this class; only the end of the last main window ends the program.
    if (message == WM_DESTROY && GetWindow(window, GW_OWNER) == nullptr) {
        if (--liveMainWindows == 0) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void pumpPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const Options options = parseOptions(__argc, __argv);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);

    std::vector<HBRUSH> extraBrushes;
    for (int i = 0; i < options.extraBrushes; ++i) extraBrushes.push_back(CreateSolidBrush(RGB(i % 256, 0, 0)));

    const RECT& r = options.rect;
    std::vector<HWND> mainWindows;
    for (int i = 0; i < options.windows; ++i) {
        HWND window = CreateWindowExA(0, kClassName, options.title.c_str(), WS_OVERLAPPEDWINDOW, r.left, r.top,
                                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
        if (!window) return 1;
        mainWindows.push_back(window);
        ++liveMainWindows;
    }
    if (mainWindows.empty()) return 1;
    HWND mainWindow = mainWindows.front();

    if (options.child) {
        RECT client;
        GetClientRect(mainWindow, &client);
        CreateWindowExA(0, "BUTTON", "child button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, client.right - 20,
                        client.bottom - 20, mainWindow, nullptr, instance, nullptr);
    }
    for (HWND window : mainWindows) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }

    if (options.owned) {
        // WS_POPUP: only then is the main window its owner as GA_ROOTOWNER and GetParent see it.
        HWND owned = CreateWindowExA(0, kClassName, "owned popup", WS_POPUP | WS_CAPTION | WS_SYSMENU, r.left + 40,
                                     r.top + 50, 180, 100, mainWindow, nullptr, instance, nullptr);
        ShowWindow(owned, SW_SHOWNORMAL);
        UpdateWindow(owned);
    }

    if (options.hang) {
        pumpPendingMessages();  // painted and settled before it stops answering
        hangUntilResumed();
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    for (HBRUSH brush : extraBrushes) DeleteObject(brush);
    return 0;
}
