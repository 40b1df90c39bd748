#include "platform/win32/cp932_win32.h"

#include <windows.h>

namespace petarino::win32 {
namespace {

constexpr UINT kCodePage = 932;

// One conversion into room for the longest result, where asking for the size first would
// convert twice: a UTF-16 unit makes at most two bytes.
std::string Narrowed(std::wstring_view wide, DWORD flags, const char* defaultChar) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    std::string text(2 * wide.size(), '\0');
    text.resize(static_cast<size_t>(WideCharToMultiByte(
        kCodePage, flags, wide.data(), size, text.data(), 2 * size, defaultChar, nullptr)));
    return text;
}

} // namespace

// Likewise: a CP932 byte makes at most one UTF-16 unit.
std::wstring ToWide(std::string_view cp932) {
    if (cp932.empty()) return {};
    const int size = static_cast<int>(cp932.size());
    std::wstring wide(cp932.size(), L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(kCodePage, 0, cp932.data(), size, wide.data(), size)));
    return wide;
}

std::string FromWide(std::wstring_view wide) {
    return Narrowed(wide, 0, nullptr);
}

std::string FromWideOrQuestionMark(std::wstring_view wide) {
    return Narrowed(wide, WC_NO_BEST_FIT_CHARS, "?");
}

} // namespace petarino::win32
