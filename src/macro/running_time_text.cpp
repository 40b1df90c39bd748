#include "macro/running_time_text.h"

namespace petarino {
namespace {

// "%2.d": the empty precision counts as 0 and changes nothing, so 0 is still "0"; longer
// texts are not cut.
std::string Width2(int64_t value) {
    std::string text = std::to_string(value);
    if (text.size() < 2) text.insert(0, 2 - text.size(), ' ');
    return text;
}

} // namespace

std::string RunningTimeText(int64_t seconds) {
    // Divisions truncate toward zero, as the tick's arithmetic does.
    return std::to_string(seconds / 3600) + "時間" + Width2(seconds / 60 % 60) + "分" +
           Width2(seconds % 60) + "秒";
}

} // namespace petarino
