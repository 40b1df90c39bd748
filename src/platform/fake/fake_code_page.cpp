#include "platform/fake/fake_code_page.h"

#include "text/cp932.h"
#include "text/memo_text.h"

#if __has_include(<iconv.h>)
#include <iconv.h>
#include <map>
#include <utility>
#else
#include <windows.h>
#endif

namespace petarino::platform {

#if __has_include(<iconv.h>)
namespace {

// Opening a converter loads the C library's tables, which costs a thousand times a character's
// converting: each pair of encodings is opened once and kept.
class Converter {
public:
    Converter(const char* from, const char* to) : converter_(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (Opened()) iconv_close(converter_);
    }
    bool Opened() const { return converter_ != reinterpret_cast<iconv_t>(-1); }
    // Back in its first state, as a new one would be.
    iconv_t Fresh() const {
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        return converter_;
    }

private:
    iconv_t converter_;
};

const Converter& ConverterOf(const char* from, const char* to) {
    thread_local std::map<std::pair<std::string, std::string>, Converter> opened;
    return opened.try_emplace({from, to}, from, to).first->second;
}

} // namespace

std::optional<std::string> Recoded(const char* from, const char* to, std::string_view bytes) {
    const Converter& opened = ConverterOf(from, to);
    if (!opened.Opened()) return std::nullopt;
    const iconv_t converter = opened.Fresh();
    std::string in(bytes);
    std::string out(bytes.size() * 4 + 4, '\0');
    char* inAt = in.data();
    size_t inLeft = in.size();
    char* outAt = out.data();
    size_t outLeft = out.size();
    const size_t done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    if (done == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
#else
// The Windows build has no such library: the system's own tables stand in, so the fakes convert
// alike in both builds.
namespace {

UINT CodePageOf(const char* name) {
    const std::string_view known(name);
    return known == "UTF-8" ? CP_UTF8 : known == "CP932" ? 932 : 1200; // 1200: UTF-16LE
}

} // namespace

std::optional<std::string> Recoded(const char* from, const char* to, std::string_view bytes) {
    const UINT fromPage = CodePageOf(from);
    const UINT toPage = CodePageOf(to);
    std::wstring wide;
    if (fromPage == 1200) {
        if (bytes.size() % 2 != 0) return std::nullopt;
        wide.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    } else if (!bytes.empty()) {
        const int size = static_cast<int>(bytes.size());
        wide.resize(bytes.size());
        const int length = MultiByteToWideChar(fromPage, MB_ERR_INVALID_CHARS, bytes.data(), size,
                                               wide.data(), size);
        if (length == 0) return std::nullopt;
        wide.resize(static_cast<size_t>(length));
    }
    if (toPage == 1200)
        return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    std::string out(wide.size() * 4, '\0');
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(
        toPage, toPage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide.data(), size,
        out.data(), static_cast<int>(out.size()), nullptr, toPage == CP_UTF8 ? nullptr : &lossy);
    if (length == 0 || lossy) return std::nullopt;
    out.resize(static_cast<size_t>(length));
    return out;
}
#endif

// A character at a time, so one that cannot be held costs only itself.
std::string Cp932OfUtf16(std::u16string_view text) {
    std::string cp932;
    for (size_t at = 0; at < text.size();) {
        const size_t units = CharacterUnits(text.substr(at));
        const auto character =
            Recoded("UTF-16LE", "CP932", LittleEndianBytes(text.substr(at, units)));
        cp932 += character ? *character : "?";
        at += units;
    }
    return cp932;
}

std::optional<std::string> ExactCp932OfUtf16(std::u16string_view text) {
    auto cp932 = Recoded("UTF-16LE", "CP932", LittleEndianBytes(text));
    if (!cp932 || Recoded("CP932", "UTF-16LE", *cp932) != LittleEndianBytes(text))
        return std::nullopt;
    return cp932;
}

std::u16string Utf16OfCp932(std::string_view cp932) {
    if (const auto whole = Recoded("CP932", "UTF-16LE", cp932))
        return *MemoTextOfLittleEndian(*whole);
    std::u16string text;
    for (size_t at = 0; at < cp932.size();) {
        const size_t bytes = CharacterBytes(cp932.substr(at));
        const auto character = Recoded("CP932", "UTF-16LE", cp932.substr(at, bytes));
        text += character ? *MemoTextOfLittleEndian(*character) : u"?";
        at += bytes;
    }
    return text;
}

} // namespace petarino::platform
