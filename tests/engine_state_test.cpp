// What the sync engine keeps between runs comes back as it was kept; what cannot be kept
// (a bad file, a name outside ASCII) is read again instead; anything unsound is dropped.
#include "sync/engine_state.h"

#include <gtest/gtest.h>

namespace petarino::sync {
namespace {

constexpr char kId[] = "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b";
constexpr char kOther[] = "7f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b";
constexpr char kDevice[] = "0a000000-0000-4000-8000-000000000001";

EngineState Kept() {
    EngineState state;
    state.folderId = "11111111-2222-4333-8444-555555555555";
    state.seen["petarino-sync.json"] = {
        .size = 90, .modified = 7, .kind = SeenKind::Header, .detail = state.folderId};
    state.seen[std::string(kId) + ".json"] = {
        .size = 1500, .modified = 1ull << 62, .kind = SeenKind::Memo, .id = kId, .own = true};
    state.seen["copy.json"] = {.size = 1500, .modified = 9, .kind = SeenKind::Memo, .id = kOther};
    state.seen["desktop.json"] = {.size = 3, .modified = 9, .kind = SeenKind::Foreign};
    state.known[kId] = {{{kDevice, 3}},     kDevice,        "2026-12-09T01:02:03Z", false,
                        "0123456789abcdef", {{kDevice, 2}}, {{kDevice, 1}}};
    state.known[kOther] = {
        {{kDevice, 5}}, kDevice, "2026-12-09T01:02:04Z", true, "fedcba9876543210"};
    // One memo at its file's version, one edited since.
    state.present[kId] = {{kDevice, 3}};
    state.stamps[kId] = {{{kDevice, 3}}, "2026-12-09T01:02:03Z"};
    state.present[kOther] = {{kDevice, 6}};
    state.stamps[kOther] = {{{kDevice, 6}}, "2026-12-10T00:00:00Z"};
    return state;
}

TEST(EngineState, ComesBackAsItWasKept) {
    const EngineState kept = Kept();
    const std::string text = EngineStateText(kept);
    EXPECT_EQ(ParseEngineState(text), kept) << text;
    EXPECT_EQ(EngineStateText(EngineState{}), "");
    EXPECT_EQ(ParseEngineState(""), EngineState{});
}

TEST(EngineState, WhatCannotBeKeptIsReadAgainAndWhatIsUnsoundIsDropped) {
    struct Row {
        const char* what;
        std::function<void(EngineState&)> change; // to what was kept, which the load gives
    };
    const std::vector<Row> rows = {
        {"a bad file",
         [](EngineState& s) { s.seen["bad.json"] = {.kind = SeenKind::Bad, .detail = "壊れ"}; }},
        {"a file that could not be opened",
         [](EngineState& s) { s.seen["held.json"] = {.kind = SeenKind::Memo, .retry = true}; }},
        {"a name outside ASCII",
         [](EngineState& s) { s.seen["\x83\x81\x83\x82.json"] = {.kind = SeenKind::Foreign}; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EngineState state = Kept();
        row.change(state);
        EXPECT_EQ(ParseEngineState(EngineStateText(state)), Kept());
    }
    for (const char* text :
         {"[1]", "{\"known\": {\"x\": {\"versions\": {}}}}",
          "{\"seen\": {\"a.json\": {\"kind\": \"memo\", \"id\": \"x\"}}}",
          "{\"present\": {\"6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b\": 0}}", "not json"})
        EXPECT_EQ(ParseEngineState(text), EngineState{}) << text;
}

} // namespace
} // namespace petarino::sync
