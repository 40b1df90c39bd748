// The kernel services over the real system. The W functions are called and their texts
// converted with code page 932, so the core gets CP932 on any Windows.
#pragma once

#include "platform/kernel.h"

namespace petarino::win32 {

class KernelWin32 final : public platform::Kernel {
public:
    platform::LocalTime Now() override;
    platform::LocalTime UtcNow() override;
    uint64_t UptimeMilliseconds() override;
    std::string NewGuid() override;

    uint32_t ThreadLocale() override;
    void SetThreadLocaleToUserDefault() override;
    std::string LocaleInfo(uint32_t localeId, platform::LocaleItem item) override;
    bool EastAsian() override;
    std::vector<platform::ByteRange> Cp932LeadByteRanges() override;
    std::optional<std::string> AltCalendarDate(uint32_t localeId, int year, int month, int day,
                                               std::string_view picture) override;
    bool EqualIgnoringCase(std::string_view a, std::string_view b) override;
    std::optional<platform::TextSpan> FindIgnoringForms(std::u16string_view text,
                                                        std::u16string_view word) override;
    std::optional<std::string> Utf8OfCp932(std::string_view cp932) override;
    std::optional<std::string> Cp932OfUtf8(std::string_view utf8) override;
    std::optional<std::string> Cp932OfUtf16(std::u16string_view text) override;
    std::u16string Utf16OfCp932(std::string_view cp932) override;
};

} // namespace petarino::win32
