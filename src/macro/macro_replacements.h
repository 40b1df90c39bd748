// The replacement of each macro letter: "N" the date and time, "A"/"S" day counts,
// "I" the uptime, "T" the running time, "L" the launch count.
#pragma once

#include "macro/date_time_format.h"
#include "macro/macro_expansion.h"
#include "macro/macro_host.h"
#include "platform/kernel.h"

namespace petarino {

struct MacroServices {
    platform::Kernel& kernel;
    const FormatLocale& locale;
    EraCalendar& eras;
};

class MacroReplacements final : public MacroReplacer {
public:
    MacroReplacements(const MacroServices& services, const MacroHost& host)
        : services_(services), host_(host) {}

    // Throws EConvertError for a date that does not parse.
    void Replace(char letter, std::string_view argument, std::string& out) override;

private:
    int32_t DaysUntil(std::string_view date);

    const MacroServices& services_;
    const MacroHost& host_;
};

} // namespace petarino
