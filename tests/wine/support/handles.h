// Move-only owners of the Windows handles the tests open, each released once with its matching call.
#pragma once
#include <windows.h>

#include <utility>

namespace harness {

template <typename Handle, auto Release>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~Unique() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{}) {
        if (handle_) Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

using UniqueHandle = Unique<HANDLE, CloseHandle>;
using UniqueGdiObject = Unique<HGDIOBJ, DeleteObject>;
using UniqueMemoryDC = Unique<HDC, DeleteDC>;

// A device context from GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace harness
