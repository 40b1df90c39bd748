#include "text_encoding.h"

#include "usage_error.h"

#include <cerrno>
#include <iconv.h>

namespace petarino::tool {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between UTF-8 and CP932");
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns false at a sequence it cannot convert, with
    // `input` left at it.
    bool Convert(std::string_view& input, std::string& output) {
        char buffer[256];
        while (!input.empty()) {
            char* in = const_cast<char*>(input.data());
            std::size_t inLeft = input.size();
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            input.remove_prefix(input.size() - inLeft);
            if (result == static_cast<std::size_t>(-1) && error != E2BIG) return false;
        }
        return true;
    }

private:
    iconv_t handle_;
};

} // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    Converter converter("CP932", "UTF-8");
    std::string cp932;
    if (!converter.Convert(utf8, cp932))
        throw UsageError("the text is not UTF-8 that CP932 can hold (try --cp932)");
    return cp932;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    Converter converter("UTF-8", "CP932");
    std::string utf8;
    while (!converter.Convert(cp932, utf8)) {
        utf8 += "\xEF\xBF\xBD"; // U+FFFD
        cp932.remove_prefix(1);
    }
    return utf8;
}

} // namespace petarino::tool
