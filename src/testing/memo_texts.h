// The tests' texts are CP932 literals, as the program's own are; a memo's are UTF-16. These
// convert between the two with the fakes' tables, where a test means the same characters.
#pragma once

#include "platform/fake/fake_code_page.h"
#include "text/memo_text.h"

#include <string>
#include <string_view>

namespace petarino {

inline MemoText AsMemoText(std::string_view cp932) {
    return platform::Utf16OfCp932(cp932);
}

// "?" for what the code page lacks.
inline std::string AsCp932(MemoTextView text) {
    return platform::Cp932OfUtf16(text);
}

} // namespace petarino
