// An in-memory registry with typed values and the real one's failures, for tests and tools;
// it can fail a chosen call or stop dead at it, as a process that dies mid-save would. A text
// written wide is kept exactly; everything else, the contents below among them, sees it in
// CP932 as the A functions would.
#pragma once

#include "platform/registry.h"
#include "platform/registry_value.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace petarino::platform {

// Thrown by the call a registry stops dead at and by every call after it. Not an
// std::exception, so no handler of the program's own errors can swallow it.
struct SimulatedCrash {
    uint64_t call = 0;
};

class FakeRegistry final : public Registry {
public:
    FakeRegistry();
    ~FakeRegistry() override;
    FakeRegistry(const FakeRegistry&) = delete;
    FakeRegistry& operator=(const FakeRegistry&) = delete;

    std::unique_ptr<RegistryAccess> Access() override;
    std::unique_ptr<RegistryLock> Lock(std::string_view keyPath) override;

    // The contents, bypassing the access objects: nothing here counts as a call.
    void CreateKey(std::string_view path);
    void SetValue(std::string_view path, std::string_view name, RegistryValue value);
    std::optional<RegistryValue> Value(std::string_view path, std::string_view name) const;
    bool KeyExists(std::string_view path) const;
    // The key at the path and every key below it, by full path, each with its values.
    std::map<std::string, std::map<std::string, RegistryValue>>
    Contents(std::string_view path) const;

    // Every operation of every access object is one call, numbered from 1.
    uint64_t Calls() const { return calls_; }
    // That call fails as the real one does when the system refuses it.
    void FailCall(uint64_t call) { failing_.insert(call); }
    // That call and every later one throw SimulatedCrash; nothing is written any more.
    void StopAtCall(uint64_t call) { stopAt_ = call; }
    // A new process on the same contents: no crash, no faults planned, the counts from 0.
    void Restart();

    int Flushes() const { return flushes_; }
    int LocksHeld() const { return locksHeld_; }
    // Calls made while no lock was held, which another running copy could interleave with.
    uint64_t UnlockedCalls() const { return unlockedCalls_; }

private:
    struct Key;
    class KeyAccess;
    class HeldLock;

    // Counts the call; false when it is to fail.
    bool BeginCall();
    std::shared_ptr<Key> Find(std::string_view path) const;
    std::shared_ptr<Key> FindOrCreate(std::string_view path);

    std::shared_ptr<Key> root_;
    uint64_t calls_ = 0;
    std::set<uint64_t> failing_;
    std::optional<uint64_t> stopAt_;
    bool dead_ = false;
    int flushes_ = 0;
    int locksHeld_ = 0;
    uint64_t unlockedCalls_ = 0;
};

} // namespace petarino::platform
