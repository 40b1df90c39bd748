#include "macro/era_calendar.h"

#include "calendar/japanese_eras.h"
#include "text/cp932.h"

namespace petarino {
namespace {

// The system writes into a 256-byte buffer, NUL included; a longer answer fails.
constexpr std::size_t kAnswerMaxBytes = 255;

} // namespace

EraCalendar::EraCalendar(platform::Kernel& kernel, const LocaleIdentity& identity)
    : kernel_(kernel), identity_(identity) {}

std::string EraCalendar::EraName(const CivilDate& date) {
    return AnswersFor(date).name;
}

std::string EraCalendar::EraYear(const CivilDate& date, bool longForm) {
    const Answers& answers = AnswersFor(date);
    return longForm ? answers.longYear : answers.year;
}

const EraCalendar::Answers& EraCalendar::AnswersFor(const CivilDate& date) {
    const uint32_t localeId = kernel_.ThreadLocale();
    if (last_ && last_->date == date && last_->localeId == localeId) return *last_;
    Answers answers{localeId, date, {}, {}, {}};
    if (SystemLacksJapaneseEras()) {
        if (const auto era = FindJapaneseEra(date.year, date.month, date.day)) {
            answers.name = era->name;
            answers.year = answers.longYear = EraYearText(era->year);
        }
    } else {
        answers.name = SystemAnswer(localeId, date, "gg");
        answers.year = SystemAnswer(localeId, date, "yy");
        answers.longYear = SystemAnswer(localeId, date, "yyyy");
    }
    return last_.emplace(std::move(answers));
}

// The last day of Showa and the first of Heisei share an era only on a system that
// writes the Gregorian era for Japanese.
bool EraCalendar::SystemLacksJapaneseEras() {
    if (!ownJapaneseTable_) {
        const uint32_t localeId = kernel_.ThreadLocale();
        ownJapaneseTable_ = identity_.PrimaryLanguage() == kLangJapanese &&
                            SystemAnswer(localeId, {1989, 1, 7}, "gg") ==
                                SystemAnswer(localeId, {1989, 1, 8}, "gg");
    }
    return *ownJapaneseTable_;
}

std::string EraCalendar::SystemAnswer(uint32_t localeId, const CivilDate& date,
                                      std::string_view picture) {
    const auto answer = kernel_.AltCalendarDate(localeId, date.year, date.month, date.day, picture);
    if (!answer || answer->size() > kAnswerMaxBytes) return {};
    return answer->substr(0, answer->find('\0'));
}

std::string_view ShortenEraName(std::string_view name, const LocaleIdentity& identity) {
    if (name.empty()) return name;
    if (identity.PrimaryLanguage() == kLangJapanese) return name.substr(0, CharacterBytes(name));
    if (identity.PrimaryLanguage() == kLangChinese &&
        identity.SubLanguage() == kSubLangChineseTraditional) {
        std::size_t characters = 0, thirdStart = 0;
        for (std::size_t i = 0; i < name.size(); i += CharacterBytes(name.substr(i)))
            if (++characters == 3) thirdStart = i;
        if (characters == 4) return name.substr(thirdStart);
    }
    return name;
}

} // namespace petarino
