// The system's choosers for a font, a colour and a text file to load or to save. Each opens
// modally over the window the user is working in and tells what the user confirmed;
// nothing when the user cancelled.
#pragma once

#include "appearance/color.h"
#include "appearance/font.h"
#include "platform/files.h"

#include <optional>
#include <string_view>

namespace petarino::platform {

class Choosers {
public:
    virtual ~Choosers() = default;

    // Screen fonts with their effects (underline, strike-out, colour), starting at `start`.
    virtual std::optional<Font> PickFont(const Font& start) = 0;
    // Starts at `start`, a system colour at its present value; a confirmed colour is a fixed
    // one. The custom colours last for the run.
    virtual std::optional<Color> PickColor(Color start) = 0;
    // A text file that exists; starts at the name picked last.
    virtual std::optional<FilePath> PickFileToLoad() = 0;
    // Starts at the proposed name; "txt" is added to a name without an extension, and an
    // existing file is replaced only when the user says so.
    virtual std::optional<FilePath> PickFileToSave(std::string_view proposedName) = 0;
};

} // namespace petarino::platform
