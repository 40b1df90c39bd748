// Whether Windows starts the program when the user signs in: the value "Petarino" of the user's
// Run key, holding the program's path in double quotes, unless Task Manager turned it off there
// (the value of the same name under StartupApproved, whose first byte 3 means off). What
// Windows will do is the only truth; the store keeps nothing of it.
#pragma once

#include "platform/files.h"
#include "platform/registry.h"

#include <string>
#include <string_view>

namespace petarino::store {

// The program a Run value starts: the text between its first pair of double quotes, or up to
// the end of its first ".exe"; the value as it is when it has neither.
std::u16string ProgramOfRunValue(std::u16string_view value);

class StartWithWindows {
public:
    StartWithWindows(platform::Registry& registry, platform::Files& files)
        : registry_(registry), files_(files) {}

    bool On();
    // On: this program's path in the Run key, and on again where Task Manager turned it off,
    // as the user asked for it. Off: the value removed.
    void Set(bool on);
    // At the start: a value naming a program that is no longer there (the program was unpacked
    // elsewhere) names this one. One naming another copy that exists is left alone.
    void FollowMovedProgram();

private:
    std::u16string QuotedProgram();

    platform::Registry& registry_;
    platform::Files& files_;
};

} // namespace petarino::store
