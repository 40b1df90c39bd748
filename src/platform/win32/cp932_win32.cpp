#include "platform/win32/cp932_win32.h"

#include <windows.h>

namespace petarino::win32 {
namespace {

constexpr UINT kCodePage = 932;

std::string Narrowed(std::wstring_view wide, DWORD flags, const char* defaultChar) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(kCodePage, flags, wide.data(), size, nullptr, 0, defaultChar, nullptr);
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(kCodePage, flags, wide.data(), size, text.data(), length, defaultChar,
                        nullptr);
    return text;
}

} // namespace

std::wstring ToWide(std::string_view cp932) {
    if (cp932.empty()) return {};
    const int size = static_cast<int>(cp932.size());
    const int length = MultiByteToWideChar(kCodePage, 0, cp932.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(kCodePage, 0, cp932.data(), size, wide.data(), length);
    return wide;
}

std::string FromWide(std::wstring_view wide) {
    return Narrowed(wide, 0, nullptr);
}

std::string FromWideOrQuestionMark(std::wstring_view wide) {
    return Narrowed(wide, WC_NO_BEST_FIT_CHARS, "?");
}

} // namespace petarino::win32
