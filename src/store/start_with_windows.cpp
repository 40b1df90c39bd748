#include "store/start_with_windows.h"

#include <algorithm>
#include <cstddef>

namespace petarino::store {
namespace {

constexpr char kRunKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kApprovedKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
constexpr char kValueName[] = "Petarino";
// Task Manager's first byte: 2 on, 3 off; the rest is when it was turned off.
constexpr char kApprovedOn[] = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr char kApprovedOff = 3;

char16_t Lower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

} // namespace

std::u16string ProgramOfRunValue(std::u16string_view value) {
    if (value.starts_with(u'"')) {
        const std::size_t end = value.find(u'"', 1);
        return std::u16string(value.substr(1, end == value.npos ? value.npos : end - 1));
    }
    constexpr std::u16string_view kExe = u".exe";
    const auto exe = std::search(value.begin(), value.end(), kExe.begin(), kExe.end(),
                                 [](char16_t a, char16_t b) { return Lower(a) == b; });
    return std::u16string(value.begin(), exe == value.end() ? exe : exe + kExe.size());
}

bool StartWithWindows::On() {
    const auto access = registry_.Access();
    if (!access->OpenKey(kRunKey, false) || !access->ValueExists(kValueName)) return false;
    if (!access->OpenKey(kApprovedKey, false)) return true;
    const auto approved = access->FindValue(kValueName);
    return !approved || approved->data.empty() || approved->data[0] != kApprovedOff;
}

void StartWithWindows::Set(bool on) {
    const auto access = registry_.Access();
    if (!on) {
        if (access->OpenKey(kRunKey, false)) access->DeleteValue(kValueName);
        return;
    }
    if (!access->OpenKey(kRunKey, true))
        throw platform::ERegistryException::WriteFailed(kValueName);
    access->WriteWideString(kValueName, QuotedProgram());
    if (!access->OpenKey(kApprovedKey, false)) return;
    const auto approved = access->FindValue(kValueName);
    if (approved && !approved->data.empty() && approved->data[0] == kApprovedOff)
        access->WriteValue(kValueName, {platform::RegistryType::Binary,
                                        std::string(kApprovedOn, sizeof kApprovedOn)});
}

void StartWithWindows::FollowMovedProgram() {
    const auto access = registry_.Access();
    if (!access->OpenKey(kRunKey, false)) return;
    const auto value = access->FindWideString(kValueName);
    if (!value || files_.FileSize({ProgramOfRunValue(*value)})) return;
    access->WriteWideString(kValueName, QuotedProgram());
}

std::u16string StartWithWindows::QuotedProgram() {
    std::u16string quoted(1, u'"');
    quoted.append(files_.ProgramFile().units).push_back(u'"');
    return quoted;
}

} // namespace petarino::store
