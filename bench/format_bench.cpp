// FormatDateTime against glibc's strftime with equivalent formats, ja-JP fake locale.
#include "macro/date_time_format.h"
#include "platform/fake/fake_kernel.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>

namespace {

using namespace petarino;

class JapaneseProgram {
public:
    JapaneseProgram()
        : kernel_(platform::FakeLocale::Japanese), locale_(LoadFormatLocale(kernel_)),
          eras_(kernel_, locale_.identity) {
        ReplaceShortDayNames(locale_.settings);
    }
    FormatContext Context() { return {locale_, eras_}; }

private:
    platform::FakeKernel kernel_;
    FormatLocale locale_;
    EraCalendar eras_;
};

const DateTime kValue = EncodeDateTime({1997, 3, 9}, {14, 5, 7, 0});

void FormatDateTimeBench(benchmark::State& state, const char* format) {
    JapaneseProgram program;
    const FormatContext context = program.Context();
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatDateTime(format, kValue, context));
}

// As the "N" macro formats: into a buffer of the caller's, kept from call to call.
void AppendDateTimeBench(benchmark::State& state, const char* format) {
    JapaneseProgram program;
    const FormatContext context = program.Context();
    std::string out;
    for (auto _ : state) {
        out.clear();
        AppendDateTime(out, format, kValue, context);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

// The yardstick: its broken-down time is ready and it writes into the caller's buffer.
void StrftimeBench(benchmark::State& state, const char* format) {
    std::tm time{};
    time.tm_year = 97;
    time.tm_mon = 2;
    time.tm_mday = 9;
    time.tm_hour = 14;
    time.tm_min = 5;
    time.tm_sec = 7;
    time.tm_wday = 0;
    char buffer[256];
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::strftime(buffer, sizeof buffer, format, &time));
        benchmark::ClobberMemory();
    }
}

// strftime doing all that FormatDateTime does: from a day count to a string of its own.
void StrftimeFromValueBench(benchmark::State& state, const char* format) {
    constexpr double kUnixEpochDay = 25569;
    for (auto _ : state) {
        DateTime value = kValue;
        benchmark::DoNotOptimize(value);
        const auto seconds =
            static_cast<std::time_t>(std::llround((value - kUnixEpochDay) * 86400));
        std::tm time{};
        gmtime_r(&seconds, &time);
        char buffer[256];
        benchmark::DoNotOptimize(
            std::string(buffer, std::strftime(buffer, sizeof buffer, format, &time)));
    }
}

constexpr const char* kNumeric = "yyyy/mm/dd hh:nn:ss";
constexpr const char* kNumericStrftime = "%Y/%m/%d %H:%M:%S";
constexpr const char* kEraAndNames = "ggge'年'm'月'd'日'(aaa) ampm h:nn";
// No era in strftime: the year stands in for it.
constexpr const char* kEraAndNamesStrftime = "%Y年%m月%d日(%a) %p %I:%M";

BENCHMARK_CAPTURE(FormatDateTimeBench, numeric, kNumeric);
BENCHMARK_CAPTURE(AppendDateTimeBench, numeric, kNumeric);
BENCHMARK_CAPTURE(StrftimeBench, numeric, kNumericStrftime);
BENCHMARK_CAPTURE(StrftimeFromValueBench, numeric, kNumericStrftime);
BENCHMARK_CAPTURE(FormatDateTimeBench, era_and_names, kEraAndNames);
BENCHMARK_CAPTURE(AppendDateTimeBench, era_and_names, kEraAndNames);
BENCHMARK_CAPTURE(StrftimeBench, era_and_names, kEraAndNamesStrftime);
BENCHMARK_CAPTURE(StrftimeFromValueBench, era_and_names, kEraAndNamesStrftime);

} // namespace
