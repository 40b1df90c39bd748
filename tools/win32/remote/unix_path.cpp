#include "unix_path.h"

#include <algorithm>

namespace petarino::remote {

std::wstring WindowsPathOf(std::wstring path) {
    if (!path.starts_with(L'/')) return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

} // namespace petarino::remote
