// petarino-macro format FORMAT: the current date and time through a format, as the
// "N" macro shows it.
#include "command.h"

namespace petarino::tool {

int RunFormat(Session& session, std::span<const std::string> operands) {
    session.PrintLine(FormatDateTime(operands[0], session.Now(), session.Formatting()));
    return 0;
}

} // namespace petarino::tool
