// A date-time picker of another process. Its messages carry the time by address, which the
// system copies between processes only for its own older controls, so the time travels
// through memory lent inside the picker's process.
#pragma once

#include <windows.h>
#include <optional>

namespace petarino::remote {

std::optional<SYSTEMTIME> PickerTime(HWND picker);
// As a user's keys leave it: the dialog reads the picker when it is confirmed.
bool SetPickerTime(HWND picker, const SYSTEMTIME& time);

} // namespace petarino::remote
