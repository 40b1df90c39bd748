#include "sync/travelling_values.h"

#include "store/store_layout.h"
#include "sync/fnv1a.h"
#include "text/ascii.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace petarino::sync {
namespace {

using store::NamedValue;
using namespace store::memo_value;

constexpr std::array kTravelling{kText,     kTitle,     kTitleBar,    kTitleText,  kTitleBackGround,
                                 kColor,    kFontColor, kFontName,    kFontStyle,  kFontSize,
                                 kWordWrap, kAlarmAt,   kAlarmRepeat, kAlarmSound, kAlarmDay};
// Values that began to travel after stores kept fingerprints count only where present, so a
// memo without them keeps the fingerprint it had.
constexpr std::array kTravellingSince{kOpacity};
constexpr std::array kBookkeeping{kId, kSyncVersions, kSyncBase, kSyncLineage};

template <std::size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [name](std::string_view own) { return EqualIgnoringAsciiCase(own, name); });
}

const NamedValue* Find(const std::vector<NamedValue>& values, std::string_view name) {
    const auto found = std::find_if(values.begin(), values.end(), [name](const NamedValue& value) {
        return EqualIgnoringAsciiCase(value.name, name);
    });
    return found == values.end() ? nullptr : &*found;
}

// Eight bytes, low first: fixed width, so no two different lists of fields run together
// into the same bytes.
std::uint64_t HashedNumber(std::uint64_t hash, std::uint64_t number) {
    for (int i = 0; i < 8; ++i, number >>= 8) {
        const char byte = static_cast<char>(number & 0xFF);
        hash = Fnv1a({&byte, 1}, hash);
    }
    return hash;
}

} // namespace

bool Travels(std::string_view valueName) {
    return Among(kTravelling, valueName) || Among(kTravellingSince, valueName);
}

bool IsBookkeeping(std::string_view valueName) {
    return Among(kBookkeeping, valueName);
}

std::vector<NamedValue> FileValues(std::vector<NamedValue> keyValues) {
    std::erase_if(keyValues, [](const NamedValue& value) { return IsBookkeeping(value.name); });
    return keyValues;
}

std::string ContentFingerprint(const std::vector<NamedValue>& values) {
    const auto hashed = [](std::uint64_t hash, const NamedValue& value) {
        hash = HashedNumber(hash, static_cast<std::uint64_t>(value.value.type));
        hash = HashedNumber(hash, value.value.data.size());
        hash = Fnv1a(value.value.data, hash);
        // A text beyond code page 932 only, so every other keeps the fingerprint it had.
        if (const auto& wide = value.value.wide) {
            hash = HashedNumber(hash, wide->size());
            for (const char16_t unit : *wide)
                hash = HashedNumber(hash, unit);
        }
        return hash;
    };
    std::uint64_t hash = kFnvOffset;
    for (const std::string_view name : kTravelling) {
        const NamedValue* value = Find(values, name);
        hash = HashedNumber(hash, value ? 1 : 0);
        if (value) hash = hashed(hash, *value);
    }
    // Its name in the hash, so a later value's bytes never pass for an earlier one's.
    for (const std::string_view name : kTravellingSince)
        if (const NamedValue* value = Find(values, name)) hash = hashed(Fnv1a(name, hash), *value);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool SameContent(const std::vector<NamedValue>& a, const std::vector<NamedValue>& b) {
    const auto same = [&](std::string_view name) {
        const NamedValue* inA = Find(a, name);
        const NamedValue* inB = Find(b, name);
        return inA && inB ? inA->value == inB->value : inA == inB;
    };
    return std::all_of(kTravelling.begin(), kTravelling.end(), same) &&
           std::all_of(kTravellingSince.begin(), kTravellingSince.end(), same);
}

} // namespace petarino::sync
