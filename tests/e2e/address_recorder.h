// The shell's handlers for web and mail addresses, pointed at the test program for a test: it
// writes down every address it is asked to open, so a test sees exactly what the program asked
// for and that nothing else was started. The prefix's own handlers come back afterwards.
#pragma once

#include <windows.h>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace petarino::e2e {

inline constexpr wchar_t kRecordAddress[] = L"--record-address";

// The stand-in's work: the address appended to the file as a line of UTF-16.
int RecordAddress(const std::filesystem::path& file, const std::wstring& address);

class AddressRecorder {
public:
    explicit AddressRecorder(std::filesystem::path file);
    AddressRecorder(const AddressRecorder&) = delete;
    AddressRecorder& operator=(const AddressRecorder&) = delete;
    ~AddressRecorder();

    // What the stand-in was asked to open, in order.
    std::vector<std::wstring> Opened() const;

private:
    std::filesystem::path file_;
    // The command each scheme had before, empty where it had none.
    std::array<std::wstring, 3> before_;
};

} // namespace petarino::e2e
