// Texts from outside: the header found before the rest is read and never deeper in, the
// bounds on nesting and size, and hostile texts through both readers that use them.
#include "platform/fake/fake_kernel.h"
#include "store/backup_file.h"
#include "store/json_reading.h"
#include "sync/memo_file.h"

#include <functional>
#include <gtest/gtest.h>

namespace petarino::store {
namespace {

using namespace std::string_literals;

// `item` `count` times, joined by commas.
std::string Repeated(std::string_view item, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text.append(i == 0 ? "" : ",").append(item);
    return text;
}

std::string Nested(int levels) {
    return std::string(static_cast<std::size_t>(levels), '[') +
           std::string(static_cast<std::size_t>(levels), ']');
}

TEST(JsonReadingTest, TheHeaderIsTheTopLevelsFirstFormatAndVersionFoundWithoutReadingFurther) {
    const auto header = [](ReadJson format, ReadJson version) {
        return std::optional(JsonHeader{std::move(format), std::move(version)});
    };
    struct Case {
        std::string text;
        std::optional<JsonHeader> header;
    };
    const std::vector<Case> cases{
        {R"({"format": "a", "version": 1})", header("a", 1)},
        {R"({"version": 1, "x": {}, "format": "a"})", header("a", 1)},
        {R"({"format": "a", "format": "b", "version": 2, "version": 3})", header("a", 2)},
        {R"({"x": {"format": "a", "version": 1}, "y": [{"format": "b"}]})", header({}, {})},
        {R"({"format": {"format": "a"}, "version": [1]})",
         header(ReadJson::object(), ReadJson::array())},
        {R"({"format": null, "version": 1.5})", header(nullptr, 1.5)},
        {R"({"format": "a"})", header("a", {})},
        {R"([{"format": "a", "version": 1}])", header({}, {})},
        {"5", header({}, {})},
        // Once both are found the rest is not read: what is broken there is not seen.
        {R"({"format": "a", "version": 1, broken)", header("a", 1)},
        {R"({"format": "a", broken, "version": 1})", std::nullopt},
        {R"({"format": "a", "x": )" + Nested(100'000) + R"(, "version": 1})", header("a", 1)},
        {"", std::nullopt},
        {"memo text", std::nullopt},
        {R"({"format": "a")", std::nullopt},
        // Past the most values a text holds, the header is no longer looked for.
        {R"({"x": [)" + Repeated("0", kMostJsonValues - 4) + R"(], "format": "a", "version": 1})",
         header("a", 1)},
        {R"({"x": [)" + Repeated("0", kMostJsonValues - 3) + R"(], "format": "a", "version": 1})",
         header("a", {})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScanJsonHeader(c.text), c.header) << c.text.substr(0, 80);
}

TEST(JsonReadingTest, DeepOrVastTextsAreRefusedBeforeTheyAreMade) {
    struct Case {
        std::string text;
        JsonFault fault;
    };
    const std::vector<Case> cases{
        {Nested(kMostJsonLevels), JsonFault::None},
        {Nested(kMostJsonLevels + 1), JsonFault::TooDeep},
        {Nested(100'000), JsonFault::TooDeep},
        {R"({"a": )" + Nested(kMostJsonLevels - 1) + "}", JsonFault::None},
        {R"({"a": {"b": )" + Nested(kMostJsonLevels - 1) + "}}", JsonFault::TooDeep},
        {"[" + Repeated("0", kMostJsonValues - 1) + "]", JsonFault::None},
        {"[" + Repeated("0", kMostJsonValues) + "]", JsonFault::TooMany},
        {"{" + Repeated(R"("a": 0)", kMostJsonValues) + "}", JsonFault::TooMany},
        {"[" + Repeated("0", 10) + "", JsonFault::Broken},
        {"[1] 2", JsonFault::Broken},
        {"", JsonFault::Broken},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseJson(c.text).fault, c.fault) << c.text.substr(0, 80);
    EXPECT_EQ(ParseJson(R"({"a": 1, "a": 2})").json, ReadJson({{"a", 2}}))
        << "a key given twice keeps its last value, as before";
}

constexpr char kBackupHeader[] = R"("format": "petarino-backup", "version": 1, "memos": 0)";
constexpr char kBackupBody[] = R"("programKey": [], "memoKeys": [])";
constexpr char kMemoHeader[] = R"("format": "petarino-memo", "version": 1)";
constexpr char kMemoBody[] = R"("id": "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b",
    "versions": {"0a000000-0000-4000-8000-000000000001": 1},
    "device": "0a000000-0000-4000-8000-000000000001", "updated": "2026-12-08T12:34:56Z",
    "deleted": false, "values": [])";

std::string Object(std::initializer_list<std::string_view> fields) {
    std::string text = "{";
    for (const std::string_view field : fields)
        text.append(text.size() > 1 ? ", " : "").append(field);
    return text + "}";
}

// Each hostile text twice, as a backup and as a memo file, made from the reader's header and
// the rest of its fields, whose lists of values are empty.
TEST(JsonReadingTest, HostileTextsAreTakenOrRefusedForWhatTheyAre) {
    using sync::MemoFileKind;
    struct Case {
        const char* what;
        std::function<std::string(std::string_view header, std::string_view body)> text;
        std::string backupRefusal; // empty: taken
        MemoFileKind memoKind;
        std::string memoReason;
    };
    const std::string manyZeros = "[" + Repeated("0", 100'000) + "]";
    std::string manyValues;
    for (int i = 0; i < 2'000; ++i)
        manyValues.append(i == 0 ? "" : ",")
            .append(R"({"name": "v)" + std::to_string(i) + R"(", "type": 4, "dword": 0})");
    const std::vector<Case> cases{
        {"ours",
         [](auto header, auto body) {
             return Object({header, body});
         },
         "", MemoFileKind::Memo, ""},
        {"the header after a large body",
         [&](auto header, auto body) {
             return Object({R"("x": )" + manyZeros, body, header});
         },
         "", MemoFileKind::Memo, ""},
        {"the header only deeper in",
         [](auto header, auto body) {
             return Object({body, R"("x": )" + Object({header})});
         },
         "ペタリノのバックアップではありません", MemoFileKind::NotMemoFile, ""},
        {"the header in an array",
         [](auto header, auto body) {
             return "[" + Object({header, body}) + "]";
         },
         "ペタリノのバックアップではありません", MemoFileKind::NotMemoFile, ""},
        {"another format first, ours after",
         [](auto header, auto body) {
             return Object({R"("format": "other")", header, body});
         },
         "ペタリノのバックアップではありません", MemoFileKind::NotMemoFile, ""},
        {"ours first, another format after",
         [](auto header, auto body) {
             return Object({header, body, R"("format": "other")"});
         },
         "形式が正しくありません（format）", MemoFileKind::Malformed,
         "形式が正しくありません（format）"},
        {"a second version, newer",
         [](auto header, auto body) {
             return Object({header, body, R"("version": 2)"});
         },
         "形式が正しくありません（format）", MemoFileKind::Malformed,
         "形式が正しくありません（format）"},
        {"newer, broken after the header",
         [](auto header, auto) {
             std::string text = Object({header});
             text.replace(text.find("\"version\": 1") + 11, 1, "2");
             return text.substr(0, text.size() - 1) + ", broken";
         },
         "新しい版", MemoFileKind::Newer, "このペタリノより新しい版のメモです（版 2）"},
        {"ours, broken after the header",
         [](auto header, auto body) {
             return Object({header, body}).substr(0, std::string_view(header).size() + 10);
         },
         "JSON として読めません", MemoFileKind::NotMemoFile, ""},
        {"a version nested deep",
         [](auto header, auto body) {
             std::string text = Object({header, body});
             return text.replace(text.find("\"version\": 1") + 11, 1, Nested(100'000));
         },
         "形式が正しくありません（version）", MemoFileKind::Malformed,
         "形式が正しくありません（version）"},
        {"nested deep in a field of no meaning",
         [](auto header, auto body) {
             return Object({header, body, R"("x": )" + Nested(100'000)});
         },
         "入れ子が深すぎます（32 段まで）", MemoFileKind::Malformed,
         "形式が正しくありません（入れ子が深すぎます）"},
        {"nested deep where values go",
         [](auto header, auto body) {
             std::string text = Object({header, body});
             const std::size_t list = text.find("[]");
             return text.replace(list, 2, "[" + Nested(100'000) + "]");
         },
         "入れ子が深すぎます（32 段まで）", MemoFileKind::Malformed,
         "形式が正しくありません（入れ子が深すぎます）"},
        {"one key over and over",
         [](auto header, auto body) {
             return Object({header, body, Repeated(R"("k": 0)", kMostJsonValues)});
         },
         "値が多すぎます（262144 個まで）", MemoFileKind::Malformed,
         "形式が正しくありません（値が多すぎます）"},
        {"a key flood",
         [](auto header, auto body) {
             std::string keys;
             for (int i = 0; i < kMostJsonValues; ++i)
                 keys.append(i == 0 ? "" : ",").append("\"k" + std::to_string(i) + "\": 0");
             return Object({header, body, keys});
         },
         "値が多すぎます（262144 個まで）", MemoFileKind::Malformed,
         "形式が正しくありません（値が多すぎます）"},
        {"many values, the last named as the first but for its case",
         [&](auto header, auto body) {
             std::string text = Object({header, body});
             const std::size_t list = text.find("[]");
             return text.replace(list, 2,
                                 "[" + manyValues + R"(, {"name": "V0", "type": 4, "dword": 0}])");
         },
         "形式が正しくありません（name）", MemoFileKind::Malformed,
         "形式が正しくありません（name）"},
    };
    platform::FakeKernel kernel;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string backup = c.text(kBackupHeader, kBackupBody);
        try {
            ParseBackup(backup, kernel);
            EXPECT_EQ(c.backupRefusal, "") << "taken";
        } catch (const EBackupRefused& refused) {
            EXPECT_NE(c.backupRefusal, "") << refused.what();
            EXPECT_NE(std::string(refused.what()).find(c.backupRefusal), std::string::npos)
                << refused.what();
        }
        const sync::MemoFileRead memo = sync::ReadMemoFile(c.text(kMemoHeader, kMemoBody), kernel);
        EXPECT_EQ(memo.kind, c.memoKind);
        EXPECT_EQ(memo.reason, c.memoReason);
    }
}

} // namespace
} // namespace petarino::store
