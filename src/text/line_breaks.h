// What a text file becomes in a text box: the box takes the bytes as a zero-terminated
// string, and shows lines only where they end in CR LF.
#pragma once

#include <string>
#include <string_view>

namespace petarino {

// The bytes up to the first NUL, with every line break (CR LF, a lone CR, a lone LF) made
// CR LF. The second byte of a double-byte character is never taken for a line break, and a
// lead byte as the last byte stays as it is.
std::string TextOfFile(std::string_view bytes);
// The same for a file read as UTF-8 and made UTF-16.
std::u16string TextOfFile(std::u16string_view units);

} // namespace petarino
