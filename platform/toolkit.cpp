#include "platform/toolkit.h"

namespace platform {

namespace {
HINSTANCE thisModule() { return GetModuleHandleA(nullptr); }
}  // namespace

void Control::registerClass(const char* name, UINT classStyle, HCURSOR cursor, HBRUSH background) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(thisModule(), name, &existing)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = thisModule();
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

void Control::createOwn(const char* className, const ControlArgs& args, DWORD style, DWORD exStyle) {
    // windowProc binds the window to this control on WM_NCCREATE, from lpParam.
    CreateWindowExA(exStyle | args.exStyle, className, args.text, style | args.style, args.x, args.y, args.width,
                    args.height, args.parent, nullptr, thisModule(), this);
}

void Control::createStandard(const char* className, const ControlArgs& args, DWORD style, DWORD exStyle) {
    HWND window = CreateWindowExA(exStyle | args.exStyle, className, args.text, style | args.style, args.x, args.y,
                                  args.width, args.height, args.parent, nullptr, thisModule(), nullptr);
    if (!window) return;
    bind(window);
    standardProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::windowProc)));
}

void Control::bind(HWND window) {
    window_ = Window(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Control* Control::fromHandle(HWND window) {
    // Only windows whose procedure is ours carry a Control in their user data; any other window
    // (a list view's header, another program's window) is left alone.
    if (!window || GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Control::windowProc))
        return nullptr;
    return reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT Control::onMessage(UINT message, WPARAM wParam, LPARAM lParam) { return callDefault(message, wParam, lParam); }

LRESULT Control::callDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    if (standardProc_) return CallWindowProcA(standardProc_, handle(), message, wParam, lParam);
    return DefWindowProcA(handle(), message, wParam, lParam);
}

LRESULT CALLBACK Control::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (auto* self = static_cast<Control*>(create->lpCreateParams)) self->bind(window);
    }
    Control* self = fromHandle(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_COMMAND:
            if (Control* child = fromHandle(reinterpret_cast<HWND>(lParam))) {
                child->onCommand(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (Control* child = fromHandle(reinterpret_cast<HWND>(lParam)))
                if (HBRUSH brush = child->onColor(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_NCDESTROY: {
            const LRESULT result = self->onMessage(message, wParam, lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->window_ = Window();
            return result;
        }
        default: break;
    }
    return self->onMessage(message, wParam, lParam);
}

int modifierKeys(WPARAM mouseFlags) {
    return ((mouseFlags & MK_CONTROL) ? 1 : 0) | ((mouseFlags & MK_SHIFT) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

void dispatch(MSG& message) {
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        if (Control* top = Control::fromHandle(GetAncestor(message.hwnd, GA_ROOT)))
            if (top->preTranslate(message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

int messageBox(const std::string& text, UINT style) {
    return MessageBoxA(nullptr, text.c_str(), "信息：", style | MB_TASKMODAL) == IDOK ? 0 : 1;
}

void processEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) return;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
        if (message.message == WM_QUIT) {
            // Taken by a race with a message posted in between: put it back for the event loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

int runEventLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) dispatch(message);
    return static_cast<int>(message.wParam);
}

void endProgram(UINT exitCode) { ExitProcess(exitCode); }

}  // namespace platform
