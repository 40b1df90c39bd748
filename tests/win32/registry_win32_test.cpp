#include "contract/registry_contract.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace petarino::platform {

namespace {

using UniqueKey = win32::UniqueHandle<HKEY, RegCloseKey>;
using UniqueMutex = win32::UniqueHandle<HANDLE, CloseHandle>;

std::wstring Subkey(std::string_view path) {
    return win32::ToWide(path.substr(1));
}

void DeleteContractKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, Subkey(kContractKey).c_str());
}

// The real registry, seeded and inspected with the W functions themselves.
class Win32Subject final : public RegistryContractSubject {
public:
    Win32Subject() { DeleteContractKey(); }
    ~Win32Subject() override { DeleteContractKey(); }
    Win32Subject(const Win32Subject&) = delete;
    Win32Subject& operator=(const Win32Subject&) = delete;

    Registry& registry() override { return registry_; }

    void Seed(std::string_view path, std::string_view name, const RegistryValue& value) override {
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Subkey(path).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        const UniqueKey key(created);
        std::vector<BYTE> data(value.data.begin(), value.data.end());
        if (IsTextType(value.type)) {
            const std::wstring wide = win32::ToWide(value.data);
            data.resize(wide.size() * sizeof(wchar_t));
            std::memcpy(data.data(), wide.data(), data.size());
        }
        const auto size = static_cast<DWORD>(data.size());
        data.insert(data.end(), {'?', '?'}); // or the system may count in a NUL that follows
        EXPECT_EQ(RegSetValueExW(key.get(), win32::ToWide(name).c_str(), 0,
                                 static_cast<DWORD>(value.type), data.data(), size),
                  ERROR_SUCCESS);
    }

    std::optional<RegistryValue> Stored(std::string_view path, std::string_view name) override {
        const auto raw = Raw(path, name);
        if (!raw) return std::nullopt;
        const auto type = static_cast<RegistryType>(raw->type);
        if (!IsTextType(type)) return RegistryValue{type, {raw->data.begin(), raw->data.end()}};
        std::wstring wide(raw->data.size() / sizeof(wchar_t), L'\0');
        std::memcpy(wide.data(), raw->data.data(), wide.size() * sizeof(wchar_t));
        return RegistryValue{type, win32::FromWide(wide)};
    }

    bool KeyExists(std::string_view path) override { return bool(Open(path)); }

    struct RawValue {
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };

    // The stored bytes as the W functions hand them out.
    static std::optional<RawValue> Raw(std::string_view path, std::string_view name) {
        const UniqueKey key = Open(path);
        if (!key) return std::nullopt;
        const std::wstring wideName = win32::ToWide(name);
        RawValue raw;
        DWORD size = 0;
        LONG status =
            RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &raw.type, nullptr, &size);
        if (status == ERROR_SUCCESS) {
            raw.data.resize(size);
            status = RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &raw.type,
                                      raw.data.data(), &size);
        }
        if (status != ERROR_SUCCESS) return std::nullopt;
        return raw;
    }

private:
    static UniqueKey Open(std::string_view path) {
        HKEY key = nullptr;
        RegOpenKeyExW(HKEY_CURRENT_USER, Subkey(path).c_str(), 0, KEY_READ, &key);
        return UniqueKey(key);
    }

    win32::Win32Registry registry_;
};

} // namespace

std::unique_ptr<RegistryContractSubject> MakeRegistryContractSubject() {
    return std::make_unique<Win32Subject>();
}

namespace {

TEST(Win32Registry, StoresTextsAsUtf16WithTheirNul) {
    Win32Subject subject;
    const auto access = subject.registry().Access();
    ASSERT_TRUE(access->OpenKey(kContractKey, true));
    access->WriteString("Title", "表示ｶﾅ");
    const auto raw = Win32Subject::Raw(kContractKey, "Title");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, DWORD{REG_SZ});
    ASSERT_EQ(raw->data.size(), 10u);
    std::wstring wide(5, L'\0');
    std::memcpy(wide.data(), raw->data.data(), raw->data.size());
    EXPECT_EQ(wide, std::wstring(L"表示ｶﾅ\0", 5));
}

// Whether another thread, as another running copy would, gets the mutex at once.
bool FreeForAnotherThread(std::string_view keyPath) {
    bool taken = false;
    std::thread([&] {
        const UniqueMutex mutex(
            CreateMutexW(nullptr, FALSE, win32::RegistryLockName(keyPath).c_str()));
        ASSERT_TRUE(mutex);
        taken = WaitForSingleObject(mutex.get(), 0) == WAIT_OBJECT_0;
        if (taken) ReleaseMutex(mutex.get());
    }).join();
    return taken;
}

TEST(Win32Registry, TheLockKeepsOthersOutUntilFreed) {
    win32::Win32Registry registry;
    const std::string other = std::string(kContractKey) + "\\Other";
    auto lock = registry.Lock(kContractKey);
    const auto otherLock = registry.Lock(other);
    EXPECT_FALSE(FreeForAnotherThread(kContractKey));
    lock.reset();
    EXPECT_TRUE(FreeForAnotherThread(kContractKey));
    EXPECT_FALSE(FreeForAnotherThread(other));
}

} // namespace
} // namespace petarino::platform
