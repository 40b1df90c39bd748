// The choosers over the common dialogs and the shell's folder chooser. Each is owned by the
// thread's active window, the one whose button opened it, so that window takes no input until
// the chooser closes. They are made, used and freed on that one thread.
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
    ~Win32Choosers() override;
    Win32Choosers(const Win32Choosers&) = delete;
    Win32Choosers& operator=(const Win32Choosers&) = delete;

    std::optional<Font> PickFont(const Font& start) override;
    std::optional<Color> PickColor(Color start) override;
    std::optional<platform::FilePath> PickFileToLoad(platform::FileKind kind) override;
    std::optional<platform::FilePath> PickFileToSave(std::u16string_view proposedName,
                                                     platform::FileKind kind) override;
    // Folders of the file system only, with a box to type a path in.
    std::optional<platform::FilePath>
    PickFolder(const std::optional<platform::FilePath>& start) override;

private:
    using Library = UniqueHandle<HMODULE, FreeLibrary>;

    // The common dialogs' library is loaded at the first chooser, not at start: it brings the
    // printing system with it, time and memory that a resident program would spend for
    // choosers most runs never open. Null when the library or the function is missing.
    template <typename Function> Function* CommonDialog(const char* name);
    // The folder chooser's newer layout needs COM in a single-threaded apartment on the
    // thread. COM's library too is loaded only then; the apartment is entered once and left
    // with the choosers.
    void EnterApartment();

    Library commonDialogs_;
    Library com_;
    bool inApartment_ = false;
    std::array<COLORREF, 16> customColors_;
    std::wstring lastLoaded_;
};

} // namespace petarino::win32
