// A non-owning handle to a window, with one-line wrappers for the calls the program makes on it.
#pragma once
#include <windows.h>

#include <string>

namespace platform {

class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}

    HWND handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(handle_, message, wParam, lParam);
    }
    void show(int command) const { ShowWindow(handle_, command); }
    bool isVisible() const { return IsWindowVisible(handle_) != FALSE; }
    bool isMinimised() const { return IsIconic(handle_) != FALSE; }
    bool isMaximised() const { return IsZoomed(handle_) != FALSE; }
    RECT rect() const {
        RECT r{};
        GetWindowRect(handle_, &r);
        return r;
    }
    Window parent() const { return Window(GetParent(handle_)); }
    LONG_PTR style() const { return GetWindowLongPtrA(handle_, GWL_STYLE); }
    void setFont(HFONT font) const { send(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }
    std::string text() const {
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
        return text;
    }
    void setText(const std::string& text) const { SetWindowTextA(handle_, text.c_str()); }

private:
    HWND handle_ = nullptr;
};

}  // namespace platform
