#include "macro/date_time_format.h"

#include "text/ascii.h"
#include "text/cp932.h"

#include <algorithm>
#include <array>

namespace petarino {
namespace {

// A form reached from the user's format is the second level; a form named inside it
// gives nothing, so forms cannot recurse.
constexpr int kMaxActiveLevels = 2;

// "00", "01" .. "99" one after the other: a number's digits two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// The one buffer of a call: bytes past its end are dropped without notice.
class OutputBuffer {
public:
    bool Full() const { return size_ == bytes_.size(); }

    void Append(char byte) {
        if (!Full()) bytes_[size_++] = byte;
    }

    // Byte by byte: the pieces are a few bytes long, too short to pay for a call to memcpy.
    void Append(std::string_view text) {
        const std::size_t count = std::min(text.size(), bytes_.size() - size_);
        char* const out = bytes_.data() + size_;
        for (std::size_t i = 0; i < count; ++i)
            out[i] = text[i];
        size_ += count;
    }

    // At least `minDigits` digits, with leading zeros. Every number of a date-time fits
    // four digits (years end at 9999), and no token asks for more than four.
    void AppendNumber(int value, int minDigits) { // value [0, 9999], minDigits [1, 4]
        const auto number = static_cast<unsigned>(value);
        const char* high = &kDigitPairs[2 * (number / 100)];
        const char* low = &kDigitPairs[2 * (number % 100)];
        const char text[4] = {high[0], high[1], low[0], low[1]};
        const int digits = value >= 1000 ? 4 : value >= 100 ? 3 : value >= 10 ? 2 : 1;
        const auto shown = static_cast<std::size_t>(std::max(digits, minDigits));
        Append(std::string_view(text + 4 - shown, shown));
    }

    std::string_view Text() const { return {bytes_.data(), size_}; }

private:
    std::array<char, kFormattedMaxBytes> bytes_;
    std::size_t size_ = 0;
};

std::string_view UpToFirstNul(std::string_view format) {
    return format.substr(0, format.find('\0'));
}

// The am/pm tokens, which also make "h" a 12-hour hour.
bool StartsAmPmToken(std::string_view text) {
    return StartsWithIgnoringAsciiCase(text, "AM/PM") || StartsWithIgnoringAsciiCase(text, "A/P") ||
           StartsWithIgnoringAsciiCase(text, "AMPM");
}

bool IsQuote(char byte) {
    return byte == '\'' || byte == '"';
}

// One scan of a format, user's or a settings form. Its last letter lets "m" after "h" mean
// the minute; its 12-hour flag, once set, holds for the rest of the level.
struct Level {
    std::string_view format;
    std::size_t position = 0;
    char lastLetter = ' ';
    bool twelveHour = false;

    bool AtEnd() const { return position >= format.size(); }
    std::string_view Rest() const { return format.substr(position); }

    // The starter and every following byte equal to it, case included.
    int TakeRun() {
        const char starter = format[position];
        const std::size_t end =
            std::min(format.find_first_not_of(starter, position), format.size());
        const auto length = static_cast<int>(end - position);
        position = end;
        return length;
    }
};

class Formatter {
public:
    Formatter(DateTime value, const FormatContext& context)
        : value_(DecodeDateTime(value)), settings_(context.locale.settings), context_(context) {}

    void ScanLevel(std::string_view format);
    std::string_view Text() const { return output_.Text(); }

private:
    void Token(Level& level, char token);
    void Hour(Level& level);
    void LetterA(Level& level);
    void QuotedLiteral(Level& level);
    void DateAndTime();
    void EraName(int run);
    void EraYear(int run);
    void Number(int value, int run, int maxDigits) {
        output_.AppendNumber(value, std::min(run, maxDigits));
    }

    bool Afternoon() const { return value_.time.hour >= 12; }
    const std::string& DayName(const std::array<std::string, 7>& names) const {
        return names[static_cast<std::size_t>(value_.dayOfWeek - 1)];
    }
    const std::string& MonthName(const std::array<std::string, 12>& names) const {
        return names[static_cast<std::size_t>(value_.date.month - 1)];
    }

    const DecodedDateTime value_;
    const FormatSettings& settings_;
    const FormatContext& context_;
    OutputBuffer output_;
    int activeLevels_ = 0;
};

void Formatter::ScanLevel(std::string_view format) {
    if (activeLevels_ >= kMaxActiveLevels) return;
    ++activeLevels_;
    Level level{format};
    while (!level.AtEnd() && !output_.Full()) {
        const char starter = level.format[level.position];
        if (IsLeadByte(starter)) {
            if (level.position + 1 >= level.format.size()) break;
            // A double-byte character outside quotes is no token and gives nothing.
            level.position += 2;
            level.lastLetter = ' ';
            continue;
        }
        char token = ToAsciiUpper(starter);
        if (IsAsciiLetter(token)) {
            if (token == 'M' && level.lastLetter == 'H') token = 'N';
            level.lastLetter = token;
        }
        Token(level, token);
    }
    --activeLevels_;
}

void Formatter::Token(Level& level, char token) {
    const CivilDate& date = value_.date;
    const TimeOfDay& time = value_.time;
    switch (token) {
    case 'Y': {
        const int run = level.TakeRun();
        if (run <= 2)
            output_.AppendNumber(date.year % 100, 2);
        else
            output_.AppendNumber(date.year, 4);
        break;
    }
    case 'M': {
        const int run = level.TakeRun();
        if (run <= 2)
            Number(date.month, run, 2);
        else
            output_.Append(
                MonthName(run == 3 ? settings_.shortMonthNames : settings_.longMonthNames));
        break;
    }
    case 'D': {
        const int run = level.TakeRun();
        if (run <= 2)
            Number(date.day, run, 2);
        else if (run == 3)
            output_.Append(DayName(settings_.shortDayNames));
        else if (run == 4)
            output_.Append(DayName(settings_.longDayNames));
        else
            ScanLevel(run == 5 ? settings_.shortDateFormat : settings_.longDateFormat);
        break;
    }
    case 'H': Hour(level); break;
    case 'N': Number(time.minute, level.TakeRun(), 2); break;
    case 'S': Number(time.second, level.TakeRun(), 2); break;
    case 'T':
        ScanLevel(level.TakeRun() == 1 ? settings_.shortTimeFormat : settings_.longTimeFormat);
        break;
    case 'C':
        level.TakeRun();
        DateAndTime();
        break;
    case 'G': EraName(level.TakeRun()); break;
    case 'E': EraYear(level.TakeRun()); break;
    case 'A': LetterA(level); break;
    case '/':
        output_.Append(settings_.dateSeparator);
        ++level.position;
        break;
    case ':':
        output_.Append(settings_.timeSeparator);
        ++level.position;
        break;
    case '\'':
    case '"': QuotedLiteral(level); break;
    default:
        output_.Append(level.format[level.position]);
        ++level.position;
        break;
    }
}

// An "h" is a 12-hour hour when an am/pm token follows before the next "h"; quotes hide
// an "a" from this look-ahead but not an "h".
void Formatter::Hour(Level& level) {
    const int run = level.TakeRun();
    bool quoted = false;
    for (std::size_t i = level.position; i < level.format.size() && !level.twelveHour;) {
        const char byte = level.format[i];
        if (IsLeadByte(byte)) {
            i += 2;
            continue;
        }
        if (byte == 'h' || byte == 'H') break;
        if (IsQuote(byte)) {
            quoted = !quoted;
        } else if (!quoted && (byte == 'a' || byte == 'A')) {
            level.twelveHour = StartsAmPmToken(level.format.substr(i));
            break;
        }
        ++i;
    }
    int hour = value_.time.hour;
    if (level.twelveHour) {
        if (hour == 0)
            hour = 12;
        else if (hour > 12)
            hour -= 12;
    }
    Number(hour, run, 2);
}

// "a" has no run: the longest token is taken, and an "a" that starts none is itself. The
// tokens part at their second byte, so that byte picks the ones worth trying.
void Formatter::LetterA(Level& level) {
    const std::string_view rest = level.Rest();
    const char second = rest.size() >= 2 ? ToAsciiUpper(rest[1]) : '\0';
    std::size_t consumed = 1;
    if (second == 'M' && StartsWithIgnoringAsciiCase(rest, "AM/PM")) {
        output_.Append(rest.substr(Afternoon() ? 3 : 0, 2));
        level.twelveHour = true;
        consumed = 5;
    } else if (second == 'M' && StartsWithIgnoringAsciiCase(rest, "AMPM")) {
        output_.Append(Afternoon() ? settings_.afternoon : settings_.morning);
        level.twelveHour = true;
        consumed = 4;
    } else if (second == '/' && StartsWithIgnoringAsciiCase(rest, "A/P")) {
        output_.Append(rest[Afternoon() ? 2 : 0]);
        level.twelveHour = true;
        consumed = 3;
    } else if (second == 'A' && StartsWithIgnoringAsciiCase(rest, "AAAA")) {
        output_.Append(DayName(settings_.longDayNames));
        consumed = 4;
    } else if (second == 'A' && StartsWithIgnoringAsciiCase(rest, "AAA")) {
        output_.Append(DayName(settings_.shortDayNames));
        consumed = 3;
    } else {
        output_.Append(rest.front());
    }
    level.position += consumed;
}

// Bytes up to the matching quote, as written. A second byte never closes the quote, and a
// lead byte left without its second byte at the end is dropped, as outside quotes.
void Formatter::QuotedLiteral(Level& level) {
    const char quote = level.format[level.position++];
    const std::size_t start = level.position;
    while (!level.AtEnd() && level.format[level.position] != quote) {
        if (IsLeadByte(level.format[level.position]) && level.position + 1 >= level.format.size())
            break;
        level.position += CharacterBytes(level.Rest());
    }
    output_.Append(level.format.substr(start, level.position - start));
    if (!level.AtEnd() && level.format[level.position] == quote) ++level.position;
}

void Formatter::DateAndTime() {
    ScanLevel(settings_.shortDateFormat);
    const TimeOfDay& time = value_.time;
    if (time.hour != 0 || time.minute != 0 || time.second != 0) {
        output_.Append(' ');
        ScanLevel(settings_.longTimeFormat);
    }
}

void Formatter::EraName(int run) {
    const std::string name = context_.eras.EraName(value_.date);
    output_.Append(run == 1 ? ShortenEraName(name, context_.locale.identity) : name);
}

void Formatter::EraYear(int run) {
    const std::string year = context_.eras.EraYear(value_.date, run >= 3);
    std::string_view text = year;
    if (run == 1 && text.starts_with('0')) text.remove_prefix(1);
    output_.Append(text);
}

} // namespace

void AppendDateTime(std::string& out, std::string_view format, DateTime value,
                    const FormatContext& context) {
    Formatter formatter(value, context);
    const std::string_view userFormat = UpToFirstNul(format);
    formatter.ScanLevel(userFormat.empty() ? "c" : userFormat);
    out += formatter.Text();
}

std::string FormatDateTime(std::string_view format, DateTime value, const FormatContext& context) {
    std::string text;
    AppendDateTime(text, format, value, context);
    return text;
}

} // namespace petarino
