#include "process.h"

#include <stdexcept>

#include "window_query.h"

namespace harness {

namespace {

std::string quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    // The rules of CommandLineToArgvW: backslashes double only in front of a quote.
    std::string result = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
        } else if (c == '"') {
            result.append(backslashes * 2 + 1, '\\');
            backslashes = 0;
        } else {
            backslashes = 0;
        }
        result += c;
    }
    result.append(backslashes, '\\');
    return result + "\"";
}

// Every process the test starts belongs to this job, which ends them all when the test's process ends
// without cleaning up (a crash, or ctest's time limit): a program left running would break every later
// test, Ombrix's single copy first of all.
HANDLE jobOfThisTest() {
    static const UniqueHandle job = [] {
        UniqueHandle created(CreateJobObjectA(nullptr, nullptr));
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!created ||
            !SetInformationJobObject(created.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
            throw std::runtime_error("cannot make a job for the test's processes");
        return created;
    }();
    return job.get();
}

}  // namespace

std::string commandLineOf(const std::string& executable, const std::vector<std::string>& arguments) {
    std::string line = quoted(executable);
    for (const auto& argument : arguments) line += " " + quoted(argument);
    return line;
}

ChildProcess ChildProcess::start(const std::string& executable, const std::vector<std::string>& arguments) {
    if (GetFileAttributesA(executable.c_str()) == INVALID_FILE_ATTRIBUTES)
        throw std::runtime_error("no such program: " + executable);
    std::string line = commandLineOf(executable, arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // No inherited handles: a child holding the test's pipes would stall ctest.
    if (!CreateProcessA(executable.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &info))
        throw std::runtime_error("CreateProcess failed for " + line + ", error " + std::to_string(GetLastError()));
    ChildProcess child(UniqueHandle(info.hProcess), UniqueHandle(info.hThread), info.dwProcessId, info.dwThreadId);
    const bool inJob = AssignProcessToJobObject(jobOfThisTest(), info.hProcess);
    ResumeThread(info.hThread);
    if (!inJob)
        throw std::runtime_error("cannot put " + line + " in the test's job, error " + std::to_string(GetLastError()));
    return child;
}

ChildProcess::ChildProcess(UniqueHandle process, UniqueHandle thread, DWORD pid, DWORD threadId)
    : process_(std::move(process)), thread_(std::move(thread)), pid_(pid), threadId_(threadId) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        if (running()) closeOrTerminate();
        process_ = std::move(other.process_);
        thread_ = std::move(other.thread_);
        pid_ = other.pid_;
        threadId_ = other.threadId_;
    }
    return *this;
}

ChildProcess::~ChildProcess() {
    if (running()) closeOrTerminate();
}

bool ChildProcess::running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> ChildProcess::waitForExit(Timeout timeout) const {
    if (!process_) return std::nullopt;
    if (WaitForSingleObject(process_.get(), timeout.milliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::terminate() {
    if (!process_) return;
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 10000);
}

void ChildProcess::closeOrTerminate(Timeout grace) {
    if (!running()) return;
    for (HWND window : findTopLevelWindows({pid_, "", std::nullopt, true})) PostMessageA(window, WM_CLOSE, 0, 0);
    if (!waitForExit(grace)) terminate();
}

std::string pathBesideThisProgram(const std::string& fileName) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self(path, length);
    return self.substr(0, self.find_last_of("\\/") + 1) + fileName;
}

ChildProcess startOmbrix() { return ChildProcess::start(pathBesideThisProgram("ombrix.exe")); }

ChildProcess startTarget(const std::vector<std::string>& arguments) {
    return ChildProcess::start(pathBesideThisProgram("target_window.exe"), arguments);
}

std::string resumeEventNameOf(DWORD targetPid) { return "ombrix-test-resume-" + std::to_string(targetPid); }

bool targetIsHanging(DWORD targetPid) {
    UniqueHandle event(OpenEventA(SYNCHRONIZE, FALSE, resumeEventNameOf(targetPid).c_str()));
    return static_cast<bool>(event);
}

void resumeHangingTarget(DWORD targetPid) {
    UniqueHandle event(OpenEventA(EVENT_MODIFY_STATE, FALSE, resumeEventNameOf(targetPid).c_str()));
    if (!event) throw std::runtime_error("the target " + std::to_string(targetPid) + " is not hanging");
    SetEvent(event.get());
}

}  // namespace harness
