// The system's file chooser that another program opens, answered as a user types a name into
// it and confirms.
#pragma once

#include <windows.h>
#include <string>

namespace petarino::remote {

// Types the path into the name box of the chooser that the process shows within the time and
// presses its OK; false when no chooser showed or it stayed open.
bool ChooseFile(DWORD processId, const std::wstring& path, unsigned long timeoutMs);

} // namespace petarino::remote
