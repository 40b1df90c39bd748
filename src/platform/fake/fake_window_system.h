// A window system whose message boxes answer from a script and record what they showed.
#pragma once

#include "platform/window_system.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace petarino::platform {

struct ShownMessageBox {
    std::string text;
    std::string caption;
    uint32_t style = 0;
    friend bool operator==(const ShownMessageBox&, const ShownMessageBox&) = default;
};

class FakeWindowSystem final : public WindowSystem {
public:
    // Boxes without a scripted answer get their default button: Yes, or OK.
    int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) override;
    // Recorded in CP932, "?" for what the code page lacks.
    int ShowMessageBox(std::u16string_view text, std::string_view caption, uint32_t style) override;
    void SetTooltipDelay(int milliseconds) override { tooltipDelay_ = milliseconds; }

    // The next box answers with this button; meanwhile runs while it is up, as the box's
    // message loop runs other handlers.
    void ScriptAnswer(int result, std::function<void()> meanwhile = {});
    const std::vector<ShownMessageBox>& Shown() const { return shown_; }
    int TooltipDelay() const override { return tooltipDelay_; }
    bool ShiftHeldNow() override { return shiftHeld_; }
    void HoldShift(bool held) { shiftHeld_ = held; }

    struct Hotkey {
        uint32_t modifiers = 0;
        uint8_t virtualKey = 0;
        friend bool operator==(const Hotkey&, const Hotkey&) = default;
    };
    // Refused, whoever asks: another program holds it.
    void HoldElsewhere(Hotkey hotkey) { heldElsewhere_.push_back(hotkey); }
    void ReleaseElsewhere(Hotkey hotkey) { std::erase(heldElsewhere_, hotkey); }
    bool RegisterHotkey(int id, uint32_t modifiers, uint8_t virtualKey) override;
    void UnregisterHotkey(int id) override { registered_.erase(id); }
    const std::map<int, Hotkey>& Registered() const { return registered_; }
    void PlayNotificationSound() override { ++sounds_; }
    int Sounds() const { return sounds_; }
    // One monitor of 1280 x 1024 with its taskbar at the bottom, until the test plugs in others.
    std::vector<WorkArea> MonitorWorkAreas() const override { return workAreas_; }
    void SetMonitorWorkAreas(std::vector<WorkArea> workAreas) { workAreas_ = std::move(workAreas); }

private:
    struct Answer {
        int result;
        std::function<void()> meanwhile;
    };
    std::deque<Answer> script_;
    std::vector<ShownMessageBox> shown_;
    int tooltipDelay_ = 500;
    bool shiftHeld_ = false;
    std::vector<Hotkey> heldElsewhere_;
    std::map<int, Hotkey> registered_;
    int sounds_ = 0;
    std::vector<WorkArea> workAreas_ = std::vector(1, WorkArea{0, 0, 1280, 984});
};

} // namespace petarino::platform
