// The current user's registry as another program sees it: values read and written through the
// W functions, texts as the UTF-16 the system keeps.
#pragma once

#include <windows.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::remote {

// Paths below HKEY_CURRENT_USER. Writes create missing keys and throw std::runtime_error
// when the system refuses.
bool KeyExists(const std::wstring& key);
void DeleteKeyTree(const std::wstring& key);
std::vector<std::wstring> SubkeysOf(const std::wstring& key);
std::optional<DWORD> ReadNumber(const std::wstring& key, const wchar_t* name);
std::optional<std::wstring> ReadText(const std::wstring& key, const wchar_t* name);
void WriteNumber(const std::wstring& key, const wchar_t* name, DWORD value);
void WriteText(const std::wstring& key, const wchar_t* name, std::wstring_view text);

} // namespace petarino::remote
