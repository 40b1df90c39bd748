// A macro memo with any source, expanded on a fixed clock: it shows a text, "Error." or
// reports a date error, always within the expansion's bounds, and never crashes or hangs.
#include "macro_memos/macro_expander.h"
#include "macro/running_time_text.h"
#include "testing/fake_macro_host.h"
#include "testing/in_memory_memo.h"
#include "testing/macro_world.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

using namespace petarino;

// Lives for the whole run, as the fuzzer calls in again and again.
MacroWorld& Fixed(platform::FakeLocale which) {
    auto* world = new MacroWorld(
        which, {.year = 2026, .month = 12, .dayOfWeek = 1, .day = 7, .hour = 14, .minute = 5});
    world->kernel.SetUptimeMilliseconds(uint64_t{40} * 24 * 3600 * 1000);
    return *world;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static MacroWorld& japanese = Fixed(platform::FakeLocale::Japanese);
    static MacroWorld& english = Fixed(platform::FakeLocale::English);
    MacroWorld& world = data[0] % 2 == 0 ? japanese : english;

    platform::FakeWindowSystem windows;
    MacroExpander expander(world.services, windows);
    FakeMacroHost host;
    host.caption = RunningTimeText(100'000);
    host.exec = 12;
    InMemoryMemo memo;
    memo.SetMacroText(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    memo.SetReadOnly(true);
    expander.ExpandMacros(memo, host);

    const bool reported = !windows.Shown().empty();
    if (reported == host.timerRunning || memo.Text().size() > kMaxExpandedBytes) __builtin_trap();
    if (reported && !memo.Text().empty()) __builtin_trap(); // a new memo keeps its empty text
    return 0;
}
