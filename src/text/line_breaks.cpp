#include "text/line_breaks.h"

#include "text/cp932.h"

namespace petarino {

namespace {

// `characterLength` tells how many units the character at the start of its text takes.
template <typename Char, typename Length>
std::basic_string<Char> WithCrLf(std::basic_string_view<Char> units, Length characterLength) {
    units = units.substr(0, units.find(Char{}));
    std::basic_string<Char> text;
    text.reserve(units.size());
    for (std::size_t at = 0; at < units.size();) {
        const Char unit = units[at];
        if (unit == Char{'\r'} || unit == Char{'\n'}) {
            text += Char{'\r'};
            text += Char{'\n'};
            const bool crLf =
                unit == Char{'\r'} && at + 1 < units.size() && units[at + 1] == Char{'\n'};
            at += crLf ? 2 : 1;
        } else {
            const std::size_t length = characterLength(units.substr(at));
            text.append(units.substr(at, length));
            at += length;
        }
    }
    return text;
}

} // namespace

std::string TextOfFile(std::string_view bytes) {
    return WithCrLf(bytes, [](std::string_view rest) { return CharacterBytes(rest); });
}

std::u16string TextOfFile(std::u16string_view units) {
    return WithCrLf(units, [](std::u16string_view) { return std::size_t{1}; });
}

} // namespace petarino
