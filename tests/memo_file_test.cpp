// Memo files and the sync folder's header: the exact bytes, the round trip, and every file
// the engine must leave alone, wait for a newer Petarino for, or report as broken.
#include "memos/sync_mark.h"
#include "platform/fake/fake_kernel.h"
#include "registry_value_printer.h"
#include "sync/memo_file.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace petarino::sync {
namespace {

using namespace std::string_literals;
using platform::RegistryType;
using Json = nlohmann::ordered_json;

constexpr char kId[] = "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b";
constexpr char kDeviceA[] = "0a000000-0000-4000-8000-000000000001";
constexpr char kDeviceB[] = "0b000000-0000-4000-8000-000000000002";

// The file is UTF-8, where the test's own literals are code page 932.
std::string Utf8(std::u8string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

MemoFile Plain() {
    return {.id = kId,
            .versions = {{kDeviceA, 3}, {kDeviceB, 1}},
            .device = kDeviceB,
            .updated = "2026-12-08T12:34:56Z",
            .values = {{"Text", platform::WrittenText("買い物\r\n牛乳")},
                       {"Top", platform::DwordValue(-20)},
                       {"Title", platform::WrittenText("メモ")}}};
}

TEST(MemoFileTest, IsWrittenInTheOrderOfItsFieldsAsABackupWritesValues) {
    platform::FakeKernel kernel;
    const std::string text = MemoFileText(Plain(), kernel);
    EXPECT_EQ(text, Utf8(u8R"({
	"format": "petarino-memo",
	"version": 1,
	"id": "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b",
	"versions": {
		"0a000000-0000-4000-8000-000000000001": 3,
		"0b000000-0000-4000-8000-000000000002": 1
	},
	"device": "0b000000-0000-4000-8000-000000000002",
	"updated": "2026-12-08T12:34:56Z",
	"deleted": false,
	"values": [
		{
			"name": "Text",
			"type": 1,
			"text": "買い物\r\n牛乳"
		},
		{
			"name": "Top",
			"type": 4,
			"dword": -20
		},
		{
			"name": "Title",
			"type": 1,
			"text": "メモ"
		}
	]
}
)"));
}

TEST(MemoFileTest, EveryKindOfMemoComesBackAsItWasWrittenAndTheSameMemoGivesTheSameBytes) {
    platform::FakeKernel kernel;
    MemoFile tombstone = Plain();
    tombstone.deleted = true;
    tombstone.values.clear();
    MemoFile odd = Plain();
    odd.values = {{"Bytes", {RegistryType::Binary, "\0\xff\x81\x5c"s}},
                  {"Lone", platform::SzValue("\x81")}, // no text of code page 932: base64
                  {"\x81\x5c\x82", platform::DwordValue(1)},
                  {"Short", {RegistryType::Dword, "\x01\x02"s}},
                  {"Empty", {RegistryType::None, ""}}};
    MemoFile big = Plain();
    big.versions[kDeviceA] = std::uint64_t{1} << 53;
    // Counted past its content, after outliving a deletion.
    MemoFile resolved = Plain();
    resolved.written = {{kDeviceA, 2}};
    resolved.removed = {{kDeviceB, 1}};
    for (const MemoFile& memo : {Plain(), tombstone, odd, big, resolved}) {
        const std::string text = MemoFileText(memo, kernel);
        EXPECT_EQ(MemoFileText(memo, kernel), text);
        const MemoFileRead read = ReadMemoFile(text, kernel);
        ASSERT_EQ(read.kind, MemoFileKind::Memo) << read.reason << "\n" << text;
        // A file holds a text without the NUL that ends it in the registry, which reading
        // gives every text back.
        MemoFile terminated = memo;
        for (auto& value : terminated.values)
            if (value.value.type == RegistryType::Sz)
                value.value = {RegistryType::Sz,
                               platform::TerminatedText(std::string_view(value.value.data))};
        EXPECT_EQ(read.memo, terminated) << text;
        EXPECT_EQ(text.find("\\u0000"), std::string::npos) << text;
    }
    EXPECT_NE(MemoFileText(odd, kernel).find("\"nameBase64\": \"gVyC\""), std::string::npos);
    // Counters beyond the versions say nothing of them.
    MemoFile beyond = Plain();
    beyond.written = beyond.removed = {{kDeviceA, 4}};
    const MemoFile read = ReadMemoFile(MemoFileText(beyond, kernel), kernel).memo;
    EXPECT_TRUE(read.written.empty() && read.removed.empty());
}

TEST(MemoFileTest, OtherFilesAreLeftAloneNewerOnesWaitAndBrokenOnesSayWhatIsWrong) {
    platform::FakeKernel kernel;
    const Json good = Json::parse(MemoFileText(Plain(), kernel));
    const auto edited = [&](const std::function<void(Json&)>& edit) {
        Json json = good;
        edit(json);
        return json.dump();
    };
    const auto value = [](Json& j, std::string_view name) -> Json& {
        for (Json& v : j["values"])
            if (v["name"] == std::string(name)) return v;
        throw std::logic_error("no such value");
    };
    struct Case {
        std::string bytes;
        MemoFileKind kind;
        std::string reason;
    };
    using enum MemoFileKind;
    const std::vector<Case> cases{
        {"", NotMemoFile, ""},
        {"memo text", NotMemoFile, ""},
        {MemoFileText(Plain(), kernel).substr(0, 100), NotMemoFile, ""},
        {"[1, 2]", NotMemoFile, ""},
        {R"({"format": "petarino-backup", "version": 1})", NotMemoFile, ""},
        {edited([](Json& j) { j.erase("format"); }), NotMemoFile, ""},
        {edited([](Json& j) { j["version"] = 2; }), Newer,
         "このペタリノより新しい版のメモです（版 2）"},
        {edited([](Json& j) { j["version"] = "1"; }), Malformed,
         "形式が正しくありません（version）"},
        {edited([](Json& j) { j["version"] = 0; }), Malformed, "形式が正しくありません（version）"},
        {edited([](Json& j) { j.erase("id"); }), Malformed, "形式が正しくありません（id）"},
        {edited([](Json& j) { j["id"] = "6F1C2A3B-4D5E-4F60-8A7B-9C0D1E2F3A4B"; }), Malformed,
         "形式が正しくありません（id）"},
        {edited([](Json& j) { j["versions"] = Json::object(); }), Malformed,
         "形式が正しくありません（versions）"},
        {edited([](Json& j) {
             j["versions"] = {{kDeviceA, 0}};
         }),
         Malformed, "形式が正しくありません（versions）"},
        {edited([](Json& j) { j["versions"][kDeviceA] = -1; }), Malformed,
         "形式が正しくありません（versions）"},
        {edited([](Json& j) { j["versions"][kDeviceA] = (std::uint64_t{1} << 53) + 1; }), Malformed,
         "形式が正しくありません（versions）"},
        {edited([](Json& j) { j["versions"]["pc"] = 1; }), Malformed,
         "形式が正しくありません（versions）"},
        {edited([](Json& j) {
             j["versions"] = VersionsText({{kDeviceA, 1}});
         }),
         Malformed, "形式が正しくありません（versions）"},
        {edited([](Json& j) { j["device"] = 7; }), Malformed, "形式が正しくありません（device）"},
        {edited([](Json& j) { j["device"] = "pc"; }), Malformed,
         "形式が正しくありません（device）"},
        {edited([](Json& j) { j["updated"] = "2026-12-08 12:34:56"; }), Malformed,
         "形式が正しくありません（updated）"},
        {edited([](Json& j) { j["updated"] = "2026-13-08T12:34:56Z"; }), Malformed,
         "形式が正しくありません（updated）"},
        {edited([](Json& j) { j["updated"] = "2026-12-08T24:00:00Z"; }), Malformed,
         "形式が正しくありません（updated）"},
        {edited([](Json& j) { j["deleted"] = 0; }), Malformed, "形式が正しくありません（deleted）"},
        {edited([](Json& j) { j.erase("values"); }), Malformed, "形式が正しくありません（values）"},
        {edited([&](Json& j) { value(j, "Top")["text"] = "top"; }), Malformed,
         "形式が正しくありません（values）"},
        {edited([&](Json& j) { value(j, "Title")["name"] = "TEXT"; }), Malformed,
         "形式が正しくありません（name）"},
        {edited([&](Json& j) { value(j, "Title")["name"] = "SyncVersions"; }), Malformed,
         "形式が正しくありません（values）"},
    };
    for (const Case& c : cases) {
        const MemoFileRead read = ReadMemoFile(c.bytes, kernel);
        EXPECT_EQ(read.kind, c.kind) << c.bytes;
        EXPECT_EQ(read.reason, c.reason) << c.bytes;
    }
}

TEST(MemoFileTest, TheFolderHeaderNamesTheFolderOnlyWhenItIsOneOfThisVersion) {
    EXPECT_EQ(FolderHeaderText(kId), R"({
	"format": "petarino-sync",
	"version": 1,
	"folder": "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b"
}
)");
    EXPECT_EQ(ReadFolderHeader(FolderHeaderText(kId)), kId);
    for (const std::string& bytes :
         {""s, "{}"s, FolderHeaderText("folder"), FolderHeaderText(""),
          R"({"format": "petarino-sync", "version": 2, "folder": ")" + std::string(kId) + "\"}",
          R"({"format": "petarino-sync", "version": 1, "folder": 5})"s,
          R"({"format": "petarino-memo", "version": 1, "folder": ")" + std::string(kId) + "\"}"})
        EXPECT_EQ(ReadFolderHeader(bytes), std::nullopt) << bytes;
}

TEST(MemoFileTest, TimesAreWrittenInUtcToTheSecond) {
    EXPECT_EQ(UpdatedText({.year = 2026,
                           .month = 12,
                           .day = 8,
                           .hour = 1,
                           .minute = 2,
                           .second = 3,
                           .milliseconds = 999}),
              "2026-12-08T01:02:03Z");
}

TEST(MemoFileTest, SyncIdsAreLowerCaseGuids) {
    EXPECT_TRUE(IsSyncId(kId));
    for (const std::string_view bad :
         {"", "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4", "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4bc",
          "6F1C2A3B-4D5E-4F60-8A7B-9C0D1E2F3A4B", "6f1c2a3b4d5e-4f60-8a7b-9c0d1e2f3a4b-",
          "{6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a}", "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4g"})
        EXPECT_FALSE(IsSyncId(bad)) << bad;
}

} // namespace
} // namespace petarino::sync
