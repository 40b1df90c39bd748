// What the desk is made with: the platform's services and the locale, and the settings that
// live in the properties window's controls.
#pragma once

#include "macro/format_settings.h"
#include "macro/macro_replacements.h"
#include "memos/hotkey_settings.h"
#include "memos/status_list.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/kernel.h"
#include "platform/registry.h"
#include "platform/window_system.h"
#include "store/exit_settings.h"
#include "tick/autosave_settings.h"

namespace petarino {

// The platform's services and the locale, made before the desk and outliving it.
struct DeskServices {
    platform::WindowSystem& windows;
    platform::Kernel& kernel;
    platform::Registry& registry;
    platform::Graphics& graphics;
    platform::Files& files;
    platform::Choosers& choosers;
    FormatLocale& locale;
    MacroServices macro;
};

// The settings that live in the properties window's controls, and its memo list: one source
// of truth each, read and written through these.
struct DeskControls {
    StatusList& statusList;
    AutosaveSettings& autosave;
    ExitSettings& exitSettings;
    HotkeySettings& hotkeys;
};

} // namespace petarino
