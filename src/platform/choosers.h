// The system's choosers for a font, a colour, a text file to load or to save and a folder.
// Each opens modally over the window the user is working in and tells what the user
// confirmed; nothing when the user cancelled.
#pragma once

#include "appearance/color.h"
#include "appearance/font.h"
#include "platform/files.h"

#include <optional>
#include <string_view>

namespace petarino::platform {

// What a file chooser lists and the extension it adds to a name without one.
enum class FileKind {
    Text,   // "txt", any file listed too
    Backup, // "json"
};

class Choosers {
public:
    virtual ~Choosers() = default;

    // Screen fonts with their effects (underline, strike-out, colour), starting at `start`.
    virtual std::optional<Font> PickFont(const Font& start) = 0;
    // Starts at `start`, a system colour at its present value; a confirmed colour is a fixed
    // one. The custom colours last for the run.
    virtual std::optional<Color> PickColor(Color start) = 0;
    // A file of the kind that exists; starts at the name picked last.
    virtual std::optional<FilePath> PickFileToLoad(FileKind kind) = 0;
    // Starts at the proposed name, in UTF-16 as a memo's title may give it; the kind's
    // extension is added to a name without one, and an existing file is replaced only when
    // the user says so.
    virtual std::optional<FilePath> PickFileToSave(std::u16string_view proposedName,
                                                   FileKind kind) = 0;
    // A folder of the file system, starting at `start` when one is given. The folder comes
    // without a separator at its end but for a drive's root; Files::InFolder adds one.
    virtual std::optional<FilePath> PickFolder(const std::optional<FilePath>& start) = 0;
};

} // namespace petarino::platform
