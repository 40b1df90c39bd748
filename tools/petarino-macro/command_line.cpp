#include "command_line.h"

#include "usage_error.h"

#include <algorithm>
#include <charconv>

namespace petarino::tool {
namespace {

const Command* FindCommand(std::string_view name) {
    const auto found = std::ranges::find(kCommands, name, &Command::name);
    return found == std::end(kCommands) ? nullptr : &*found;
}

std::size_t OperandCount(const Command& command) {
    return static_cast<std::size_t>(std::ranges::count(command.operands, ' ')) + 1;
}

platform::FakeLocale ParseLocale(std::string_view name) {
    if (name == "ja-JP") return platform::FakeLocale::Japanese;
    if (name == "en-US") return platform::FakeLocale::English;
    throw UsageError("unknown locale \"" + std::string(name) + "\"");
}

// Exactly `digits` decimal digits.
std::optional<int> TakeNumber(std::string_view& text, std::size_t digits) {
    if (text.size() < digits) return std::nullopt;
    int value = 0;
    const char* end = text.data() + digits;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.front() == '-') return std::nullopt;
    text.remove_prefix(digits);
    return value;
}

bool TakeByte(std::string_view& text, char byte) {
    if (!text.starts_with(byte)) return false;
    text.remove_prefix(1);
    return true;
}

// The separator, then the number; -1 when either is missing. Not an optional: g++ 12 at -O2
// takes an empty one chosen by ?: for an uninitialised int.
int TakeField(std::string_view& text, char separator, std::size_t digits) {
    if (!TakeByte(text, separator)) return -1;
    return TakeNumber(text, digits).value_or(-1);
}

} // namespace

std::optional<platform::LocalTime> ParseLocalTime(std::string_view text) {
    const int year = TakeNumber(text, 4).value_or(-1);
    const int month = TakeField(text, '-', 2);
    const int day = TakeField(text, '-', 2);
    const int hour = TakeField(text, 'T', 2);
    const int minute = TakeField(text, ':', 2);
    const int second = TakeField(text, ':', 2);
    const int millisecond = text.empty() ? 0 : TakeField(text, '.', 3);
    if (std::min({year, month, day, hour, minute, second, millisecond}) < 0 || !text.empty())
        return std::nullopt;
    const CivilDate date{year, month, day};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return platform::LocalTime{
        year, month, DayOfWeek(DayNumber(date)) - 1, day, hour, minute, second, millisecond};
}

CommandLine ParseCommandLine(std::span<const char* const> arguments) {
    if (arguments.empty()) throw UsageError("no command");
    CommandLine line;
    line.command = FindCommand(arguments.front());
    if (!line.command)
        throw UsageError("unknown command \"" + std::string(arguments.front()) + "\"");

    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const auto value = [&]() -> std::string_view {
            if (i + 1 == arguments.size())
                throw UsageError(std::string(argument) + " needs a value");
            return arguments[++i];
        };
        if (optionsEnded || !argument.starts_with("--")) {
            line.operands.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--locale") {
            line.options.locale = ParseLocale(value());
        } else if (argument == "--at") {
            const std::string_view at = value();
            line.options.at = ParseLocalTime(at);
            if (!line.options.at) throw UsageError("bad time \"" + std::string(at) + "\"");
        } else if (argument == "--cp932") {
            line.options.cp932 = true;
        } else {
            throw UsageError("unknown option " + std::string(argument));
        }
    }
    if (line.operands.size() != OperandCount(*line.command))
        throw UsageError(std::string(line.command->name) + " takes " +
                         std::string(line.command->operands));
    return line;
}

std::string UsageText() {
    std::string text;
    for (const Command& command : kCommands) {
        text += "usage: petarino-macro " + std::string(command.name) +
                " [--locale ja-JP|en-US] [--at YYYY-MM-DDTHH:MM:SS[.mmm]] [--cp932] " +
                std::string(command.operands) + "\n";
    }
    return text;
}

} // namespace petarino::tool
