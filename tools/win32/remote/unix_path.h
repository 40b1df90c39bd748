// Paths given on a Unix command line, as the Windows programs under Wine name them.
#pragma once

#include <string>

namespace petarino::remote {

// "/a/b" becomes "Z:\a\b" (Wine shows the Unix file system as drive Z:); a Windows path is
// returned as it is.
std::wstring WindowsPathOf(std::wstring path);

} // namespace petarino::remote
