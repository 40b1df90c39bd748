#include "registry_values.h"

#include <stdexcept>

namespace petarino::remote {
namespace {

class Key {
public:
    Key(const std::wstring& path, bool create) {
        const LSTATUS status =
            create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                     nullptr, &key_, nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_);
        if (status != ERROR_SUCCESS) key_ = nullptr;
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

HKEY Opened(const Key& key) {
    if (!key.get()) throw std::runtime_error("cannot create a registry key");
    return key.get();
}

void Check(LSTATUS status, const wchar_t* name) {
    if (status == ERROR_SUCCESS) return;
    std::string ascii;
    for (const wchar_t* c = name; *c; ++c)
        ascii += *c < 0x80 ? static_cast<char>(*c) : '?';
    throw std::runtime_error("cannot write registry value " + ascii);
}

} // namespace

bool KeyExists(const std::wstring& key) {
    return Key(key, false).get() != nullptr;
}

void DeleteKeyTree(const std::wstring& key) {
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

std::vector<std::wstring> SubkeysOf(const std::wstring& key) {
    const Key opened(key, false);
    std::vector<std::wstring> names;
    if (!opened.get()) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(opened.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

std::optional<DWORD> ReadNumber(const std::wstring& key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return {};
    return value;
}

std::optional<std::wstring> ReadText(const std::wstring& key, const wchar_t* name) {
    const Key opened(key, false);
    DWORD type = 0;
    DWORD size = 0;
    if (!opened.get() ||
        RegQueryValueExW(opened.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    // The stored text may come with or without its terminating NUL; it ends at the first one.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(opened.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    return text;
}

void WriteNumber(const std::wstring& key, const wchar_t* name, DWORD value) {
    const Key opened(key, true);
    Check(RegSetValueExW(Opened(opened), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof value),
          name);
}

void WriteText(const std::wstring& key, const wchar_t* name, std::wstring_view text) {
    const Key opened(key, true);
    const std::wstring terminated(text);
    Check(RegSetValueExW(Opened(opened), name, 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(terminated.c_str()),
                         static_cast<DWORD>((terminated.size() + 1) * sizeof(wchar_t))),
          name);
}

} // namespace petarino::remote
