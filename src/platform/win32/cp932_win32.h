// The Win32 boundary: the core speaks CP932 bytes, the W functions speak UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace petarino::win32 {

std::wstring ToWide(std::string_view cp932);
std::string FromWide(std::wstring_view wide);
// For showing a name: every character code page 932 cannot hold becomes "?", never a
// look-alike the system would pick, so the text does not pretend to name another file.
std::string FromWideOrQuestionMark(std::wstring_view wide);

} // namespace petarino::win32
