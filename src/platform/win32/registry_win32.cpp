#include "platform/win32/registry_win32.h"

#include "platform/registry_value.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>
#include <algorithm>
#include <optional>
#include <vector>

namespace petarino::win32 {
namespace {

using platform::ERegistryException;
using platform::RegistryValue;
using UniqueKey = UniqueHandle<HKEY, RegCloseKey>;
using UniqueMutex = UniqueHandle<HANDLE, CloseHandle>;

// Longer than any key or value name the system allows, terminating NUL included.
constexpr DWORD kNameCapacity = 16384;
// Every integer, title and font name, and a memo text of up to 2,048 characters.
constexpr size_t kFirstReadUnits = 4096 / sizeof(wchar_t);

// The system wants paths below the root without the leading backslash.
std::wstring SubkeyPath(std::string_view path) {
    while (!path.empty() && path.front() == '\\')
        path.remove_prefix(1);
    return ToWide(path);
}

// The value's type and size in bytes as the W functions hand it out, its data left in
// `buffer`, which is kept from read to read. Nullopt when the key has no such value (or was
// deleted meanwhile, as the system says then).
struct Queried {
    platform::RegistryType type;
    DWORD size;
};

std::optional<Queried> Query(HKEY key, std::string_view name, std::wstring& buffer) {
    // Every call is a trip into the system's registry: most values fit in the buffer, a
    // longer one is asked for again at its size.
    const std::wstring wideName = ToWide(name);
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG status;
    do {
        size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = RegQueryValueExW(key, wideName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (status == ERROR_MORE_DATA) buffer.resize(size / sizeof(wchar_t) + 1);
    } while (status == ERROR_MORE_DATA);
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_KEY_DELETED) return std::nullopt;
    if (status != ERROR_SUCCESS) throw ERegistryException::ReadFailed(name);
    return Queried{static_cast<platform::RegistryType>(type), size};
}

// The value with its texts in CP932, as the A functions would hand it out: the same sizes,
// so a value is too long or of the wrong type exactly when it would be for them. The data is
// converted straight out of the buffer.
std::optional<RegistryValue> QueryValue(HKEY key, std::string_view name, std::wstring& buffer) {
    const auto queried = Query(key, name, buffer);
    if (!queried) return std::nullopt;
    if (platform::IsTextType(queried->type)) {
        const std::wstring_view units(buffer.data(), queried->size / sizeof(wchar_t));
        RegistryValue value{queried->type, FromWide(units)};
        if (ToWide(value.data) != units) value.wide = std::u16string(units.begin(), units.end());
        return value;
    }
    return RegistryValue{queried->type,
                         std::string(reinterpret_cast<const char*>(buffer.data()), queried->size)};
}

// The system counts in a terminating NUL that a caller "forgot" whenever one follows the data
// in memory; a guard character after the text keeps the stored data exactly the text.
LONG SetText(HKEY key, const std::wstring& name, platform::RegistryType type,
             std::wstring_view text) {
    const std::wstring guarded = std::wstring(text) + L'?';
    return RegSetValueExW(key, name.c_str(), 0, static_cast<DWORD>(type),
                          reinterpret_cast<const BYTE*>(guarded.data()),
                          static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

LONG SetValue(HKEY key, const std::wstring& name, const RegistryValue& value) {
    if (platform::IsTextType(value.type))
        return SetText(key, name, value.type,
                       value.wide ? std::wstring(value.wide->begin(), value.wide->end())
                                  : ToWide(value.data));
    return RegSetValueExW(key, name.c_str(), 0, static_cast<DWORD>(value.type),
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size()));
}

// RegEnumKeyExW and RegEnumValueW agree on the parameters used here.
template <auto Enumerate> std::vector<std::wstring> NamesOf(HKEY key) {
    std::vector<std::wstring> names;
    std::wstring buffer(kNameCapacity, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = kNameCapacity;
        if (Enumerate(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            return names;
        names.emplace_back(buffer.data(), length);
    }
}

std::vector<std::string> Narrowed(const std::vector<std::wstring>& names) {
    std::vector<std::string> narrow;
    for (const std::wstring& name : names)
        narrow.push_back(FromWide(name));
    return narrow;
}

// Depth first; a key that cannot be opened or deleted stays, and so does every key above it.
bool DeleteTree(HKEY parent, const std::wstring& subkey) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(parent, subkey.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return false;
    {
        const UniqueKey key(opened);
        for (const std::wstring& child : NamesOf<RegEnumKeyExW>(key.get()))
            DeleteTree(key.get(), child);
    }
    return RegDeleteKeyW(parent, subkey.c_str()) == ERROR_SUCCESS;
}

class KeyAccess final : public platform::RegistryAccess {
public:
    bool OpenKey(std::string_view path, bool create) override {
        const std::wstring subkey = SubkeyPath(path);
        HKEY opened = nullptr;
        const LONG status =
            create ? RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr,
                                     REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &opened,
                                     nullptr)
                   : RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_ALL_ACCESS, &opened);
        if (status != ERROR_SUCCESS) return false;
        key_ = UniqueKey(opened);
        return true;
    }

    void CloseKey() override { key_.Reset(); }

    bool DeleteKeyTree(std::string_view path) override {
        const std::wstring subkey = SubkeyPath(path);
        return !subkey.empty() && DeleteTree(HKEY_CURRENT_USER, subkey);
    }

    bool ValueExists(std::string_view name) override {
        return key_ && RegQueryValueExW(key_.get(), ToWide(name).c_str(), nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
    }

    std::optional<int32_t> FindInteger(std::string_view name) override {
        const auto value = Find(name);
        return value ? std::optional(platform::IntegerOf(name, *value)) : std::nullopt;
    }
    std::optional<std::string> FindString(std::string_view name) override {
        const auto value = Find(name);
        return value ? std::optional(platform::StringOf(name, *value)) : std::nullopt;
    }
    void WriteInteger(std::string_view name, int32_t value) override {
        Write(name, platform::DwordValue(value));
    }
    void WriteString(std::string_view name, std::string_view text) override {
        Write(name, platform::WrittenText(text));
    }
    std::optional<std::u16string> FindWideString(std::string_view name) override {
        const auto queried = key_ ? Query(key_.get(), name, readBuffer_) : std::nullopt;
        if (!queried) return std::nullopt;
        platform::CheckStringType(name, queried->type, queried->size == 0);
        const std::wstring_view text(readBuffer_.data(), queried->size / sizeof(wchar_t));
        const std::wstring_view upToNul = text.substr(0, text.find(L'\0'));
        return std::u16string(upToNul.begin(), upToNul.end());
    }
    void WriteWideString(std::string_view name, std::u16string_view text) override {
        const std::u16string units = platform::TerminatedText(text);
        if (!key_ || SetText(key_.get(), ToWide(name), platform::RegistryType::Sz,
                             std::wstring(units.begin(), units.end())) != ERROR_SUCCESS)
            throw ERegistryException::WriteFailed(name);
    }
    std::optional<RegistryValue> FindValue(std::string_view name) override { return Find(name); }
    void WriteValue(std::string_view name, const RegistryValue& value) override {
        Write(name, value);
    }

    std::vector<std::string> ValueNames() override {
        if (!key_) return {};
        return Narrowed(NamesOf<RegEnumValueW>(key_.get()));
    }
    std::vector<std::string> SubkeyNames() override {
        if (!key_) return {};
        return Narrowed(NamesOf<RegEnumKeyExW>(key_.get()));
    }

    KeyCounts Counts() override {
        DWORD subkeys = 0;
        DWORD values = 0;
        if (!key_ ||
            RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                             &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return {};
        return {values, subkeys};
    }

    bool DeleteValue(std::string_view name) override {
        return key_ && RegDeleteValueW(key_.get(), ToWide(name).c_str()) == ERROR_SUCCESS;
    }

    bool Flush() override { return RegFlushKey(HKEY_CURRENT_USER) == ERROR_SUCCESS; }

private:
    std::optional<RegistryValue> Find(std::string_view name) {
        return key_ ? QueryValue(key_.get(), name, readBuffer_) : std::nullopt;
    }

    void Write(std::string_view name, const RegistryValue& value) {
        if (!key_ || SetValue(key_.get(), ToWide(name), value) != ERROR_SUCCESS)
            throw ERegistryException::WriteFailed(name);
    }

    UniqueKey key_;
    std::wstring readBuffer_ = std::wstring(kFirstReadUnits, L'\0');
};

class MutexLock final : public platform::RegistryLock {
public:
    // An abandoned mutex is ours all the same: its holder died and left the store as it was.
    explicit MutexLock(std::string_view keyPath)
        : mutex_(CreateMutexW(nullptr, FALSE, RegistryLockName(keyPath).c_str())),
          owned_(mutex_ && WaitForSingleObject(mutex_.get(), INFINITE) != WAIT_FAILED) {}
    ~MutexLock() override {
        if (owned_) ReleaseMutex(mutex_.get());
    }

private:
    UniqueMutex mutex_;
    bool owned_;
};

} // namespace

std::unique_ptr<platform::RegistryAccess> Win32Registry::Access() {
    return std::make_unique<KeyAccess>();
}

std::unique_ptr<platform::RegistryLock> Win32Registry::Lock(std::string_view keyPath) {
    return std::make_unique<MutexLock>(keyPath);
}

// Kernel object names take no backslash but the one after their namespace; the session's
// namespace, as the per-user root is shared by the user's programs, not by other users.
std::wstring RegistryLockName(std::string_view keyPath) {
    std::wstring path = ToWide(keyPath);
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return L"Local\\Petarino.Registry:" + path;
}

} // namespace petarino::win32
