// Typing into another program's edit control: the characters the keyboard would give it,
// posted in order, so the control changes as it does under a user's fingers and tells its
// owner of every change. Nothing needs the focus.
#pragma once

#include <windows.h>
#include <string_view>

namespace petarino::remote {

// Selects everything in the control and types the text over it; true once it shows exactly
// the text.
bool TypeOver(HWND edit, std::wstring_view text);

} // namespace petarino::remote
