#include "platform/fake/fake_code_page.h"

#include "text/cp932.h"

#include <algorithm>
#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

namespace petarino::platform {

#if __has_include(<iconv.h>)
std::optional<std::string> Recoded(const char* from, const char* to, std::string_view bytes) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(bytes);
    std::string out(bytes.size() * 4 + 4, '\0');
    char* inAt = in.data();
    size_t inLeft = in.size();
    char* outAt = out.data();
    size_t outLeft = out.size();
    const size_t done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (done == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
#else
std::optional<std::string> Recoded(const char*, const char*, std::string_view bytes) {
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; }))
        return std::nullopt;
    return std::string(bytes);
}
#endif

namespace {

// UTF-16 units as the C library's "UTF-16LE" bytes, and back.
std::string LittleEndian(std::u16string_view units) {
    std::string bytes;
    for (const char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string Units(std::string_view littleEndian) {
    std::u16string units;
    for (size_t at = 0; at + 1 < littleEndian.size(); at += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(littleEndian[at]) |
                                       static_cast<unsigned char>(littleEndian[at + 1]) << 8);
    return units;
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

// A character at a time, so one that cannot be held costs only itself.
std::string Cp932OfUtf16(std::u16string_view text) {
    std::string cp932;
    for (size_t at = 0; at < text.size();) {
        const size_t units = IsHighSurrogate(text[at]) && at + 1 < text.size() ? 2 : 1;
        const auto character = Recoded("UTF-16LE", "CP932", LittleEndian(text.substr(at, units)));
        cp932 += character ? *character : "?";
        at += units;
    }
    return cp932;
}

std::u16string Utf16OfCp932(std::string_view cp932) {
    std::u16string text;
    for (size_t at = 0; at < cp932.size();) {
        const size_t bytes = CharacterBytes(cp932.substr(at));
        const auto character = Recoded("CP932", "UTF-16LE", cp932.substr(at, bytes));
        text += character ? Units(*character) : u"?";
        at += bytes;
    }
    return text;
}

} // namespace petarino::platform
