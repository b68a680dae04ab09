// Owning wrappers for the Windows resources the program creates: each releases its resource exactly
// once, with the matching call, and can be moved but not copied.
#pragma once
#include <windows.h>

#include <utility>

namespace platform {

template <typename Handle, BOOL(WINAPI* Release)(Handle)>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(Handle handle) : handle_(handle) {}
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~Scoped() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_) Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using ScopedIcon = Scoped<HICON, DestroyIcon>;
using ScopedCursor = Scoped<HCURSOR, DestroyCursor>;
using ScopedHandle = Scoped<HANDLE, CloseHandle>;
using ScopedGdiObject = Scoped<HGDIOBJ, DeleteObject>;

// A device context obtained with GetDC or GetWindowDC, given back with ReleaseDC.
class ScopedWindowDC {
public:
    ScopedWindowDC(HWND window, HDC dc) : window_(window), dc_(dc) {}
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    ScopedWindowDC(ScopedWindowDC&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    ScopedWindowDC& operator=(ScopedWindowDC&&) = delete;
    ~ScopedWindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    ~ScopedPaint() { EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace platform
