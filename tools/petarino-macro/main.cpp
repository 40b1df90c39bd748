// petarino-macro: the macro engine on the command line, over fixed locale tables.
#include "command_line.h"
#include "usage_error.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace petarino::tool;
    try {
        const CommandLine line = ParseCommandLine({argv + 1, static_cast<std::size_t>(argc - 1)});
        Session session(line.options);
        std::vector<std::string> operands;
        for (const std::string& operand : line.operands)
            operands.push_back(session.Input(operand));
        return line.command->run(session, operands);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "petarino-macro: %s\n%s", error.what(), UsageText().c_str());
        return kUsageExitStatus;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "petarino-macro: %s\n", error.what());
        return 1;
    }
}
