// The core's views of the properties window's controls: the status list over its list box,
// the autosave settings over the up-down and its check box, the exit settings over two check
// boxes. The values live in the controls; these only read and write them.
#pragma once

#include "clock/autosave_settings.h"
#include "memos/hotkey_settings.h"
#include "memos/status_list.h"
#include "store/exit_settings.h"

#include <windows.h>

namespace petarino::forms {

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
    void Bind(HWND upDown, HWND checkBox) {
        upDown_ = upDown;
        checkBox_ = checkBox;
    }

    // Reads what is typed in the edit through the up-down, so a typed number counts as soon
    // as it is asked for; a text that is no number in range leaves the last position.
    int16_t Period() const override;
    // Kept within the up-down's range, as the up-down keeps any position it is given.
    void SetPeriod(int16_t minutes) override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;

private:
    HWND upDown_ = nullptr;
    HWND checkBox_ = nullptr;
};

class CheckBoxExitSettings final : public ExitSettings {
public:
    void Bind(HWND exportBox, HWND askBox) {
        exportBox_ = exportBox;
        askBox_ = askBox;
    }

    bool ExportAtExit() const override;
    void SetExportAtExit(bool exportAtExit) override;
    bool AskBeforeExit() const override;
    void SetAskBeforeExit(bool askBeforeExit) override;

private:
    HWND exportBox_ = nullptr;
    HWND askBox_ = nullptr;
};

// The hotkey controls' values are the stored ones as they are.
class HotkeyControlSettings final : public HotkeySettings {
public:
    void Bind(HWND newMemo, HWND front) {
        newMemo_ = newMemo;
        front_ = front;
    }

    uint16_t Key(GlobalHotkey which) const override;
    void SetKey(GlobalHotkey which, uint16_t key) override;

private:
    HWND Control(GlobalHotkey which) const {
        return which == GlobalHotkey::NewMemo ? newMemo_ : front_;
    }

    HWND newMemo_ = nullptr;
    HWND front_ = nullptr;
};

} // namespace petarino::forms
