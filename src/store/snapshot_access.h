// A snapshot seen as the registry, read-only, so the load's own reader can judge a backup
// before anything of it reaches the store.
#pragma once

#include "platform/kernel.h"
#include "platform/registry.h"
#include "store/store_snapshot.h"
#include "store/stored_state.h"

namespace petarino::store {

class SnapshotAccess final : public platform::RegistryAccess {
public:
    SnapshotAccess(const StoreSnapshot& snapshot, platform::Kernel& kernel)
        : snapshot_(snapshot), kernel_(kernel) {}

    bool OpenKey(std::string_view path, bool create) override;
    void CloseKey() override { open_ = nullptr; }
    bool DeleteKeyTree(std::string_view) override { return false; }
    bool ValueExists(std::string_view name) override { return Find(name) != nullptr; }
    std::optional<int32_t> FindInteger(std::string_view name) override;
    std::optional<std::string> FindString(std::string_view name) override;
    void WriteInteger(std::string_view name, int32_t) override;
    void WriteString(std::string_view name, std::string_view) override;
    // A text's wide form where the snapshot has one, else its CP932 widened by the kernel, as
    // the system widens what the A functions wrote.
    std::optional<std::u16string> FindWideString(std::string_view name) override;
    void WriteWideString(std::string_view name, std::u16string_view) override;
    std::optional<platform::RegistryValue> FindValue(std::string_view name) override;
    void WriteValue(std::string_view name, const platform::RegistryValue&) override;
    std::vector<std::string> ValueNames() override;
    std::vector<std::string> SubkeyNames() override;
    KeyCounts Counts() override;
    bool DeleteValue(std::string_view) override { return false; }
    bool Flush() override { return true; }

private:
    const platform::RegistryValue* Find(std::string_view name) const;

    const StoreSnapshot& snapshot_;
    platform::Kernel& kernel_;
    const std::vector<NamedValue>* open_ = nullptr;
    bool programOpen_ = false;
};

// What a load would read from a store holding the snapshot.
StoredState ReadSnapshotAsStore(const StoreSnapshot& snapshot, platform::Kernel& kernel);

} // namespace petarino::store
