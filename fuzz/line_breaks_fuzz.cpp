// The load's conversion over any bytes: it reads nothing outside them, and what it gives is
// the characters before the first NUL, in order, with every line break as CR LF, so that a
// second conversion changes nothing.
#include "text/cp932.h"
#include "text/line_breaks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The characters that are no line break, walked as the conversion walks them.
std::string WithoutLineBreaks(std::string_view text) {
    std::string kept;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = petarino::CharacterBytes(text.substr(at));
        const std::string_view character = text.substr(at, length);
        if (character != "\r" && character != "\n") kept += character;
        at += length;
    }
    return kept;
}

// Every CR that is a character of its own is followed by an LF, and that LF is the only kind
// there is: one standing where a character starts has no CR in front.
bool OnlyCrLfBreaks(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '\n') return false;
        if (text[at] == '\r') {
            if (text.substr(at + 1, 1) != "\n") return false;
            at += 2;
        } else {
            at += petarino::CharacterBytes(text.substr(at));
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = petarino::TextOfFile(bytes);
    const std::string_view beforeNul = bytes.substr(0, bytes.find('\0'));
    if (text.find('\0') != std::string::npos) __builtin_trap();
    if (text.size() > 2 * beforeNul.size()) __builtin_trap();
    if (WithoutLineBreaks(text) != WithoutLineBreaks(beforeNul)) __builtin_trap();
    if (!OnlyCrLfBreaks(text)) __builtin_trap();
    if (petarino::TextOfFile(text) != text) __builtin_trap();
    return 0;
}
