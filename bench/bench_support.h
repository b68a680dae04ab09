// What the benchmark programs share: a clock, order statistics, owned handles, child processes and
// finding the windows of another process.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// A kernel handle this program owns.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~OwnedHandle() { reset(); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(HANDLE handle = nullptr) {
        if (handle_) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

// A window this program made, destroyed with its owner.
class OwnedWindow {
public:
    explicit OwnedWindow(HWND window) : window_(window) {}
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    OwnedWindow(OwnedWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    OwnedWindow& operator=(OwnedWindow&&) = delete;
    ~OwnedWindow() {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
    }
    HWND get() const { return window_; }

private:
    HWND window_;
};

inline double nowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

// The value below which the fraction `at` of the values lie, interpolated between neighbours.
inline double quantile(std::vector<double> values, double at) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const double position = at * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    const double fraction = position - static_cast<double>(below);
    return values[below] + (values[above] - values[below]) * fraction;
}

inline double median(const std::vector<double>& values) { return quantile(values, 0.5); }

// Polls `condition` every `pollMs` until it holds or `timeoutMs` have passed. True when it held.
template <typename Condition>
bool waitFor(Condition condition, double timeoutMs, DWORD pollMs = 1) {
    const double deadline = nowMs() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (nowMs() > deadline) return false;
        Sleep(pollMs);
    }
}

// One figure, the line format `make bench` collects.
inline void printFigure(const char* name, double value) {
    std::printf("%s=%.3f\n", name, value);
    std::fflush(stdout);
}

[[noreturn]] inline void fail(const std::string& why) {
    std::fprintf(stderr, "bench: %s\n", why.c_str());
    std::fflush(stderr);
    ExitProcess(1);
}

inline std::string folderOfThisProgram() {
    char path[MAX_PATH]{};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// A process this program started. Ending it is explicit, so that a benchmark can time what
// follows; a process still running when its owner goes is ended then.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&& other) noexcept {
        if (this != &other) {
            end();
            process_ = std::move(other.process_);
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }
    ~ChildProcess() { end(); }

    // Starts `program` with `arguments`, in the program's own folder.
    static ChildProcess start(const std::string& program, const std::string& arguments = "") {
        std::string commandLine = "\"" + program + "\"";
        if (!arguments.empty()) commandLine += " " + arguments;
        const std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        ChildProcess child;
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                            &info))
            return child;
        CloseHandle(info.hThread);
        child.process_.reset(info.hProcess);
        child.id_ = info.dwProcessId;
        return child;
    }

    explicit operator bool() const { return static_cast<bool>(process_); }
    HANDLE handle() const { return process_.get(); }
    DWORD id() const { return id_; }

    // Terminates the process and waits until it is gone. False when it did not go in time.
    bool end(DWORD timeoutMs = 10000) {
        if (!process_) return true;
        TerminateProcess(process_.get(), 0);
        const bool gone = WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
        process_.reset();
        id_ = 0;
        return gone;
    }

private:
    OwnedHandle process_;
    DWORD id_ = 0;
};

// The first visible top-level window of process `processId`; null when it has none.
inline HWND visibleTopLevelWindowOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Every child window of `parent` of class `className`, shown or not.
inline std::vector<HWND> childWindowsOf(HWND parent, const char* className) {
    struct Search {
        const char* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM context) -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            char name[64]{};
            if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, search->className) == 0)
                search->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return std::move(search.found);
}

}  // namespace bench
