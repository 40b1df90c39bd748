// A registry value as the A functions see it (strings as CP932 bytes), and the rules by which
// the store's reads judge it. The Win32 side converts to this form and the fake keeps it, so
// both fail alike.
#pragma once

#include "platform/registry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace petarino::platform {

inline RegistryValue DwordValue(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    std::string data(4, '\0');
    for (size_t i = 0; i < 4; ++i)
        data[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return {RegistryType::Dword, data};
}

inline RegistryValue SzValue(std::string_view text) {
    return {RegistryType::Sz, std::string(text)};
}

// A written text as the system keeps it when it comes from a NUL-terminated buffer: its
// terminator counted in (the system adds one a caller left out), so every reader of the
// value, the system's own export among them, sees the whole text. An empty text stays a
// value of length 0.
template <typename Char> std::basic_string<Char> TerminatedText(std::basic_string_view<Char> text) {
    std::basic_string<Char> data(text);
    if (!text.empty() && text.back() != Char{}) data.push_back(Char{});
    return data;
}

inline RegistryValue WrittenText(std::string_view text) {
    return {RegistryType::Sz, TerminatedText(text)};
}

// The data goes into a 4-byte buffer before its type is looked at, so a long value of any
// type cannot be read at all, and a short one of another type has the wrong type.
inline int32_t IntegerOf(std::string_view name, const RegistryValue& value) {
    if (value.data.size() > 4) throw ERegistryException::ReadFailed(name);
    if (value.type != RegistryType::Dword) throw ERegistryException::WrongType(name);
    uint32_t bits = 0;
    for (size_t i = 0; i < value.data.size(); ++i)
        bits |= static_cast<uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
    return static_cast<int32_t>(bits);
}

// A string read takes a value of length 0 of any type as the empty text, and otherwise only
// the two kinds of string.
inline void CheckStringType(std::string_view name, RegistryType type, bool empty) {
    if (!empty && type != RegistryType::Sz && type != RegistryType::ExpandSz)
        throw ERegistryException::WrongType(name);
}

// An expandable string is taken as it is stored, unexpanded.
inline std::string StringOf(std::string_view name, const RegistryValue& value) {
    CheckStringType(name, value.type, value.data.empty());
    return value.data.substr(0, value.data.find('\0'));
}

} // namespace petarino::platform
