#include "platform/win32/cp932_win32.h"

#include <windows.h>

namespace petarino::win32 {
namespace {
constexpr UINT kCodePage = 932;
}

// One conversion into room for the longest result, where asking for the size first would
// convert twice: a CP932 byte makes at most one UTF-16 unit, a UTF-16 unit at most two bytes.
std::wstring ToWide(std::string_view cp932) {
    if (cp932.empty()) return {};
    const int size = static_cast<int>(cp932.size());
    std::wstring wide(cp932.size(), L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(kCodePage, 0, cp932.data(), size, wide.data(), size)));
    return wide;
}

std::string FromWide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    std::string text(2 * wide.size(), '\0');
    text.resize(static_cast<size_t>(WideCharToMultiByte(kCodePage, 0, wide.data(), size,
                                                        text.data(), 2 * size, nullptr, nullptr)));
    return text;
}

} // namespace petarino::win32
