// Code page 932 as the fakes know it: the C library's tables where it has them (the native
// build, whose tables know code page 932 as the system does), the system's own in the Windows
// build of the fakes, whose C library has none.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace petarino::platform {

// The bytes from one encoding into another, by the C library's names ("CP932", "UTF-8");
// nullopt when the input is not a valid text of its encoding or holds what the other cannot.
std::optional<std::string> Recoded(const char* from, const char* to, std::string_view bytes);

// As the system converts for the A functions: each character that code page 932 cannot hold
// becomes "?" (the system's look-alikes are not known here).
std::string Cp932OfUtf16(std::u16string_view text);
// Nullopt unless every character converts and comes back exactly.
std::optional<std::string> ExactCp932OfUtf16(std::u16string_view text);
// Each character that is no valid character of code page 932 becomes "?".
std::u16string Utf16OfCp932(std::string_view cp932);

} // namespace petarino::platform
