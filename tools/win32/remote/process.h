// One running copy of a program. A copy this side started is owned: it is ended when the
// owner goes, so a failing check never leaves it behind. One it only watches is left running.
#pragma once

#include <windows.h>
#include <optional>
#include <string>

namespace petarino::remote {

class Process {
public:
    // Starts the program with its folder as the working folder; throws std::runtime_error
    // when it cannot be started.
    static Process Start(const std::wstring& program);
    // Watches a program that someone else started; an empty Process when it is gone.
    static Process Open(DWORD id);

    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    DWORD Id() const { return id_; }
    // For reading the process's figures; a started copy's handle has every access.
    HANDLE Handle() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    bool Running() const;
    // Waits until the program has handled its start-up messages and waits for input.
    bool WaitUntilIdle(unsigned long timeoutMs) const;
    // The exit code once the program ended within the time, nothing otherwise.
    std::optional<DWORD> WaitForExit(unsigned long timeoutMs) const;
    // Ends the program at once and waits until it is gone.
    void Kill();
    // A started copy is no longer owned: it goes on running when this goes, for whoever
    // started it through this side to end it.
    void Detach() { owned_ = false; }

private:
    Process(HANDLE handle, DWORD id, bool owned) : handle_(handle), id_(id), owned_(owned) {}
    void Release();

    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
    bool owned_ = false;
};

} // namespace petarino::remote
