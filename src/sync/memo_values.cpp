#include "sync/memo_values.h"

#include "memos/memo_text_code_page.h"
#include "platform/registry_value.h"
#include "store/snapshot_access.h"
#include "store/store_layout.h"
#include "store/store_reader.h"
#include "store/store_writer.h"
#include "text/ascii.h"

namespace petarino::sync {
namespace {

using platform::RegistryValue;
using store::NamedValue;

// One key that exists only in memory and keeps what a save writes into it.
class RecordingAccess final : public platform::RegistryAccess {
public:
    explicit RecordingAccess(platform::Kernel& kernel) : kernel_(kernel) {}

    std::vector<NamedValue> values;

    bool OpenKey(std::string_view, bool) override { return true; }
    void CloseKey() override {}
    bool DeleteKeyTree(std::string_view) override { return false; }
    bool ValueExists(std::string_view name) override { return Find(name) != nullptr; }
    std::optional<int32_t> FindInteger(std::string_view name) override {
        const RegistryValue* value = Find(name);
        return value ? std::optional(platform::IntegerOf(name, *value)) : std::nullopt;
    }
    std::optional<std::string> FindString(std::string_view name) override {
        const RegistryValue* value = Find(name);
        return value ? std::optional(platform::StringOf(name, *value)) : std::nullopt;
    }
    std::optional<std::u16string> FindWideString(std::string_view) override { return {}; }
    void WriteInteger(std::string_view name, int32_t value) override {
        Put(name, platform::DwordValue(value));
    }
    void WriteString(std::string_view name, std::string_view text) override {
        Put(name, platform::WrittenText(text));
    }
    void WriteWideString(std::string_view name, std::u16string_view text) override {
        MemoText units = platform::TerminatedText(text);
        if (auto cp932 = Cp932OfMemoText(kernel_, units))
            Put(name, {platform::RegistryType::Sz, *std::move(cp932)});
        else
            Put(name, {platform::RegistryType::Sz, Cp932Shown(kernel_, units), std::move(units)});
    }
    std::optional<RegistryValue> FindValue(std::string_view name) override {
        const RegistryValue* value = Find(name);
        return value ? std::optional(*value) : std::nullopt;
    }
    void WriteValue(std::string_view name, const RegistryValue& value) override {
        Put(name, value);
    }
    std::vector<std::string> ValueNames() override {
        std::vector<std::string> names;
        for (const NamedValue& value : values)
            names.push_back(value.name);
        return names;
    }
    std::vector<std::string> SubkeyNames() override { return {}; }
    KeyCounts Counts() override { return {values.size(), 0}; }
    bool DeleteValue(std::string_view) override { return false; }
    bool Flush() override { return true; }

private:
    platform::Kernel& kernel_;

    const RegistryValue* Find(std::string_view name) const {
        for (const NamedValue& value : values)
            if (EqualIgnoringAsciiCase(value.name, name)) return &value.value;
        return nullptr;
    }
    void Put(std::string_view name, RegistryValue value) {
        for (NamedValue& existing : values)
            if (EqualIgnoringAsciiCase(existing.name, name)) {
                existing.value = std::move(value);
                return;
            }
        values.push_back({std::string(name), std::move(value)});
    }
};

} // namespace

std::vector<NamedValue> MemoKeyValues(const Memo& memo, int pixelsPerInch,
                                      platform::Kernel& kernel) {
    RecordingAccess access(kernel);
    store::WriteMemoKey(access, store::MemoKeyPath(0), memo, pixelsPerInch);
    return std::move(access.values);
}

store::StoredMemo StoredMemoOf(const std::vector<NamedValue>& values, platform::Kernel& kernel) {
    const store::StoreSnapshot snapshot{.program = {}, .memos = {{store::MemoKeyName(0), values}}};
    store::SnapshotAccess access(snapshot, kernel);
    store::StoredState errors;
    return store::ReadMemoKey(access, store::MemoKeyPath(0), errors);
}

} // namespace petarino::sync
