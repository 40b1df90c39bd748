// The core's views of the properties window's controls: the status list over its list box,
// the autosave settings over the up-down and its check box, the exit settings over two check
// boxes, the hotkeys over their hotkey controls. The controls are made when the window first
// shows; until then each view holds its values itself and hands them over as it is bound.
// From then on the values live in the controls, where the user changes them.
#pragma once

#include "memos/hotkey_settings.h"
#include "memos/status_list.h"
#include "store/exit_settings.h"
#include "tick/autosave_settings.h"

#include <windows.h>
#include <array>
#include <span>

namespace petarino::forms {

// The range udSave holds a period to.
inline constexpr int16_t kShortestPeriod = 1;
inline constexpr int16_t kLongestPeriod = 60;

// A check box's state, held here until the box is made and handed to it then.
class HeldCheckBox {
public:
    void Bind(HWND box);
    bool Checked() const;
    void Check(bool checked);

private:
    HWND box_ = nullptr;
    bool held_ = false;
};

// Until its list box is made nothing can be selected, and the window fills the list as it
// shows.
class ListBoxStatusList final : public StatusList {
public:
    void Bind(HWND listBox) { listBox_ = listBox; }

    int SelectedRow() const override;
    void SelectRow(int row) override;
    void ReplaceRows(std::span<const std::string> rows) override;

private:
    HWND listBox_ = nullptr;
};

class UpDownAutosaveSettings final : public AutosaveSettings {
public:
    void Bind(HWND upDown, HWND checkBox);

    // Reads what is typed in the edit through the up-down, so a typed number counts as soon
    // as it is asked for; a text that is no number in range leaves the last position.
    int16_t Period() const override;
    // Kept within the up-down's range, as the up-down keeps any position it is given.
    void SetPeriod(int16_t minutes) override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;

private:
    HWND upDown_ = nullptr;
    int16_t heldPeriod_ = 10;
    HeldCheckBox checkBox_;
};

class CheckBoxExitSettings final : public ExitSettings {
public:
    void Bind(HWND exportBox, HWND askBox);

    bool ExportAtExit() const override;
    void SetExportAtExit(bool exportAtExit) override;
    bool AskBeforeExit() const override;
    void SetAskBeforeExit(bool askBeforeExit) override;

private:
    HeldCheckBox exportBox_;
    HeldCheckBox askBox_;
};

// The hotkey controls' values are the stored ones as they are.
class HotkeyControlSettings final : public HotkeySettings {
public:
    // One control for each key, in the order of kGlobalHotkeys.
    void Bind(std::span<const HWND, kGlobalHotkeyCount> controls);

    uint16_t Key(GlobalHotkey which) const override;
    void SetKey(GlobalHotkey which, uint16_t key) override;

private:
    static size_t Index(GlobalHotkey which) { return static_cast<size_t>(which); }

    std::array<HWND, kGlobalHotkeyCount> controls_{};
    std::array<uint16_t, kGlobalHotkeyCount> heldKeys_{};
};

} // namespace petarino::forms
