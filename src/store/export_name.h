// The check on the name of an exported memo: the memo's title followed by ".txt", taken
// relative to the program folder.
#pragma once

#include <string_view>

namespace petarino::store {

// Whether the name stays a plain file of the program folder or of a subfolder it names.
// Refused: a way out of the folder (a leading "\" or "/", a drive, "." or ".." among the
// folders), an alternate stream, a device (in any folder, with any extension, in any
// case, with the blanks Windows ignores), and characters no file name holds. "\" and "|"
// that are second bytes of double-byte characters are ordinary parts of the name.
bool NamesFileInFolder(std::string_view name);

} // namespace petarino::store
