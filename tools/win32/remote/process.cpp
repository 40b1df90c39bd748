#include "process.h"

#include <stdexcept>
#include <utility>

namespace petarino::remote {

Process Process::Start(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    // No standard handles: Wine would hand the program this side's, and a pipe a script reads
    // this side's output through would stay open for as long as the program runs.
    STARTUPINFOW startup{.cb = sizeof startup, .dwFlags = STARTF_USESTDHANDLES};
    PROCESS_INFORMATION started{};
    // Wine now and then refuses a start with an internal error while the server still tidies up
    // after a program that just ended; nothing has started then, so the start is tried again.
    constexpr int kAttempts = 5;
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder.empty() ? nullptr : folder.c_str(), &startup, &started))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == kAttempts)
            throw std::runtime_error("cannot start the program, error " + std::to_string(error));
        Sleep(200);
    }
    CloseHandle(started.hThread);
    return Process(started.hProcess, started.dwProcessId, true);
}

Process Process::Open(DWORD id) {
    HANDLE handle =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
    return handle ? Process(handle, id, false) : Process();
}

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), id_(std::exchange(other.id_, 0)),
      owned_(std::exchange(other.owned_, false)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = std::exchange(other.id_, 0);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

Process::~Process() {
    Release();
}

void Process::Release() {
    if (!handle_) return;
    if (owned_) Kill();
    CloseHandle(handle_);
    handle_ = nullptr;
}

bool Process::Running() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

bool Process::WaitUntilIdle(unsigned long timeoutMs) const {
    return handle_ && WaitForInputIdle(handle_, timeoutMs) == 0;
}

std::optional<DWORD> Process::WaitForExit(unsigned long timeoutMs) const {
    if (!handle_ || WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0) return {};
    DWORD code = 0;
    GetExitCodeProcess(handle_, &code);
    return code;
}

void Process::Kill() {
    if (!Running()) return;
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, INFINITE);
}

} // namespace petarino::remote
