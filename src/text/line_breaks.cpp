#include "text/line_breaks.h"

#include "text/cp932.h"

namespace petarino {

std::string TextOfFile(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const char byte = bytes[at];
        if (byte == '\r' || byte == '\n') {
            text += "\r\n";
            const bool crLf = byte == '\r' && bytes.substr(at + 1, 1) == "\n";
            at += crLf ? 2 : 1;
        } else {
            const std::size_t length = CharacterBytes(bytes.substr(at));
            text.append(bytes.substr(at, length));
            at += length;
        }
    }
    return text;
}

} // namespace petarino
