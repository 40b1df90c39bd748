#include "store/export_name.h"

#include "text/ascii.h"
#include "text/cp932.h"

namespace petarino::store {
namespace {

// ":" also starts a drive or an alternate stream.
constexpr std::string_view kNeverInNames = "<>:\"|?*";

bool IsSeparator(char byte) {
    return byte == '\\' || byte == '/';
}

// A lead byte before a byte that cannot be a second byte may be taken alone, and the byte
// after it as a character of its own: it is judged so.
size_t CharacterAt(std::string_view name, size_t at) {
    return IsLeadByte(name[at]) && at + 1 < name.size() && IsTrailByte(name[at + 1]) ? 2 : 1;
}

// Empty ones too: two separators in a row, or one at the start.
bool OnlyDotsAndBlanks(std::string_view component) {
    return component.find_first_not_of(". ") == std::string_view::npos;
}

// The system takes these names for devices whatever follows their first dot, with
// blanks before it left out.
bool NamesDevice(std::string_view component) {
    std::string_view base = component.substr(0, component.find('.'));
    base = base.substr(0, base.find_last_not_of(' ') + 1);
    for (const std::string_view device :
         {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
        if (EqualIgnoringAsciiCase(base, device)) return true;
    const bool numbered =
        StartsWithIgnoringAsciiCase(base, "COM") || StartsWithIgnoringAsciiCase(base, "LPT");
    return numbered && base.size() == 4 && base[3] >= '0' && base[3] <= '9';
}

bool IsForbidden(char byte) {
    return static_cast<unsigned char>(byte) < 0x20 ||
           kNeverInNames.find(byte) != std::string_view::npos;
}

} // namespace

bool NamesFileInFolder(std::string_view name) {
    size_t start = 0;
    for (size_t at = 0;;) {
        if (at == name.size() || IsSeparator(name[at])) {
            const std::string_view component = name.substr(start, at - start);
            if (OnlyDotsAndBlanks(component) || NamesDevice(component)) return false;
            if (at == name.size()) return true;
            start = ++at;
        } else {
            if (IsForbidden(name[at])) return false;
            at += CharacterAt(name, at);
        }
    }
}

} // namespace petarino::store
