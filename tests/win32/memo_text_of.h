// The tests' CP932 literals as a memo's texts and back, through the system's own tables (the
// fakes of the Windows build know ASCII only).
#pragma once

#include "platform/win32/cp932_win32.h"
#include "text/memo_text.h"

#include <string>
#include <string_view>

namespace petarino {

inline MemoText SystemMemoText(std::string_view cp932) {
    const std::wstring wide = win32::ToWide(cp932);
    return {wide.begin(), wide.end()};
}

inline std::string SystemCp932(MemoTextView text) {
    return win32::FromWide(std::wstring(text.begin(), text.end()));
}

} // namespace petarino
