// A registry value as one JSON object: its name, its registry type and its data. Texts that
// convert to UTF-8 and back exactly are written as text, DWORDs as numbers, everything else
// as base64, so the bytes read back are the bytes written. Backups and memo files share it.
#pragma once

#include "platform/kernel.h"
#include "store/json_reading.h"
#include "store/store_snapshot.h"

#include <stdexcept>
#include <vector>

namespace petarino::store {

// What is written keeps its keys in the order given, so the same values give the same bytes.
using Json = nlohmann::ordered_json;

// A list of values that cannot be read; what() is the name of the field found wrong.
class EValueJson : public std::runtime_error {
public:
    explicit EValueJson(const char* field) : std::runtime_error(field) {}
};

Json ValuesJson(const std::vector<NamedValue>& values, platform::Kernel& kernel);

// Every value of the list, whose names differ even ignoring ASCII case, as the registry
// would refuse to hold two. Throws EValueJson.
std::vector<NamedValue> ValuesOfJson(const ReadJson& list, platform::Kernel& kernel);

} // namespace petarino::store
