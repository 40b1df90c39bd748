// The formatter over any format and any value: first byte the system, next eight the
// value's bits, the rest the format.
#include "macro/date_time_format.h"
#include "platform/fake/fake_kernel.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using petarino::platform::FakeKernel;
using petarino::platform::FakeLocale;

struct System {
    explicit System(FakeLocale which, bool gregorianEras = false) : kernel(which) {
        if (gregorianEras) kernel.AnswerGregorianEras();
        locale = petarino::LoadFormatLocale(kernel);
        petarino::ReplaceShortDayNames(locale.settings);
    }
    FakeKernel kernel;
    petarino::FormatLocale locale;
};

System& Pick(uint8_t choice) {
    static System japanese(FakeLocale::Japanese);
    static System japaneseOnWine(FakeLocale::Japanese, true);
    static System english(FakeLocale::English);
    switch (choice % 3) {
    case 0: return japanese;
    case 1: return japaneseOnWine;
    default: return english;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    System& system = Pick(data[0]);
    double value = 0;
    std::memcpy(&value, data + 1, sizeof value);
    const std::string_view format(reinterpret_cast<const char*>(data + 9), size - 9);

    petarino::EraCalendar eras(system.kernel, system.locale.identity);
    const std::string text = petarino::FormatDateTime(format, value, {system.locale, eras});
    if (text.size() > petarino::kFormattedMaxBytes) std::abort();
    return 0;
}
