// The per-user registry, where the store keeps everything between runs. Names and texts are
// CP932 bytes, but for the wide strings; paths begin with "\" and are taken from the per-user
// root.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::platform {

// The store's error kind. The message names the value and is shown to the user as it is.
class ERegistryException : public std::runtime_error {
public:
    // Read as integer but not one, or read as string but neither kind of string.
    static ERegistryException WrongType(std::string_view name) {
        return Named(name, "' のﾃﾞｰﾀ型が不正です");
    }
    // Cannot be read; for an integer also data longer than 4 bytes.
    static ERegistryException ReadFailed(std::string_view name) {
        return Named(name, "' の取得に失敗しました");
    }
    // Read, but holds nothing the program can use.
    static ERegistryException Unusable(std::string_view name) {
        return Named(name, "' の値が不正です");
    }
    // Cannot be written, also because no key is open.
    static ERegistryException WriteFailed(std::string_view name) {
        return Named(name, "' の設定に失敗しました");
    }

private:
    explicit ERegistryException(const std::string& message) : std::runtime_error(message) {}
    static ERegistryException Named(std::string_view name, std::string_view rest) {
        std::string message = "'";
        message.append(name).append(rest);
        return ERegistryException(message);
    }
};

// Numbered as the Windows REG_ constants.
enum class RegistryType : uint32_t {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    MultiSz = 7,
    Qword = 11,
};

// The types the system converts between code pages.
constexpr bool IsTextType(RegistryType type) {
    return type == RegistryType::Sz || type == RegistryType::ExpandSz ||
           type == RegistryType::MultiSz;
}

struct RegistryValue {
    RegistryType type = RegistryType::None;
    std::string data; // a stored NUL included; a text as the A functions see it
    // A text's data exactly as the system keeps it, in UTF-16, where `data` lost characters
    // code page 932 cannot hold (a memo's text or title); nullopt where `data` says it all.
    std::optional<std::u16string> wide;
    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// One load's or one save's way into the registry. At most one key is open at a time and the
// value operations act on it; freeing the object closes it.
class RegistryAccess {
public:
    virtual ~RegistryAccess() = default;

    // With create, the key and every missing key above it are created first. On success the
    // key becomes the open key; on failure the open key stays as it was.
    virtual bool OpenKey(std::string_view path, bool create) = 0;
    virtual void CloseKey() = 0;
    // Depth first; a key that cannot be opened or deleted is skipped, and so are the keys
    // above it. True when the key itself is gone. The root is never deleted.
    virtual bool DeleteKeyTree(std::string_view path) = 0;

    // False when no key is open; any type counts.
    virtual bool ValueExists(std::string_view name) = 0;
    // The value when the open key has one of that name, nullopt when it has none or no key is
    // open; one that is there but cannot be read throws. One trip into the registry, where
    // asking whether a value exists and then reading it are two.
    virtual std::optional<int32_t> FindInteger(std::string_view name) = 0;
    std::optional<bool> FindBool(std::string_view name) {
        const auto value = FindInteger(name);
        return value ? std::optional<bool>(*value != 0) : std::nullopt;
    }
    // A value of length 0 of any type is the empty text; the text ends at the first NUL.
    virtual std::optional<std::string> FindString(std::string_view name) = 0;
    // As above, with an absent value failing to read.
    int32_t ReadInteger(std::string_view name) { return Present(name, FindInteger(name)); }
    bool ReadBool(std::string_view name) { return ReadInteger(name) != 0; }
    std::string ReadString(std::string_view name) { return Present(name, FindString(name)); }
    virtual void WriteInteger(std::string_view name, int32_t value) = 0;
    void WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // A string value of the text's bytes without a terminating NUL.
    virtual void WriteString(std::string_view name, std::string_view text) = 0;
    // A string as the system keeps it, in UTF-16, for a text such as a path or a memo's text
    // that code page 932 may not hold; read and judged as FindString reads and judges, and written
    // as WriteString writes. FindString and FindValue see such a value in CP932, with "?" for what
    // the code page cannot hold, as the A functions do.
    virtual std::optional<std::u16string> FindWideString(std::string_view name) = 0;
    virtual void WriteWideString(std::string_view name, std::u16string_view text) = 0;
    // The value as it is stored, whatever its type, a text beyond code page 932 with its
    // `wide` form; nullopt as for FindInteger. A backup takes and puts back values with
    // these, exactly.
    virtual std::optional<RegistryValue> FindValue(std::string_view name) = 0;
    // Exactly the data given, nothing added; fails as WriteInteger does.
    virtual void WriteValue(std::string_view name, const RegistryValue& value) = 0;

    // What the open key holds, in no particular order; nothing when no key is open.
    virtual std::vector<std::string> ValueNames() = 0;
    virtual std::vector<std::string> SubkeyNames() = 0;
    // How many values and subkeys the open key holds, in one call where the lists above cost
    // one for each name; none when no key is open.
    struct KeyCounts {
        std::size_t values = 0;
        std::size_t subkeys = 0;
        friend bool operator==(const KeyCounts&, const KeyCounts&) = default;
    };
    virtual KeyCounts Counts() = 0;
    virtual bool DeleteValue(std::string_view name) = 0;
    // Puts everything written so far on disk; costly, so once per save.
    virtual bool Flush() = 0;

private:
    template <typename Value>
    static Value Present(std::string_view name, std::optional<Value> value) {
        if (!value) throw ERegistryException::ReadFailed(name);
        return *std::move(value);
    }
};

// Held until freed.
class RegistryLock {
public:
    virtual ~RegistryLock() = default;
};

class Registry {
public:
    virtual ~Registry() = default;

    // A new access object on the per-user root with no key open.
    virtual std::unique_ptr<RegistryAccess> Access() = 0;
    // Keeps other running copies out of the store under the key until freed: they wait for
    // it. The same thread may take it again without waiting.
    virtual std::unique_ptr<RegistryLock> Lock(std::string_view keyPath) = 0;
};

} // namespace petarino::platform
