// The choosers over the common dialogs. Each is owned by the thread's active window, the one
// whose button opened it, so that window takes no input until the chooser closes.
#pragma once

#include "platform/choosers.h"

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
    std::array<COLORREF, 16> customColors_;
    std::wstring lastLoaded_;
};

} // namespace petarino::win32
