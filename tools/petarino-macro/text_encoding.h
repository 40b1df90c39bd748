// The tool's edge: arguments and output are UTF-8 unless raw CP932 is asked for.
#pragma once

#include <string>
#include <string_view>

namespace petarino::tool {

// Throws UsageError for text that is no UTF-8 or has no CP932 form.
std::string Utf8ToCp932(std::string_view utf8);
// A byte that starts no CP932 character, such as half a character cut off at the end of
// a formatted text, becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

} // namespace petarino::tool
