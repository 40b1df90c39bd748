#include "command_line.h"

#include "usage_error.h"

#include <algorithm>
#include <charconv>

namespace petarino::tool {
namespace {

bool IsDigit(char byte) {
    return byte >= '0' && byte <= '9';
}

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
bool TakeNumber(std::string_view& text, std::size_t digits, int& value) {
    if (text.size() < digits || !std::all_of(text.begin(), text.begin() + digits, IsDigit))
        return false;
    std::from_chars(text.data(), text.data() + digits, value);
    text.remove_prefix(digits);
    return true;
}

bool TakeByte(std::string_view& text, char byte) {
    if (!text.starts_with(byte)) return false;
    text.remove_prefix(1);
    return true;
}

template <typename Number> Number NumberOption(std::string_view option, std::string_view text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        throw UsageError(std::string(option) + " needs a number, not \"" + std::string(text) +
                         "\"");
    return number;
}

} // namespace

std::optional<platform::LocalTime> ParseLocalTime(std::string_view text) {
    enum { kYear, kMonth, kDay, kHour, kMinute, kSecond, kMillisecond };
    constexpr struct {
        char separator; // before the field; none before the year
        std::size_t digits;
    } kFields[] = {{0, 4}, {'-', 2}, {'-', 2}, {'T', 2}, {':', 2}, {':', 2}};
    int values[kMillisecond + 1] = {};
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        const auto [separator, digits] = kFields[i];
        if ((separator != 0 && !TakeByte(text, separator)) || !TakeNumber(text, digits, values[i]))
            return std::nullopt;
    }
    if (TakeByte(text, '.') && !TakeNumber(text, 3, values[kMillisecond])) return std::nullopt;
    const CivilDate date{values[kYear], values[kMonth], values[kDay]};
    if (!text.empty() || !date.ok() || values[kHour] > 23 || values[kMinute] > 59 ||
        values[kSecond] > 59)
        return std::nullopt;
    return platform::LocalTime{date.year,       date.month,          DayOfWeek(DayNumber(date)) - 1,
                               date.day,        values[kHour],       values[kMinute],
                               values[kSecond], values[kMillisecond]};
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
        } else if (line.command->memoOptions && argument == "--uptime") {
            line.options.uptimeSeconds = NumberOption<uint64_t>(argument, value());
        } else if (line.command->memoOptions && argument == "--exec") {
            line.options.exec = NumberOption<int32_t>(argument, value());
        } else if (line.command->memoOptions && argument == "--label") {
            line.options.label = value();
        } else if (line.command->memoOptions && argument == "--title") {
            line.options.title = std::string(value());
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
        text +=
            "usage: petarino-macro " + std::string(command.name) +
            " [--locale ja-JP|en-US] [--at YYYY-MM-DDTHH:MM:SS[.mmm]]" +
            (command.memoOptions ? " [--uptime SECONDS] [--label TEXT] [--exec N] [--title TEXT]"
                                 : "") +
            " [--cp932] " + std::string(command.operands) + "\n";
    }
    return text;
}

} // namespace petarino::tool
