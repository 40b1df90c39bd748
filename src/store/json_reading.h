// JSON texts from outside (a chosen backup, a file another PC put in the synced folder), read
// in time that grows with their length whatever they hold: the header first, by a scan that
// stops once it has it, then the whole text into maps, its nesting bounded.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace petarino::store {

// Objects as maps: each key found in log time, where the ordered kind that writing uses
// searches them one by one, a file of a few hundred thousand keys taking minutes.
using ReadJson = nlohmann::json;

// Ours nest five levels at most; deeper texts are refused, as copying or writing a value
// recurses once a level.
inline constexpr int kMostJsonLevels = 32;
// A backup of the largest store holds about 9,000 values, a memo file fewer. A text of more
// than this is refused, so a hostile one of 16 MB costs neither seconds nor hundreds of
// megabytes.
inline constexpr int kMostJsonValues = 1 << 18;

// The first "format" and "version" of the top level, null when it has none; an object or an
// array there shows empty, without what it holds.
struct JsonHeader {
    ReadJson format;
    ReadJson version;
    friend bool operator==(const JsonHeader&, const JsonHeader&) = default;
};

// Stops as soon as it has both, so a text that is not ours is told without reading it all.
// A top level that is no object has no header; nullopt when the text is no JSON as far as it
// was read.
std::optional<JsonHeader> ScanJsonHeader(std::string_view text);
// The same scan for the first top-level value of each name, in the order of the names, null
// for a name the top level lacks. A text cut short holds them when they all come before the
// cut: the scan stops there.
std::optional<std::vector<ReadJson>> ScanTopLevel(std::string_view text,
                                                  std::span<const std::string_view> names);

// The object's field of that name; null when it has none or is no object.
const ReadJson& Field(const ReadJson& object, const char* name);

// The header of a parsed text, from its last "format" and "version": a text whose header
// differs from the scanned one names its format or version twice, two ways.
JsonHeader HeaderOf(const ReadJson& json);

enum class JsonFault { None, Broken, TooDeep, TooMany };

struct ParsedJson {
    ReadJson json; // for JsonFault::None
    JsonFault fault = JsonFault::None;
};

ParsedJson ParseJson(std::string_view text);

} // namespace petarino::store
