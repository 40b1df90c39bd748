// The choosers over the common dialogs. Each is owned by the thread's active window, the one
// whose button opened it, so that window takes no input until the chooser closes.
#pragma once

#include "platform/choosers.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>
#include <array>
#include <string>

namespace petarino::win32 {

class Win32Choosers final : public platform::Choosers {
public:
    Win32Choosers();

    std::optional<Font> PickFont(const Font& start) override;
    std::optional<Color> PickColor(Color start) override;
    std::optional<platform::FilePath> PickFileToLoad(platform::FileKind kind) override;
    std::optional<platform::FilePath> PickFileToSave(std::string_view proposedName,
                                                     platform::FileKind kind) override;

private:
    // The common dialogs' library is loaded at the first chooser, not at start: it brings the
    // printing system with it, time and memory that a resident program would spend for
    // choosers most runs never open. Null when the library or the function is missing.
    template <typename Function> Function* CommonDialog(const char* name);

    UniqueHandle<HMODULE, FreeLibrary> commonDialogs_;
    std::array<COLORREF, 16> customColors_;
    std::wstring lastLoaded_;
};

} // namespace petarino::win32
