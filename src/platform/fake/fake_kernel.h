// An in-memory kernel: a settable clock, UTC offset and uptime, identifiers counted up, and
// fixed ja-JP and en-US locale tables.
#pragma once

#include "platform/kernel.h"

#include <map>

namespace petarino::platform {

enum class FakeLocale { Japanese, English };

class FakeKernel final : public Kernel {
public:
    explicit FakeKernel(FakeLocale locale = FakeLocale::Japanese);

    LocalTime Now() override { return now_; }
    // The set local time less the UTC offset.
    LocalTime UtcNow() override;
    uint64_t UptimeMilliseconds() override { return uptime_; }
    // "00000000-0000-4000-8000-000000000001", then ...002 and so on, so tests can predict them;
    // the first group is the space set, so two fake PCs never make the same id.
    std::string NewGuid() override;
    uint32_t ThreadLocale() override { return localeId_; }
    void SetThreadLocaleToUserDefault() override {
        localeId_ = userDefaultLocaleId_;
        ++threadLocaleResets_;
    }
    std::string LocaleInfo(uint32_t localeId, LocaleItem item) override;
    bool EastAsian() override { return eastAsian_; }
    std::vector<ByteRange> Cp932LeadByteRanges() override { return {{0x81, 0x9F}, {0xE0, 0xFC}}; }
    std::optional<std::string> AltCalendarDate(uint32_t localeId, int year, int month, int day,
                                               std::string_view picture) override;
    // ASCII letters only: the fixed tables hold no other cased letters.
    bool EqualIgnoringCase(std::string_view a, std::string_view b) override;
    // ASCII case only, and only at the start of a character of the text.
    std::optional<TextSpan> FindIgnoringForms(std::u16string_view text,
                                              std::u16string_view word) override;
    std::optional<std::string> Utf8OfCp932(std::string_view cp932) override;
    std::optional<std::string> Cp932OfUtf8(std::string_view utf8) override;
    std::optional<std::string> Cp932OfUtf16(std::u16string_view text) override;
    std::u16string Utf16OfCp932(std::string_view cp932) override;

    void SetNow(const LocalTime& now) { now_ = now; }
    // Minutes the local clock is ahead of UTC (540 in Japan); 0 at first.
    void SetUtcOffsetMinutes(int minutes) { utcOffsetMinutes_ = minutes; }
    void SetUptimeMilliseconds(uint64_t uptime) { uptime_ = uptime; }
    void SetGuidSpace(uint32_t space) { guidSpace_ = space; }
    // Changes one item, as a user would in the system's regional settings.
    void SetLocaleInfo(LocaleItem item, std::string text) { items_[item] = std::move(text); }
    int ThreadLocaleResets() const { return threadLocaleResets_; }
    // Another thread locale (0 for none) over the same tables; the user's default stays.
    void SetThreadLocale(uint32_t localeId) { localeId_ = localeId; }
    // Answers the alternate calendar as Wine does, which knows no Japanese emperor eras:
    // the Gregorian era "西暦" (once per "g" of the picture) and the Gregorian year.
    void AnswerGregorianEras() { gregorianEras_ = true; }

private:
    uint32_t userDefaultLocaleId_;
    uint32_t localeId_;
    bool eastAsian_;
    bool gregorianEras_ = false;
    std::map<LocaleItem, std::string> items_;
    LocalTime now_{2026, 12, 1, 7, 9, 0, 0, 0};
    uint64_t uptime_ = 0;
    int utcOffsetMinutes_ = 0;
    uint64_t guids_ = 0;
    uint32_t guidSpace_ = 0;
    int threadLocaleResets_ = 0;
};

} // namespace petarino::platform
