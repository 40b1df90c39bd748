#include "store/json_reading.h"

#include <algorithm>

namespace petarino::store {
namespace {

constexpr char kFormat[] = "format";
constexpr char kVersion[] = "version";

// Keeps nothing but the first value of each name asked for at the top level: keys and values
// deeper in go by unstored. Values after more than a text may hold are not looked for, since
// the text is refused anyway.
class TopLevelScan final : public nlohmann::json_sax<ReadJson> {
public:
    explicit TopLevelScan(std::span<const std::string_view> names)
        : names_(names), found_(names.size()), seen_(names.size()) {}

    bool null() override { return Take(nullptr); }
    bool boolean(bool value) override { return Take(value); }
    bool number_integer(number_integer_t value) override { return Take(value); }
    bool number_unsigned(number_unsigned_t value) override { return Take(value); }
    bool number_float(number_float_t value, const string_t&) override { return Take(value); }
    bool string(string_t& value) override { return Take(std::move(value)); }
    bool binary(binary_t& value) override { return Take(ReadJson::binary(value)); }

    bool start_object(std::size_t) override { return Open(ReadJson::value_t::object); }
    bool start_array(std::size_t) override {
        // A top level that is no object: nothing to find, and nothing more to look at.
        return levels_ > 0 && Open(ReadJson::value_t::array);
    }
    bool end_object() override { return Close(); }
    bool end_array() override { return Close(); }

    bool key(string_t& name) override {
        if (levels_ != 1) return true;
        const auto asked = std::ranges::find(names_, std::string_view(name));
        if (asked == names_.end()) return true;
        const auto at = static_cast<std::size_t>(asked - names_.begin());
        if (!seen_[at]) {
            pending_ = &found_[at];
            seen_[at] = true;
        }
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        broken_ = true;
        return false;
    }

    std::optional<std::vector<ReadJson>> Found() && {
        return broken_ ? std::nullopt : std::optional(std::move(found_));
    }

private:
    // Whether to read on: a value is kept only where a key asked for waits for it.
    template <typename Value> bool Take(Value&& value) {
        if (++values_ > kMostJsonValues) return false;
        if (pending_ == nullptr) return true;
        *pending_ = std::forward<Value>(value);
        pending_ = nullptr;
        return !std::ranges::all_of(seen_, [](bool seen) { return seen; });
    }
    bool Open(ReadJson::value_t kind) {
        ++levels_;
        return Take(kind);
    }
    bool Close() {
        --levels_;
        return true;
    }

    std::span<const std::string_view> names_;
    std::vector<ReadJson> found_;
    std::vector<bool> seen_;
    ReadJson* pending_ = nullptr;
    bool broken_ = false;
    int levels_ = 0;
    int values_ = 0;
};

// nlohmann's own builder of values, stopping the parse at a container that would open a level
// too many or at a value too many, so no deep or vast value is ever made. (Its parser with a
// callback could leave such a container out, but looks through the enclosing one at every
// close: quadratic.)
class BoundedBuilder final : public nlohmann::detail::json_sax_dom_parser<ReadJson> {
public:
    using Builder = nlohmann::detail::json_sax_dom_parser<ReadJson>;
    explicit BoundedBuilder(ReadJson& json) : Builder(json, false) {}

    // The parse calls them by this type, so they stand in for the builder's own.
    bool null() { return Count() && Builder::null(); }
    bool boolean(bool value) { return Count() && Builder::boolean(value); }
    bool number_integer(number_integer_t value) {
        return Count() && Builder::number_integer(value);
    }
    bool number_unsigned(number_unsigned_t value) {
        return Count() && Builder::number_unsigned(value);
    }
    bool number_float(number_float_t value, const string_t& text) {
        return Count() && Builder::number_float(value, text);
    }
    bool string(string_t& value) { return Count() && Builder::string(value); }
    bool start_object(std::size_t size) { return Open() && Builder::start_object(size); }
    bool start_array(std::size_t size) { return Open() && Builder::start_array(size); }
    bool end_object() { return Close() && Builder::end_object(); }
    bool end_array() { return Close() && Builder::end_array(); }

    JsonFault Fault() const { return fault_; }

private:
    bool Count() {
        if (++values_ > kMostJsonValues) fault_ = JsonFault::TooMany;
        return fault_ == JsonFault::None;
    }
    bool Open() {
        if (++levels_ > kMostJsonLevels) fault_ = JsonFault::TooDeep;
        return Count();
    }
    bool Close() {
        --levels_;
        return true;
    }

    int levels_ = 0;
    int values_ = 0;
    JsonFault fault_ = JsonFault::None;
};

// An object or an array as the scan shows it: empty.
ReadJson AsScanned(const ReadJson& value) {
    if (value.is_object()) return ReadJson::object();
    if (value.is_array()) return ReadJson::array();
    return value;
}

} // namespace

std::optional<std::vector<ReadJson>> ScanTopLevel(std::string_view text,
                                                  std::span<const std::string_view> names) {
    TopLevelScan scan(names);
    ReadJson::sax_parse(text, &scan);
    return std::move(scan).Found();
}

std::optional<JsonHeader> ScanJsonHeader(std::string_view text) {
    constexpr std::string_view kHeader[] = {kFormat, kVersion};
    auto found = ScanTopLevel(text, kHeader);
    if (!found) return std::nullopt;
    return JsonHeader{std::move((*found)[0]), std::move((*found)[1])};
}

const ReadJson& Field(const ReadJson& object, const char* name) {
    static const ReadJson missing;
    const auto found = object.find(name);
    return found == object.end() ? missing : *found;
}

JsonHeader HeaderOf(const ReadJson& json) {
    return {AsScanned(Field(json, kFormat)), AsScanned(Field(json, kVersion))};
}

ParsedJson ParseJson(std::string_view text) {
    ReadJson json;
    BoundedBuilder builder(json);
    const bool whole = ReadJson::sax_parse(text, &builder);
    if (builder.Fault() != JsonFault::None) return {.fault = builder.Fault()};
    if (!whole || builder.is_errored()) return {.fault = JsonFault::Broken};
    return {.json = std::move(json)};
}

} // namespace petarino::store
