#include "session.h"

#include "text_encoding.h"

#include <cstdio>
#include <ctime>

namespace petarino::tool {
namespace {

platform::LocalTime RealLocalTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return {local.tm_year + 1900, local.tm_mon + 1,
            local.tm_wday,        local.tm_mday,
            local.tm_hour,        local.tm_min,
            local.tm_sec,         static_cast<int>(now.tv_nsec / 1'000'000)};
}

} // namespace

Session::Session(const SessionOptions& options)
    : options_(options), world_(options.locale, options.at ? *options.at : RealLocalTime()) {
    world_.kernel.SetUptimeMilliseconds(options.uptimeSeconds * 1000);
}

std::string Session::Input(std::string_view argument) const {
    return options_.cp932 ? std::string(argument) : Utf8ToCp932(argument);
}

void Session::PrintLine(std::string_view cp932, std::FILE* stream) const {
    const std::string text = (options_.cp932 ? std::string(cp932) : Cp932ToUtf8(cp932)) + '\n';
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace petarino::tool
