// petarino-macro format FORMAT: the current date and time through a format, as the
// "N" macro shows it.
#include "command.h"
#include "macro/local_clock.h"

namespace petarino::tool {

int RunFormat(Session& session, std::span<const std::string> operands) {
    MacroWorld& world = session.World();
    session.PrintLine(
        FormatDateTime(operands[0], CurrentDateTime(world.kernel), {world.locale, world.eras}));
    return 0;
}

} // namespace petarino::tool
