// petarino-macro parse TEXT: the day number of a typed date, as the "A" and "S" macros
// read it; a text that is no date gets the conversion message and exit status 2.
#include "command.h"
#include "macro/convert_error.h"
#include "macro/date_parser.h"

namespace petarino::tool {

int RunParse(Session& session, std::span<const std::string> operands) {
    MacroWorld& world = session.World();
    try {
        const DateTime day = ParseDate(operands[0], world.locale, world.kernel);
        session.PrintLine(std::to_string(static_cast<int32_t>(day)));
        return 0;
    } catch (const EConvertError& error) {
        session.PrintLine(error.what(), stderr);
        return 2;
    }
}

} // namespace petarino::tool
