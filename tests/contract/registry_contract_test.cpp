#include "contract/registry_contract.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

namespace petarino::platform {
namespace {

using namespace std::string_literals;

const std::string kWrongWidth = "'Width' のﾃﾞｰﾀ型が不正です";
const std::string kUnreadableWidth = "'Width' の取得に失敗しました";

template <typename Call> void ExpectRegistryError(Call call, const std::string& message) {
    try {
        call();
        ADD_FAILURE() << "no error; expected " << message;
    } catch (const ERegistryException& error) {
        EXPECT_EQ(error.what(), message);
    }
}

// A function rather than braces: g++ 12 misjudges nested braces around strings as uninitialised.
RegistryValue Value(RegistryType type, std::string data) {
    return {type, std::move(data)};
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

class RegistryContract : public testing::Test {
protected:
    static std::string Below(std::string_view path) { return std::string(kContractKey) += path; }
    void Seed(std::string_view name, const RegistryValue& value) {
        subject_->Seed(kContractKey, name, value);
    }
    std::optional<RegistryValue> Stored(std::string_view name) {
        return subject_->Stored(kContractKey, name);
    }
    void OpenTestKey() { ASSERT_TRUE(access_->OpenKey(kContractKey, true)); }

    std::unique_ptr<RegistryContractSubject> subject_ = MakeRegistryContractSubject();
    std::unique_ptr<RegistryAccess> access_ = subject_->registry().Access();
};

TEST_F(RegistryContract, OpenWithCreateMakesEveryMissingKeyOnTheWay) {
    ASSERT_TRUE(access_->OpenKey(Below("\\Memo0\\Deep"), true));
    EXPECT_TRUE(subject_->KeyExists(Below("\\Memo0")));
    access_->WriteInteger("Top", 7);
    EXPECT_EQ(subject_->Stored(Below("\\Memo0\\Deep"), "Top"), DwordValue(7));
    EXPECT_TRUE(access_->OpenKey(Below("\\Memo0\\Deep"), false));
    EXPECT_EQ(access_->ReadInteger("Top"), 7);
}

TEST_F(RegistryContract, AFailedOpenCreatesNothingAndKeepsTheOpenKey) {
    OpenTestKey();
    EXPECT_FALSE(access_->OpenKey(Below("\\Memo3"), false));
    EXPECT_FALSE(subject_->KeyExists(Below("\\Memo3")));
    access_->WriteInteger("Left", 3);
    EXPECT_EQ(Stored("Left"), DwordValue(3));
}

TEST_F(RegistryContract, WithoutAnOpenKeyWritesAndReadsFailWithTheirMessages) {
    Seed("Top", DwordValue(1));
    EXPECT_FALSE(access_->OpenKey(Below("\\Missing"), false));
    ExpectRegistryError([&] { access_->WriteInteger("Top", 1); }, "'Top' の設定に失敗しました");
    ExpectRegistryError([&] { access_->WriteBool("Visible", true); },
                        "'Visible' の設定に失敗しました");
    ExpectRegistryError([&] { access_->WriteString("Text", "x"); }, "'Text' の設定に失敗しました");

    OpenTestKey();
    access_->CloseKey();
    EXPECT_FALSE(access_->ValueExists("Top"));
    ExpectRegistryError([&] { access_->ReadInteger("Top"); }, "'Top' の取得に失敗しました");
    ExpectRegistryError([&] { access_->ReadString("Title"); }, "'Title' の取得に失敗しました");
    ExpectRegistryError([&] { access_->WriteInteger("Top", 1); }, "'Top' の設定に失敗しました");
    EXPECT_EQ(Stored("Top"), DwordValue(1));
}

TEST_F(RegistryContract, EveryAccessObjectStartsWithNoKeyOpen) {
    OpenTestKey();
    access_->WriteString("Title", "メモ");
    EXPECT_TRUE(access_->Flush());
    access_ = subject_->registry().Access();
    EXPECT_FALSE(access_->ValueExists("Title"));
    OpenTestKey();
    EXPECT_EQ(access_->ReadString("Title"), "メモ");
}

TEST_F(RegistryContract, AValueExistsWhateverItsTypeAndLength) {
    Seed("Empty", Value(RegistryType::Binary, ""));
    Seed("Title", SzValue("x"));
    Seed("MaxForm", DwordValue(-1));
    OpenTestKey();
    EXPECT_TRUE(access_->ValueExists("Empty"));
    EXPECT_TRUE(access_->ValueExists("Title"));
    EXPECT_TRUE(access_->ValueExists("MaxForm"));
    EXPECT_FALSE(access_->ValueExists("Total"));
}

// The load finds and reads a value in one call: absence is no error, a value that is there
// is judged as the reads judge it.
TEST_F(RegistryContract, FindTellsAnAbsentValueFromOneThatCannotBeRead) {
    Seed("Top", DwordValue(-5));
    Seed("Title", SzValue("メモ\0"s));
    Seed("Empty", Value(RegistryType::Binary, ""));
    Seed("Width", SzValue("幅"));
    Seed("Text", Value(RegistryType::Binary, "12345"));
    EXPECT_EQ(access_->FindInteger("Top"), std::nullopt) << "no key open";
    EXPECT_EQ(access_->FindString("Title"), std::nullopt) << "no key open";
    OpenTestKey();
    EXPECT_EQ(access_->FindInteger("Left"), std::nullopt);
    EXPECT_EQ(access_->FindBool("Visible"), std::nullopt);
    EXPECT_EQ(access_->FindString("FontName"), std::nullopt);
    EXPECT_EQ(access_->FindInteger("top"), -5);
    EXPECT_EQ(access_->FindBool("Top"), true);
    EXPECT_EQ(access_->FindString("TITLE"), "メモ");
    EXPECT_EQ(access_->FindString("Empty"), "");
    ExpectRegistryError([&] { access_->FindInteger("Empty"); }, "'Empty' のﾃﾞｰﾀ型が不正です");
    ExpectRegistryError([&] { access_->FindInteger("Width"); }, kWrongWidth);
    ExpectRegistryError([&] { access_->FindInteger("Text"); }, "'Text' の取得に失敗しました");
    ExpectRegistryError([&] { access_->FindString("Text"); }, "'Text' のﾃﾞｰﾀ型が不正です");
}

TEST_F(RegistryContract, NamesIgnoreTheCaseOfLettersButNotOfTrailBytes) {
    OpenTestKey();
    access_->WriteInteger("MaxForm", 1);
    EXPECT_TRUE(access_->ValueExists("MAXFORM"));
    access_->WriteInteger("ア", 1); // 83 41
    access_->WriteInteger("ヂ", 2); // 83 61
    EXPECT_EQ(access_->ReadInteger("ア"), 1);
    EXPECT_EQ(access_->ReadInteger("ヂ"), 2);
    ASSERT_TRUE(access_->OpenKey(Below("\\Memo0"), true));
    EXPECT_TRUE(access_->OpenKey(Below("\\MEMO0"), false));
    ASSERT_TRUE(access_->OpenKey(kContractKey, false));
    EXPECT_EQ(access_->SubkeyNames(), std::vector<std::string>{"Memo0"});
}

TEST_F(RegistryContract, IntegersAreStoredAsFourByteDwords) {
    Seed("Top", SzValue("old"));
    OpenTestKey();
    for (const int32_t value :
         {0, 1, -1, 265, INT32_MIN, INT32_MAX, static_cast<int32_t>(0x80000002)}) {
        access_->WriteInteger("Top", value);
        EXPECT_EQ(Stored("Top"), DwordValue(value));
        EXPECT_EQ(access_->ReadInteger("Top"), value);
    }
}

TEST_F(RegistryContract, IntegerReadsJudgeTheSizeBeforeTheType) {
    struct Case {
        RegistryValue value;
        const std::string& message;
    };
    const std::vector<Case> cases{
        {SzValue("1234"), kWrongWidth},
        {SzValue("123\0"s), kWrongWidth},
        {SzValue("1234\0"s), kUnreadableWidth},
        {SzValue("12345"), kUnreadableWidth},
        // Half-width kana are one byte each to the A functions but two in UTF-16.
        {SzValue("ｶﾀｶ\0"s), kWrongWidth},
        {SzValue("ｶﾀｶﾅ\0"s), kUnreadableWidth},
        {SzValue("幅\0"s), kWrongWidth},
        {SzValue("幅幅\0"s), kUnreadableWidth},
        {SzValue(""), kWrongWidth},
        {Value(RegistryType::ExpandSz, "12"), kWrongWidth},
        {Value(RegistryType::Binary, "\1\2\3\4"), kWrongWidth},
        {Value(RegistryType::Binary, "\1\2\3\4\5"), kUnreadableWidth},
        {Value(RegistryType::DwordBigEndian, "\0\0\0\1"s), kWrongWidth},
        {Value(RegistryType::Qword, "\1\0\0\0\0\0\0\0"s), kUnreadableWidth},
    };
    OpenTestKey();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.value.data));
        Seed("Width", c.value);
        ExpectRegistryError([&] { access_->ReadInteger("Width"); }, c.message);
    }
    access_->DeleteValue("Width");
    ExpectRegistryError([&] { access_->ReadInteger("Width"); }, kUnreadableWidth);
}

TEST_F(RegistryContract, ShortDwordsReadWithTheMissingBytesZero) {
    Seed("Left", Value(RegistryType::Dword, "\x05"));
    Seed("Top", Value(RegistryType::Dword, "\x01\x02"));
    Seed("Height", Value(RegistryType::Dword, ""));
    OpenTestKey();
    EXPECT_EQ(access_->ReadInteger("Left"), 5);
    EXPECT_EQ(access_->ReadInteger("Top"), 0x0201);
    EXPECT_EQ(access_->ReadInteger("Height"), 0);
}

TEST_F(RegistryContract, BooleansAreDwordsAndAnyNonZeroIsTrue) {
    OpenTestKey();
    for (const int32_t stored : {5, -1, 1}) {
        Seed("Saving", DwordValue(stored));
        EXPECT_TRUE(access_->ReadBool("Saving")) << stored;
    }
    Seed("Saving", DwordValue(0));
    EXPECT_FALSE(access_->ReadBool("Saving"));
    access_->WriteBool("Saving", true);
    EXPECT_EQ(Stored("Saving"), DwordValue(1));
    access_->WriteBool("cbText", false);
    EXPECT_EQ(Stored("cbText"), DwordValue(0));
    Seed("Visible", SzValue("1"));
    ExpectRegistryError([&] { access_->ReadBool("Visible"); }, "'Visible' のﾃﾞｰﾀ型が不正です");
}

TEST_F(RegistryContract, StringsAreStoredWithTheirTerminatingNul) {
    const std::string text = "ペタリノ\r\nｶﾀｶﾅ 表示 N#{yyyy#}";
    OpenTestKey();
    access_->WriteString("Text", text);
    EXPECT_EQ(Stored("Text"), SzValue(text + '\0'));
    EXPECT_EQ(access_->ReadString("Text"), text);
    access_->WriteString("Title", "");
    EXPECT_EQ(Stored("Title"), Value(RegistryType::Sz, ""));
    EXPECT_EQ(access_->ReadString("Title"), "");
    access_->WriteString("Text", "a\0b"s);
    EXPECT_EQ(Stored("Text"), SzValue("a\0b\0"s));
    EXPECT_EQ(access_->ReadString("Text"), "a");
}

TEST_F(RegistryContract, StringReadsEndAtTheFirstNulAndTakeBothKindsOfString) {
    struct Case {
        RegistryValue value;
        std::string text;
    };
    const std::vector<Case> cases{
        {SzValue("abc\0"s), "abc"},
        {SzValue("ab\0cd\0"s), "ab"},
        {SzValue("表示"), "表示"},
        {Value(RegistryType::ExpandSz, "%TEMP%\\memo\0"s), "%TEMP%\\memo"},
        {SzValue(""), ""},
        {Value(RegistryType::Binary, ""), ""},
        {Value(RegistryType::Dword, ""), ""},
        {Value(RegistryType::MultiSz, ""), ""},
    };
    OpenTestKey();
    for (const auto& c : cases) {
        Seed("Text", c.value);
        EXPECT_EQ(access_->ReadString("Text"), c.text) << testing::PrintToString(c.value.data);
    }
    for (const RegistryValue& value : {DwordValue(0), Value(RegistryType::Binary, "x"),
                                       Value(RegistryType::MultiSz, "a\0b\0\0"s)}) {
        Seed("Text", value);
        ExpectRegistryError([&] { access_->ReadString("Text"); }, "'Text' のﾃﾞｰﾀ型が不正です");
    }
    access_->DeleteValue("Text");
    ExpectRegistryError([&] { access_->ReadString("Text"); }, "'Text' の取得に失敗しました");
}

// A path may hold what code page 932 cannot: a user name in Chinese characters. A wide
// string keeps it exactly, and the CP932 reads see it as the A functions do.
TEST_F(RegistryContract, WideStringsKeepWhatCodePage932CannotHold) {
    struct Case {
        std::u16string text;
        std::string cp932; // as stored: its NUL counted in
        bool lost = false; // so the value keeps its wide form beside
    };
    const std::vector<Case> cases{
        {u"C:\\Users\\张伟\\同步", "C:\\Users\\??\\同?\0"s, true},
        {u"中文と汉字", "中文と?字\0"s, true},
        {u"ﾊﾝｶｸ", "ﾊﾝｶｸ\0"s},
        {u"a\0b"s, "a\0b\0"s},
        {u"", ""},
    };
    OpenTestKey();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cp932);
        access_->WriteWideString("Folder", c.text);
        RegistryValue value = SzValue(c.cp932);
        EXPECT_EQ(Stored("Folder").value().data, c.cp932) << "as the A functions see it";
        if (c.lost) value.wide = c.text + u'\0';
        EXPECT_EQ(access_->FindValue("Folder"), value);
        EXPECT_EQ(access_->FindString("Folder"), c.cp932.substr(0, c.cp932.find('\0')));
        EXPECT_EQ(subject_->registry().Access()->FindWideString("Folder"), std::nullopt)
            << "no key open";
        EXPECT_EQ(access_->FindWideString("Folder"), c.text.substr(0, c.text.find(u'\0')));
    }

    // Texts written otherwise come back widened, judged as the CP932 reads judge them.
    access_->WriteString("Title", "同期 ﾒﾓ");
    EXPECT_EQ(access_->FindWideString("Title"), u"同期 ﾒﾓ");
    Seed("Expand", Value(RegistryType::ExpandSz, "%TEMP%\\表\0"s));
    EXPECT_EQ(access_->FindWideString("Expand"), u"%TEMP%\\表");
    Seed("Empty", Value(RegistryType::Binary, ""));
    EXPECT_EQ(access_->FindWideString("Empty"), u"");
    EXPECT_EQ(access_->FindWideString("Absent"), std::nullopt);
    Seed("Width", DwordValue(1));
    ExpectRegistryError([&] { access_->FindWideString("Width"); }, kWrongWidth);
    Seed("Width", Value(RegistryType::MultiSz, "a\0\0"s));
    ExpectRegistryError([&] { access_->FindWideString("Width"); }, kWrongWidth);

    access_->WriteInteger("Folder", 1);
    ExpectRegistryError([&] { access_->FindWideString("Folder"); }, "'Folder' のﾃﾞｰﾀ型が不正です");
    access_->CloseKey();
    ExpectRegistryError([&] { access_->WriteWideString("Folder", u"x"); },
                        "'Folder' の設定に失敗しました");
}

TEST_F(RegistryContract, RawValuesGoInAndComeOutByteForByte) {
    const std::vector<RegistryValue> values{
        SzValue("ペタリノ\r\nｶﾀｶﾅ"),
        SzValue("no terminator"),
        SzValue("a\0b\0"s),
        SzValue(""),
        Value(RegistryType::ExpandSz, "%TEMP%\\表\0"s),
        Value(RegistryType::MultiSz, "一\0two\0\0"s),
        DwordValue(-2),
        Value(RegistryType::Dword, "\x01\x02"s),
        Value(RegistryType::Binary, "\0\xff\x81\x5c"s),
        Value(RegistryType::Qword, "\x01\0\0\0\0\0\0\x80"s),
        Value(RegistryType::None, ""),
    };
    OpenTestKey();
    for (const RegistryValue& value : values) {
        access_->WriteValue("Raw", value);
        EXPECT_EQ(Stored("Raw"), value) << testing::PrintToString(value.data);
        EXPECT_EQ(access_->FindValue("Raw"), value) << testing::PrintToString(value.data);
    }
    EXPECT_EQ(access_->FindValue("Absent"), std::nullopt);
    access_->CloseKey();
    ExpectRegistryError([&] { access_->WriteValue("Raw", DwordValue(1)); },
                        "'Raw' の設定に失敗しました");
}

TEST_F(RegistryContract, DeleteKeyTreeRemovesTheKeyAndEverythingBelowIt) {
    subject_->Seed(Below("\\Memo0"), "Top", DwordValue(1));
    subject_->Seed(Below("\\Memo0\\Deep\\Deeper"), "Top", DwordValue(2));
    subject_->Seed(Below("\\Memo1"), "Top", DwordValue(3));
    EXPECT_TRUE(access_->DeleteKeyTree(Below("\\Memo0")));
    EXPECT_FALSE(subject_->KeyExists(Below("\\Memo0")));
    EXPECT_EQ(subject_->Stored(Below("\\Memo1"), "Top"), DwordValue(3));
    EXPECT_FALSE(access_->DeleteKeyTree(Below("\\Memo0")));
    EXPECT_FALSE(access_->DeleteKeyTree("\\"));
    EXPECT_TRUE(access_->DeleteKeyTree(kContractKey));
    EXPECT_FALSE(subject_->KeyExists(kContractKey));
    EXPECT_TRUE(subject_->KeyExists("\\Software"));
}

TEST_F(RegistryContract, AKeyDeletedWhileOpenTakesNoMoreValues) {
    ASSERT_TRUE(access_->OpenKey(Below("\\Memo0"), true));
    access_->WriteInteger("Top", 1);
    EXPECT_TRUE(access_->DeleteKeyTree(kContractKey));
    EXPECT_FALSE(access_->ValueExists("Top"));
    EXPECT_EQ(access_->FindInteger("Top"), std::nullopt);
    ExpectRegistryError([&] { access_->WriteInteger("Top", 1); }, "'Top' の設定に失敗しました");
    EXPECT_FALSE(subject_->KeyExists(Below("\\Memo0")));
    EXPECT_TRUE(access_->OpenKey(Below("\\Memo0"), true));
    access_->WriteInteger("Top", 2);
    EXPECT_EQ(subject_->Stored(Below("\\Memo0"), "Top"), DwordValue(2));
}

TEST_F(RegistryContract, EnumeratesTheNamesInTheOpenKeyOnly) {
    Seed("MaxForm", DwordValue(1));
    Seed("表示", SzValue("x")); // its trail byte is a backslash
    for (const char* memo : {"\\Memo0", "\\Memo1", "\\表示", "\\Memo1\\Deep"})
        subject_->Seed(Below(memo), "Top", DwordValue(0));
    EXPECT_TRUE(access_->ValueNames().empty());
    EXPECT_TRUE(access_->SubkeyNames().empty());
    EXPECT_EQ(access_->Counts(), RegistryAccess::KeyCounts{});
    OpenTestKey();
    EXPECT_EQ(Sorted(access_->ValueNames()), (std::vector<std::string>{"MaxForm", "表示"}));
    EXPECT_EQ(Sorted(access_->SubkeyNames()), (std::vector<std::string>{"Memo0", "Memo1", "表示"}));
    EXPECT_EQ(access_->Counts(), (RegistryAccess::KeyCounts{2, 3}));
    ASSERT_TRUE(access_->OpenKey(Below("\\表示"), false));
    EXPECT_EQ(access_->ValueNames(), std::vector<std::string>{"Top"});
    EXPECT_TRUE(access_->SubkeyNames().empty());
    EXPECT_EQ(access_->Counts(), (RegistryAccess::KeyCounts{1, 0}));
}

TEST_F(RegistryContract, DeleteValueRemovesOnlyThatValue) {
    Seed("Total", DwordValue(1));
    Seed("Alart", DwordValue(1));
    EXPECT_FALSE(access_->DeleteValue("Total"));
    OpenTestKey();
    EXPECT_TRUE(access_->DeleteValue("Total"));
    EXPECT_FALSE(access_->DeleteValue("Total"));
    EXPECT_EQ(Stored("Total"), std::nullopt);
    EXPECT_EQ(Stored("Alart"), DwordValue(1));
}

TEST_F(RegistryContract, TheLockIsTakenAgainByTheSameThreadWithoutWaiting) {
    const auto lock = subject_->registry().Lock(kContractKey);
    const auto again = subject_->registry().Lock(kContractKey);
    ASSERT_NE(lock, nullptr);
    ASSERT_NE(again, nullptr);
    OpenTestKey();
    access_->WriteInteger("Exec", 2);
    EXPECT_EQ(Stored("Exec"), DwordValue(2));
}

} // namespace
} // namespace petarino::platform
