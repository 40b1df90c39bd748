// The registry over the W functions, under HKEY_CURRENT_USER. Names and texts are converted
// with code page 932 and sizes counted as the A functions count them, so the store sees what
// it would on a Japanese system.
#pragma once

#include "platform/registry.h"

#include <string>
#include <string_view>

namespace petarino::win32 {

class Win32Registry final : public platform::Registry {
public:
    std::unique_ptr<platform::RegistryAccess> Access() override;
    // A named mutex of this session; if the system gives none, the store goes on unlocked.
    std::unique_ptr<platform::RegistryLock> Lock(std::string_view keyPath) override;
};

// The mutex name that stands for a key's store.
std::wstring RegistryLockName(std::string_view keyPath);

} // namespace petarino::win32
