#include "platform/fake/fake_registry.h"

#include "platform/fake/fake_code_page.h"
#include "text/cp932.h"

#include <vector>

namespace petarino::platform {
namespace {

// Names compare as the registry compares them: ASCII letters without case, and the trail
// byte of a double-byte character as it is (it may look like a letter or a backslash).
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (size_t i = 0; i < folded.size(); ++i) {
        if (IsLeadByte(folded[i]))
            ++i;
        else if (folded[i] >= 'a' && folded[i] <= 'z')
            folded[i] = static_cast<char>(folded[i] - 'a' + 'A');
    }
    return folded;
}

struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return Folded(a) < Folded(b);
    }
};

std::vector<std::string> SplitPath(std::string_view path) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i]) && i + 1 < path.size()) {
            parts.back() += path.substr(i++, 2);
        } else if (path[i] == '\\') {
            if (!parts.back().empty()) parts.emplace_back();
        } else {
            parts.back() += path[i];
        }
    }
    if (parts.back().empty()) parts.pop_back();
    return parts;
}

// A value as the A functions see it; one written wide that they cannot see whole keeps its
// exact UTF-16 beside.
struct StoredValue {
    RegistryValue value;
};

} // namespace

struct FakeRegistry::Key {
    std::map<std::string, StoredValue, NameLess> values;
    std::map<std::string, std::shared_ptr<Key>, NameLess> subkeys;
    // Set on a key that was deleted while an access object still had it open.
    bool deleted = false;

    std::shared_ptr<Key> Subkey(const std::string& name) const {
        const auto found = subkeys.find(name);
        return found == subkeys.end() ? nullptr : found->second;
    }
    void MarkDeleted() {
        deleted = true;
        for (const auto& [name, subkey] : subkeys)
            subkey->MarkDeleted();
    }
    void Collect(const std::string& path,
                 std::map<std::string, std::map<std::string, RegistryValue>>& out) const {
        auto& collected = out[path];
        for (const auto& [name, stored] : values)
            collected.emplace(name, stored.value);
        for (const auto& [name, subkey] : subkeys)
            subkey->Collect(path + '\\' + name, out);
    }
};

class FakeRegistry::KeyAccess final : public RegistryAccess {
public:
    explicit KeyAccess(FakeRegistry& registry) : registry_(registry) {}

    bool OpenKey(std::string_view path, bool create) override {
        if (!registry_.BeginCall()) return false;
        auto key = create ? registry_.FindOrCreate(path) : registry_.Find(path);
        if (!key) return false;
        open_ = std::move(key);
        return true;
    }

    void CloseKey() override {
        registry_.BeginCall();
        open_.reset();
    }

    bool DeleteKeyTree(std::string_view path) override {
        if (!registry_.BeginCall()) return false;
        const auto parts = SplitPath(path);
        if (parts.empty()) return false;
        std::shared_ptr<Key> parent = registry_.root_;
        for (size_t i = 0; parent && i + 1 < parts.size(); ++i)
            parent = parent->Subkey(parts[i]);
        const auto key = parent ? parent->Subkey(parts.back()) : nullptr;
        if (!key) return false;
        key->MarkDeleted();
        parent->subkeys.erase(parts.back());
        return true;
    }

    bool ValueExists(std::string_view name) override {
        return registry_.BeginCall() && Stored(name) != nullptr;
    }

    std::optional<int32_t> FindInteger(std::string_view name) override {
        const StoredValue* stored = Read(name);
        return stored ? std::optional(IntegerOf(name, stored->value)) : std::nullopt;
    }
    std::optional<std::string> FindString(std::string_view name) override {
        const StoredValue* stored = Read(name);
        return stored ? std::optional(StringOf(name, stored->value)) : std::nullopt;
    }
    void WriteInteger(std::string_view name, int32_t value) override {
        Write(name, {DwordValue(value)});
    }
    void WriteString(std::string_view name, std::string_view text) override {
        Write(name, {WrittenText(text)});
    }
    // A value written otherwise is widened from its CP932, as the system keeps it.
    std::optional<std::u16string> FindWideString(std::string_view name) override {
        const StoredValue* stored = Read(name);
        if (!stored) return std::nullopt;
        CheckStringType(name, stored->value.type, stored->value.data.empty());
        const std::u16string text =
            stored->value.wide ? *stored->value.wide : Utf16OfCp932(stored->value.data);
        return text.substr(0, text.find(u'\0'));
    }
    void WriteWideString(std::string_view name, std::u16string_view text) override {
        std::u16string units = TerminatedText(text);
        std::string data = Cp932OfUtf16(units);
        std::optional<std::u16string> wide;
        if (Utf16OfCp932(data) != units) wide = std::move(units);
        Write(name, {{RegistryType::Sz, std::move(data), std::move(wide)}});
    }
    std::optional<RegistryValue> FindValue(std::string_view name) override {
        const StoredValue* stored = Read(name);
        return stored ? std::optional(stored->value) : std::nullopt;
    }
    void WriteValue(std::string_view name, const RegistryValue& value) override {
        Write(name, {value});
    }

    std::vector<std::string> ValueNames() override {
        std::vector<std::string> names;
        if (registry_.BeginCall() && Live())
            for (const auto& [name, value] : open_->values)
                names.push_back(name);
        return names;
    }

    std::vector<std::string> SubkeyNames() override {
        std::vector<std::string> names;
        if (registry_.BeginCall() && Live())
            for (const auto& [name, subkey] : open_->subkeys)
                names.push_back(name);
        return names;
    }

    KeyCounts Counts() override {
        if (!registry_.BeginCall() || !Live()) return {};
        return {open_->values.size(), open_->subkeys.size()};
    }

    bool DeleteValue(std::string_view name) override {
        return registry_.BeginCall() && Live() && open_->values.erase(std::string(name)) > 0;
    }

    bool Flush() override {
        if (!registry_.BeginCall()) return false;
        ++registry_.flushes_;
        return true;
    }

private:
    bool Live() const { return open_ && !open_->deleted; }

    const StoredValue* Stored(std::string_view name) const {
        if (!Live()) return nullptr;
        const auto found = open_->values.find(std::string(name));
        return found == open_->values.end() ? nullptr : &found->second;
    }

    // A refused call could not read whatever is there.
    const StoredValue* Read(std::string_view name) {
        if (!registry_.BeginCall()) throw ERegistryException::ReadFailed(name);
        return Stored(name);
    }

    void Write(std::string_view name, StoredValue value) {
        if (!registry_.BeginCall() || !Live()) throw ERegistryException::WriteFailed(name);
        open_->values.insert_or_assign(std::string(name), std::move(value));
    }

    FakeRegistry& registry_;
    std::shared_ptr<Key> open_;
};

class FakeRegistry::HeldLock final : public RegistryLock {
public:
    explicit HeldLock(int& held) : held_(held) { ++held_; }
    ~HeldLock() override { --held_; }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    int& held_;
};

FakeRegistry::FakeRegistry() : root_(std::make_shared<Key>()) {}
FakeRegistry::~FakeRegistry() = default;

std::unique_ptr<RegistryAccess> FakeRegistry::Access() {
    return std::make_unique<KeyAccess>(*this);
}

std::unique_ptr<RegistryLock> FakeRegistry::Lock(std::string_view) {
    return std::make_unique<HeldLock>(locksHeld_);
}

void FakeRegistry::CreateKey(std::string_view path) {
    FindOrCreate(path);
}

void FakeRegistry::SetValue(std::string_view path, std::string_view name, RegistryValue value) {
    FindOrCreate(path)->values.insert_or_assign(std::string(name), StoredValue{std::move(value)});
}

std::optional<RegistryValue> FakeRegistry::Value(std::string_view path,
                                                 std::string_view name) const {
    const auto key = Find(path);
    if (!key) return std::nullopt;
    const auto found = key->values.find(std::string(name));
    if (found == key->values.end()) return std::nullopt;
    return found->second.value;
}

bool FakeRegistry::KeyExists(std::string_view path) const {
    return Find(path) != nullptr;
}

std::map<std::string, std::map<std::string, RegistryValue>>
FakeRegistry::Contents(std::string_view path) const {
    std::map<std::string, std::map<std::string, RegistryValue>> contents;
    if (const auto key = Find(path)) {
        std::string full;
        for (const std::string& part : SplitPath(path))
            full += '\\' + part;
        key->Collect(full, contents);
    }
    return contents;
}

void FakeRegistry::Restart() {
    calls_ = 0;
    unlockedCalls_ = 0;
    failing_.clear();
    stopAt_.reset();
    dead_ = false;
}

bool FakeRegistry::BeginCall() {
    ++calls_;
    if (locksHeld_ == 0) ++unlockedCalls_;
    if (stopAt_ && calls_ >= *stopAt_) dead_ = true;
    if (dead_) throw SimulatedCrash{calls_};
    return !failing_.contains(calls_);
}

std::shared_ptr<FakeRegistry::Key> FakeRegistry::Find(std::string_view path) const {
    std::shared_ptr<Key> key = root_;
    for (const std::string& part : SplitPath(path))
        if (!(key = key->Subkey(part))) break;
    return key;
}

std::shared_ptr<FakeRegistry::Key> FakeRegistry::FindOrCreate(std::string_view path) {
    std::shared_ptr<Key> key = root_;
    for (const std::string& part : SplitPath(path)) {
        auto& subkey = key->subkeys[part];
        if (!subkey) subkey = std::make_shared<Key>();
        key = subkey;
    }
    return key;
}

} // namespace petarino::platform
