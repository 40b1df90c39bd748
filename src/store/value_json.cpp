#include "store/value_json.h"

#include "memos/memo_text_code_page.h"
#include "platform/registry_value.h"
#include "text/ascii.h"
#include "text/base64.h"
#include "text/memo_text.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <set>

namespace petarino::store {
namespace {

using platform::RegistryType;
using platform::RegistryValue;

namespace field {
constexpr char kName[] = "name";
constexpr char kNameBase64[] = "nameBase64";
constexpr char kValues[] = "values";
constexpr char kType[] = "type";
constexpr char kText[] = "text";
constexpr char kDword[] = "dword";
constexpr char kBase64[] = "base64";
// A text beyond code page 932 that UTF-8 cannot hold either (a lone surrogate): its UTF-16
// units, low byte first.
constexpr char kUtf16Base64[] = "utf16Base64";
} // namespace field

void Require(bool sound, const char* field) {
    if (!sound) throw EValueJson(field);
}

// Text when the bytes come back from UTF-8 exactly, else base64 under the other field.
void PutBytes(Json& object, const char* textField, const char* base64Field, std::string_view bytes,
              platform::Kernel& kernel) {
    const auto utf8 = kernel.Utf8OfCp932(bytes);
    if (utf8 && kernel.Cp932OfUtf8(*utf8) == bytes)
        object[textField] = *utf8;
    else
        object[base64Field] = Base64Encode(bytes);
}

// A text that code page 932 does not hold: as UTF-8 text, which a text that fits never
// needs, so a reader tells the two apart by whether the text fits.
void PutWide(Json& object, MemoTextView wide) {
    if (const auto utf8 = Utf8OfMemoText(wide))
        object[field::kText] = *utf8;
    else
        object[field::kUtf16Base64] = Base64Encode(LittleEndianBytes(wide));
}

Json ValueJson(const NamedValue& named, platform::Kernel& kernel) {
    Json value = Json::object();
    PutBytes(value, field::kName, field::kNameBase64, named.name, kernel);
    value[field::kType] = static_cast<uint32_t>(named.value.type);
    const std::string& data = named.value.data;
    if (named.value.wide && platform::IsTextType(named.value.type))
        PutWide(value, *named.value.wide);
    else if (named.value.type == RegistryType::Dword && data.size() == 4)
        value[field::kDword] = platform::IntegerOf(named.name, named.value);
    else if (platform::IsTextType(named.value.type))
        PutBytes(value, field::kText, field::kBase64, data, kernel);
    else
        value[field::kBase64] = Base64Encode(data);
    return value;
}

// Exactly one of the two fields, a string; CP932 bytes.
std::string BytesOf(const ReadJson& object, const char* textField, const char* base64Field,
                    platform::Kernel& kernel) {
    const bool text = object.contains(textField);
    Require(text != object.contains(base64Field), textField);
    const ReadJson& field = object[text ? textField : base64Field];
    Require(field.is_string(), textField);
    const auto bytes = text ? kernel.Cp932OfUtf8(field.get_ref<const std::string&>())
                            : Base64Decode(field.get_ref<const std::string&>());
    Require(bytes.has_value(), textField);
    return *bytes;
}

// A text as the registry keeps one written wide: what the A functions see, and the UTF-16.
RegistryValue WideValue(RegistryType type, MemoText wide, platform::Kernel& kernel) {
    std::string data = Cp932Shown(kernel, wide);
    return {type, std::move(data), std::move(wide)};
}

RegistryValue DataOf(const ReadJson& value, RegistryType type, platform::Kernel& kernel) {
    const int given = static_cast<int>(value.contains(field::kText)) +
                      static_cast<int>(value.contains(field::kDword)) +
                      static_cast<int>(value.contains(field::kBase64)) +
                      static_cast<int>(value.contains(field::kUtf16Base64));
    Require(given == 1, field::kValues);
    if (value.contains(field::kUtf16Base64)) {
        const ReadJson& units = value[field::kUtf16Base64];
        Require(platform::IsTextType(type) && units.is_string(), field::kUtf16Base64);
        const auto bytes = Base64Decode(units.get_ref<const std::string&>());
        auto wide = bytes ? MemoTextOfLittleEndian(*bytes) : std::nullopt;
        // Only a text UTF-8 cannot hold is written so: one text, one form.
        Require(wide && !Utf8OfMemoText(*wide), field::kUtf16Base64);
        return WideValue(type, *std::move(wide), kernel);
    }
    if (value.contains(field::kText)) {
        const ReadJson& text = value[field::kText];
        Require(platform::IsTextType(type) && text.is_string(), field::kText);
        const std::string& utf8 = text.get_ref<const std::string&>();
        if (!kernel.Cp932OfUtf8(utf8))
            if (auto wide = MemoTextOfUtf8(utf8)) return WideValue(type, *std::move(wide), kernel);
    }
    if (value.contains(field::kDword)) {
        const ReadJson& dword = value[field::kDword];
        Require(type == RegistryType::Dword && dword.is_number_integer(), field::kDword);
        const auto number = dword.get<int64_t>();
        Require(number >= INT32_MIN && number <= UINT32_MAX, field::kDword);
        return platform::DwordValue(static_cast<int32_t>(static_cast<uint32_t>(number)));
    }
    if (value.contains(field::kText)) Require(platform::IsTextType(type), field::kText);
    return {type, BytesOf(value, field::kText, field::kBase64, kernel)};
}

} // namespace

Json ValuesJson(const std::vector<NamedValue>& values, platform::Kernel& kernel) {
    Json list = Json::array();
    for (const NamedValue& value : values)
        list.push_back(ValueJson(value, kernel));
    return list;
}

std::vector<NamedValue> ValuesOfJson(const ReadJson& list, platform::Kernel& kernel) {
    Require(list.is_array(), field::kValues);
    std::vector<NamedValue> values;
    std::set<std::string> folded; // the names so far, in the registry's case, one look-up each
    for (const ReadJson& value : list) {
        Require(value.is_object(), field::kValues);
        std::string name = BytesOf(value, field::kName, field::kNameBase64, kernel);
        Require(folded.insert(AsciiUpper(name)).second, field::kName);
        const auto type = value.find(field::kType);
        Require(type != value.end() && type->is_number_unsigned() &&
                    type->get<uint64_t>() <= UINT32_MAX,
                field::kType);
        const auto registryType = static_cast<RegistryType>(type->get<uint32_t>());
        values.push_back({std::move(name), DataOf(value, registryType, kernel)});
    }
    return values;
}

} // namespace petarino::store
