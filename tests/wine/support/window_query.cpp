#include "window_query.h"

#include "input.h"

namespace harness {

namespace {

struct Search {
    const WindowFilter* filter;
    std::vector<HWND> found;
};

bool matches(HWND window, const WindowFilter& filter) {
    if (filter.visibleOnly && !IsWindowVisible(window)) return false;
    if (filter.processId && processIdOf(window) != filter.processId) return false;
    if (!filter.className.empty() && classNameOf(window) != filter.className) return false;
    if (filter.title && captionOf(window) != *filter.title) return false;
    return true;
}

BOOL CALLBACK collect(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (matches(window, *search->filter)) search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> findTopLevelWindows(const WindowFilter& filter) {
    Search search{&filter, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForTopLevelWindow(const WindowFilter& filter, Timeout timeout) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            const auto windows = findTopLevelWindows(filter);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

std::string classNameOf(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::string captionOf(HWND window) {
    const int capacity = GetWindowTextLengthA(window) + 1;
    std::string text(capacity, '\0');
    const int length = GetWindowTextA(window, text.data(), capacity);
    text.resize(length > 0 ? length : 0);
    return text;
}

RECT windowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT clientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT rectInParent(HWND window) {
    RECT rect = windowRectOf(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG styleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
LONG extendedStyleOf(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }

DWORD processIdOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

DWORD threadIdOf(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

std::vector<HWND> childrenInStackingOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

namespace {

std::optional<GUITHREADINFO> guiThreadInfo(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId, &info)) return std::nullopt;
    return info;
}

}  // namespace

HWND focusOfThread(DWORD threadId) {
    const auto info = guiThreadInfo(threadId);
    return info ? info->hwndFocus : nullptr;
}

HWND activeWindowOfThread(DWORD threadId) {
    const auto info = guiThreadInfo(threadId);
    return info ? info->hwndActive : nullptr;
}

HWND captureOfThread(DWORD threadId) {
    const auto info = guiThreadInfo(threadId);
    return info ? info->hwndCapture : nullptr;
}

bool threadIsMovingOrSizing(DWORD threadId) {
    const auto info = guiThreadInfo(threadId);
    return info && (info->flags & GUI_INMOVESIZE);
}

POINT centreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

std::optional<POINT> pointWithHitTest(HWND window, LRESULT hitTestCode) {
    const RECT rect = windowRectOf(window);
    const int captionRows = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    for (int y = rect.top + 2; y < rect.top + captionRows && y < rect.bottom; y += 2) {
        for (int x = rect.right - 2; x > rect.left; x -= 2) {
            DWORD_PTR code = HTNOWHERE;
            if (!SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 1000, &code))
                return std::nullopt;
            if (static_cast<LRESULT>(code) == hitTestCode) return POINT{x, y};
        }
    }
    return std::nullopt;
}

bool activateByCaptionClick(HWND window) {
    if (GetForegroundWindow() == window) return true;
    const auto caption = pointWithHitTest(window, HTCAPTION);
    if (!caption) return false;
    clickAt(*caption);
    return waitUntil([&] { return GetForegroundWindow() == window; }, 5_s);
}

}  // namespace harness
