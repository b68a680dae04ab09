#include "platform/form.h"

#include <algorithm>

#include "platform/geometry.h"

namespace platform {

namespace {
bool isRadioButton(HWND window) {
    char name[16]{};
    GetClassNameA(window, name, sizeof name);
    const auto type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(name, "Button") == 0 && (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

POINT centredOnScreen(const RECT& outer) {
    return {centredOrigin(GetSystemMetrics(SM_CXSCREEN), outer.right - outer.left),
            centredOrigin(GetSystemMetrics(SM_CYSCREEN), outer.bottom - outer.top)};
}
}  // namespace

bool Form::create(const FormArgs& args) {
    registerClass(className, 0, LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const RECT outer{0, 0, args.width, args.height};
    const POINT at = centredOnScreen(outer);
    createOwn(className, ControlArgs{nullptr, at.x, at.y, args.width, args.height, args.title, 0, 0}, args.style, 0);
    if (!handle()) return false;
    const RECT made = window().rect();
    if (made.right - made.left != args.width || made.bottom - made.top != args.height)
        MoveWindow(handle(), at.x, at.y, args.width, args.height, FALSE);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    return true;
}

void Form::setIcons(ScopedIcon large, ScopedIcon small) {
    largeIcon_ = std::move(large);
    smallIcon_ = std::move(small);
    window().send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
    window().send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

int Form::run() {
    if (onCreated) onCreated();
    if (!IsWindow(handle())) return runEventLoop();
    if (onSizeChanged) onSizeChanged();
    window().show(SW_SHOW);
    return runEventLoop();
}

int Form::windowState() const {
    if (window().isMinimised()) return 2;
    if (window().isMaximised()) return 3;
    return 0;
}

void Form::setWindowState(int state) const {
    if (state != 1 || !window().isVisible()) return;
    if (window().isMinimised() || window().isMaximised()) window().show(SW_RESTORE);
    const POINT at = centredOnScreen(window().rect());
    SetWindowPos(handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Form::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            if (mayClose()) DestroyWindow(handle());
            return 0;
        case WM_QUERYENDSESSION: return mayClose() ? TRUE : FALSE;
        case WM_SIZE: {
            const LRESULT result = callDefault(message, wParam, lParam);
            if (onSizeChanged) onSizeChanged();
            return result;
        }
        case WM_ACTIVATE:
            // Keep the focus on a control across deactivation, as a dialog does, so that Tab works.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(handle(), focus)) lastFocus_ = focus;
            } else if (!HIWORD(wParam)) {
                focusControl();
            }
            return 0;
        case WM_SETFOCUS: focusControl(); return 0;
        case TrayIcon::callbackMessage:
            if (const int code = trayEventCode(static_cast<UINT>(lParam)); code && onTray) onTray(code);
            return 0;
        case WM_DESTROY:
            trayIcon_.remove();
            PostQuitMessage(0);
            return 0;
        default:
            if (message == taskbarCreated_ && taskbarCreated_ != 0) {
                // The shell restarted: without the icon again, a window in the tray could never come back.
                trayIcon_.addAgain();
                return 0;
            }
            return callDefault(message, wParam, lParam);
    }
}

void Form::focusControl() {
    HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : nullptr;
    if (!target && !tabStops_.empty()) target = tabStops_.front();
    if (target) SetFocus(target);
}

bool Form::preTranslate(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    HWND focus = GetFocus();
    const bool controlHasFocus = focus && IsChild(handle(), focus);
    switch (message.wParam) {
        case VK_ESCAPE: window().send(WM_CLOSE); return true;
        case VK_TAB:
            if (controlHasFocus) moveFocus(GetKeyState(VK_SHIFT) < 0);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (!controlHasFocus || !isRadioButton(focus)) return false;
            moveAmongRadioButtons(focus, message.wParam == VK_LEFT || message.wParam == VK_UP);
            return true;
        default: return false;
    }
}

void Form::moveFocus(bool backward) const {
    if (tabStops_.empty()) return;
    const auto count = static_cast<std::ptrdiff_t>(tabStops_.size());
    const auto found = std::find(tabStops_.begin(), tabStops_.end(), GetFocus());
    std::ptrdiff_t next = 0;
    if (found != tabStops_.end())
        next = ((found - tabStops_.begin()) + (backward ? count - 1 : 1)) % count;
    else if (backward)
        next = count - 1;
    SetFocus(tabStops_[static_cast<std::size_t>(next)]);
}

void Form::moveAmongRadioButtons(HWND focus, bool backward) const {
    std::vector<HWND> group;
    for (HWND stop : tabStops_)
        if (GetParent(stop) == GetParent(focus) && isRadioButton(stop)) group.push_back(stop);
    const auto found = std::find(group.begin(), group.end(), focus);
    if (found == group.end()) return;
    const auto count = static_cast<std::ptrdiff_t>(group.size());
    const auto next = ((found - group.begin()) + (backward ? count - 1 : 1)) % count;
    HWND reached = group[static_cast<std::size_t>(next)];
    for (HWND radio : group) SendMessageA(radio, BM_SETCHECK, radio == reached ? BST_CHECKED : BST_UNCHECKED, 0);
    SetFocus(reached);
}

}  // namespace platform
