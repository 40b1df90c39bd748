// The running-time text "%d時間%2.d分%2.d秒": hours unpadded, minutes and seconds
// right-aligned to two places with blanks, each part of a negative number negative.
#pragma once

#include <cstdint>
#include <string>

namespace petarino {

std::string RunningTimeText(int64_t seconds);

} // namespace petarino
