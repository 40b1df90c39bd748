#include "address_recorder.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace petarino::e2e {
namespace {

constexpr std::array<const wchar_t*, 3> kCommandKeys{
    L"http\\shell\\open\\command", L"https\\shell\\open\\command", L"mailto\\shell\\open\\command"};

std::wstring CommandOf(const wchar_t* key) {
    wchar_t command[1024]{};
    DWORD size = sizeof command;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, command, &size) !=
        ERROR_SUCCESS)
        return {};
    return command;
}

void SetCommand(const wchar_t* key, const std::wstring& command) {
    if (command.empty()) {
        RegDeleteKeyValueW(HKEY_CLASSES_ROOT, key, nullptr);
        return;
    }
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, command.c_str(),
                    static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

std::wstring ThisProgram() {
    wchar_t path[MAX_PATH]{};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

} // namespace

int RecordAddress(const std::filesystem::path& file, const std::wstring& address) {
    std::FILE* out = _wfopen(file.c_str(), L"ab");
    if (!out) return 1;
    const std::wstring line = address + L"\n";
    std::fwrite(line.data(), sizeof(wchar_t), line.size(), out);
    std::fclose(out);
    return 0;
}

AddressRecorder::AddressRecorder(std::filesystem::path file) : file_(std::move(file)) {
    std::filesystem::remove(file_);
    const std::wstring command =
        L"\"" + ThisProgram() + L"\" " + kRecordAddress + L" \"" + file_.wstring() + L"\" \"%1\"";
    for (size_t scheme = 0; scheme < kCommandKeys.size(); ++scheme) {
        before_[scheme] = CommandOf(kCommandKeys[scheme]);
        SetCommand(kCommandKeys[scheme], command);
    }
}

AddressRecorder::~AddressRecorder() {
    for (size_t scheme = 0; scheme < kCommandKeys.size(); ++scheme)
        SetCommand(kCommandKeys[scheme], before_[scheme]);
}

std::vector<std::wstring> AddressRecorder::Opened() const {
    std::ifstream in(file_, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    std::vector<std::wstring> lines;
    std::wistringstream stream(text);
    for (std::wstring line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

} // namespace petarino::e2e
