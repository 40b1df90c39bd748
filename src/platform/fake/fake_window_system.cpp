#include "platform/fake/fake_window_system.h"

#include "platform/fake/fake_code_page.h"

#include <utility>

namespace petarino::platform {
namespace {

constexpr uint32_t kButtonsMask = 0x0F; // MB_TYPEMASK

} // namespace

int FakeWindowSystem::ShowMessageBox(std::string_view text, std::string_view caption,
                                     uint32_t style) {
    shown_.push_back({std::string(text), std::string(caption), style});
    if (script_.empty()) {
        const bool yesNo = (style & kButtonsMask) == MessageBoxStyle::YesNo;
        return yesNo ? DialogResult::Yes : DialogResult::Ok;
    }
    Answer answer = std::move(script_.front());
    script_.pop_front();
    if (answer.meanwhile) answer.meanwhile();
    return answer.result;
}

int FakeWindowSystem::ShowMessageBox(std::u16string_view text, std::string_view caption,
                                     uint32_t style) {
    return ShowMessageBox(Cp932OfUtf16(text), caption, style);
}

void FakeWindowSystem::ScriptAnswer(int result, std::function<void()> meanwhile) {
    script_.push_back({result, std::move(meanwhile)});
}

bool FakeWindowSystem::RegisterHotkey(int id, uint32_t modifiers, uint8_t virtualKey) {
    const Hotkey hotkey{modifiers, virtualKey};
    // As the system: one holder a key, this program's own ids included.
    for (const Hotkey& held : heldElsewhere_)
        if (held == hotkey) return false;
    for (const auto& [heldId, held] : registered_)
        if (held == hotkey && heldId != id) return false;
    registered_[id] = hotkey;
    return true;
}

} // namespace petarino::platform
