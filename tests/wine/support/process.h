// Starting the program under test and the helper programs as child processes.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "handles.h"
#include "wait.h"

namespace harness {

// A process started by the test. When the owner goes away while it still runs, it is asked to close its
// windows and, failing that, terminated, so a failed test leaves nothing behind on the shared desktop.
// (Killing the process that owns the foreground window upsets Wine's input state for a while; a
// closed window hands the foreground on cleanly.)
class ChildProcess {
public:
    // Starts `executable` with `arguments` (quoted as needed). Throws std::runtime_error on failure.
    static ChildProcess start(const std::string& executable, const std::vector<std::string>& arguments = {});

    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&&) noexcept;
    ~ChildProcess();

    DWORD pid() const { return pid_; }
    DWORD mainThreadId() const { return threadId_; }
    HANDLE handle() const { return process_.get(); }

    bool running() const;
    // The exit code once the process has ended within `timeout`; nothing if it still runs.
    std::optional<DWORD> waitForExit(Timeout timeout = kDefaultTimeout) const;
    // Ends it from outside, as a user's task manager would, and waits for it to be gone.
    void terminate();
    // Posts WM_CLOSE to its top-level windows, waits up to `grace` for it to end, then terminates it.
    void closeOrTerminate(Timeout grace = 2_s);

private:
    ChildProcess(UniqueHandle process, UniqueHandle thread, DWORD pid, DWORD threadId);

    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD pid_ = 0;
    DWORD threadId_ = 0;
};

// Full path of a program built next to the running test executable.
std::string pathBesideThisProgram(const std::string& fileName);

// The command line of one program: each argument quoted so that the child's argv gets it unchanged.
std::string commandLineOf(const std::string& executable, const std::vector<std::string>& arguments);

ChildProcess startOmbrix();
// target_window.exe with the given options (see tests/helpers/target_window.cpp), and its windows' class.
inline const std::string kTargetClass = "OmbrixTestTarget";
ChildProcess startTarget(const std::vector<std::string>& arguments = {});

// Name of the event that lets a target started with --hang pump messages again.
std::string resumeEventNameOf(DWORD targetPid);
// True once a target started with --hang has stopped answering.
bool targetIsHanging(DWORD targetPid);
void resumeHangingTarget(DWORD targetPid);

}  // namespace harness
