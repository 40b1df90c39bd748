#include "store/key_writer.h"

#include "text/ascii.h"

#include <algorithm>
#include <utility>

namespace petarino::store {

using platform::ERegistryException;

KeyWriter::KeyWriter(platform::RegistryAccess& access, std::string path)
    : access_(access), path_(std::move(path)) {}

void KeyWriter::Open(std::string_view firstValue) {
    if (open_) return;
    if (!access_.OpenKey(path_, true)) throw ERegistryException::WriteFailed(firstValue);
    open_ = true;
}

void KeyWriter::Integer(std::string_view name, int32_t value) {
    Open(name);
    access_.WriteInteger(name, value);
    written_.emplace_back(name);
}

void KeyWriter::Boolean(std::string_view name, bool value) {
    Integer(name, value ? 1 : 0);
}

void KeyWriter::Colour(std::string_view name, Color color) {
    Integer(name, static_cast<int32_t>(color));
}

void KeyWriter::String(std::string_view name, std::string_view text) {
    Open(name);
    access_.WriteString(name, text);
    written_.emplace_back(name);
}

void KeyWriter::WideString(std::string_view name, std::u16string_view text) {
    Open(name);
    access_.WriteWideString(name, text);
    written_.emplace_back(name);
}

void KeyWriter::RemoveTheRest(std::size_t keptSubkeys,
                              const std::function<bool(std::string_view subkey)>& keep) {
    if (!open_) return;
    const auto counts = access_.Counts();
    if (counts.values > written_.size()) {
        for (const std::string& name : access_.ValueNames()) {
            const bool written =
                std::any_of(written_.begin(), written_.end(),
                            [&](const auto& own) { return EqualIgnoringAsciiCase(own, name); });
            if (!written) access_.DeleteValue(name);
        }
    }
    if (counts.subkeys > keptSubkeys) {
        for (const std::string& subkey : access_.SubkeyNames())
            if (!keep(subkey)) access_.DeleteKeyTree(path_ + '\\' + subkey);
    }
}

} // namespace petarino::store
