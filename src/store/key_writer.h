// One key of a save: its values written over the old ones, the key opened with create at
// the first write, then whatever else the key holds removed.
#pragma once

#include "appearance/color.h"
#include "platform/registry.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::store {

class KeyWriter {
public:
    KeyWriter(platform::RegistryAccess& access, std::string path);

    // Each throws ERegistryException when the value cannot be written, also when the key
    // could not be opened: the key open before must not take the values.
    void Integer(std::string_view name, int32_t value);
    void Boolean(std::string_view name, bool value);
    void Colour(std::string_view name, Color color);
    void String(std::string_view name, std::string_view text);
    // For texts code page 932 may not hold, such as a path or a memo's text.
    void WideString(std::string_view name, std::u16string_view text);

    // Removes every value not written here, and every subkey that keep refuses, of which
    // there are as many as keptSubkeys at most. A key is listed only when it holds more than
    // that: each name listed costs a call. A value or subkey that cannot be removed stays
    // until the next save.
    void RemoveTheRest(std::size_t keptSubkeys,
                       const std::function<bool(std::string_view subkey)>& keep);

private:
    void Open(std::string_view firstValue);

    platform::RegistryAccess& access_;
    std::string path_;
    bool open_ = false;
    std::vector<std::string> written_;
};

} // namespace petarino::store
