// What every registry implementation must do alike, checked once over the fake and once over
// the real registry under Wine: each test program defines MakeRegistryContractSubject.
#pragma once

#include "platform/registry.h"
#include "platform/registry_value.h"
#include "registry_value_printer.h"

#include <memory>
#include <optional>
#include <string_view>

namespace petarino::platform {

// Below the per-user root; empty when a subject is made and when it is freed.
inline constexpr std::string_view kContractKey = "\\Software\\Mivora\\PetarinoTest";

class RegistryContractSubject {
public:
    virtual ~RegistryContractSubject() = default;

    virtual Registry& registry() = 0;
    // Past the registry under test: the value exactly as given, its key created as needed.
    virtual void Seed(std::string_view path, std::string_view name, const RegistryValue& value) = 0;
    virtual std::optional<RegistryValue> Stored(std::string_view path, std::string_view name) = 0;
    virtual bool KeyExists(std::string_view path) = 0;
};

std::unique_ptr<RegistryContractSubject> MakeRegistryContractSubject();

} // namespace petarino::platform
