// A memo's text and title hold any Unicode text: one table of texts through the conversions,
// the macro engine, the store, a backup, a memo file and the export at exit.
#include "memos/memo_text_code_page.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "store/backup_file.h"
#include "store/store_layout.h"
#include "store/text_export.h"
#include "sync/memo_file.h"
#include "sync/memo_values.h"
#include "sync/travelling_values.h"
#include "testing/desk_world.h"
#include "testing/memo_texts.h"
#include "text/cp932.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace petarino {
namespace {

struct TextRow {
    const char* what;
    MemoText text;
    bool fitsCp932;
};

MemoText WithLoneSurrogate() {
    return MemoText(u"壊") + static_cast<char16_t>(0xD800) + u"れた";
}

const TextRow kTexts[] = {
    {"ASCII", u"plain text 123", true},
    {"kana", u"ひらがなとカタカナ", true},
    {"half-width kana", u"ﾊﾝｶｸｶﾅ", true},
    {"kanji", u"漢字の文\r\n二行目", true},
    {"NEC extensions", u"①Ⅹ㈱", true},
    {"IBM extensions", u"纊褜", true},
    {"a kanji beyond JIS X 0208", u"𠮷野家", false},
    {"emoji", u"メモ 😀✓", false},
    {"combining marks", u"cafe\u0301 Ünïcödé", false},
    {"a lone surrogate from a damaged store", WithLoneSurrogate(), false},
};

// Characters as the macro engine sees them: one for a surrogate pair, as for a kanji.
std::size_t Characters(MemoTextView text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at += CharacterUnits(text.substr(at)))
        ++count;
    return count;
}

TEST(MemoText, EveryTextConvertsAndComesBackWhole) {
    platform::FakeKernel kernel;
    for (const TextRow& row : kTexts) {
        SCOPED_TRACE(row.what);
        const auto utf8 = Utf8OfMemoText(row.text);
        ASSERT_EQ(utf8.has_value(), row.text != WithLoneSurrogate());
        if (utf8) {
            EXPECT_EQ(MemoTextOfUtf8(*utf8), row.text);
        }

        EXPECT_EQ(MemoTextOfLittleEndian(LittleEndianBytes(row.text)), row.text);

        const auto cp932 = Cp932OfMemoText(kernel, row.text);
        EXPECT_EQ(cp932.has_value(), row.fitsCp932);
        if (cp932) {
            EXPECT_EQ(MemoTextOfCp932(kernel, *cp932), row.text);
        }

        const Cp932View view(kernel, row.text);
        if (cp932) {
            EXPECT_EQ(view.Bytes(), *cp932) << "the bytes it always had";
        }
        EXPECT_EQ(CharacterCount(view.Bytes()), Characters(row.text));
        EXPECT_EQ(view.Back(view.Bytes()), row.text);
    }
    EXPECT_EQ(MemoTextOfUtf8("\xC0\x80"), std::nullopt) << "overlong";
    EXPECT_EQ(MemoTextOfUtf8("\xED\xA0\x80"), std::nullopt) << "a surrogate";
    EXPECT_EQ(MemoTextOfUtf8("\xE3\x81"), std::nullopt) << "cut short";
    EXPECT_EQ(MemoTextOfLittleEndian("abc"), std::nullopt) << "half a unit";
}

// The engine counts bytes of code page 932, so what it writes stays byte for byte; a character
// beyond stands as one double-byte character and comes back after the expansion.
TEST(MemoText, TheMacroEngineTakesACharacterBeyondCodePage932AsADoubleByteOne) {
    platform::FakeRegistry registry;
    DeskWorld world(registry);
    world.macro.kernel.SetNow({.year = 2026, .month = 12, .day = 7, .hour = 9});
    for (const TextRow& row : kTexts) {
        SCOPED_TRACE(row.what);
        Memo& memo = world.CreateMacro("時計", "");
        memo.SetMacroText(row.text + u" N#{yyyy#} " + row.text);
        world.macro.expander.ExpandMacros(memo, world.clock);
        EXPECT_EQ(memo.Text(), row.text + u" 2026 " + row.text);
    }

    // Past the 940 free double-byte codes, a further character the code page lacks is "?",
    // as the system would make it.
    MemoText many;
    for (char16_t code = 0xAC00; code < 0xAC00 + 1000; ++code)
        many += code;
    const Cp932View view(world.macro.kernel, many);
    const MemoText back = view.Back(view.Bytes());
    EXPECT_EQ(back.substr(0, 940), many.substr(0, 940));
    EXPECT_EQ(back.substr(940), MemoText(60, u'?'));
}

// A memo per text, its title and its text the row's text, through every way it leaves the
// program and comes back.
class MemoTextRoundTrip : public ::testing::Test {
protected:
    MemoTextRoundTrip() {
        world.store.LoadAtStart();
        for (const TextRow& row : kTexts) {
            Memo& memo = world.Create("");
            memo.SetHint(row.text);
            memo.SetText(row.text + u"\r\n" + row.text);
        }
    }

    void ExpectEveryText(const MemoTable& table) const {
        ASSERT_EQ(table.MaxForm() + 1, static_cast<int>(std::size(kTexts)));
        for (int slot = 0; slot <= table.MaxForm(); ++slot) {
            const TextRow& row = kTexts[slot];
            EXPECT_EQ(table.Memos(slot).Hint(), row.text) << row.what;
            EXPECT_EQ(table.Memos(slot).Text(), row.text + u"\r\n" + row.text) << row.what;
        }
    }

    platform::FakeRegistry registry;
    DeskWorld world{registry};
};

TEST_F(MemoTextRoundTrip, TheStoreKeepsEveryTextAndATextTheCodePageHoldsAsBefore) {
    world.store.SaveDatas();
    const auto stored = registry.Value(store::MemoKeyPath(3), "Text");
    EXPECT_EQ(stored, platform::WrittenText(AsCp932(kTexts[3].text + u"\r\n" + kTexts[3].text)))
        << "stored as a code page program stored it";
    DeskWorld next(registry);
    next.store.LoadAtStart();
    ExpectEveryText(next.table);
}

TEST_F(MemoTextRoundTrip, ABackupRestoredOnAnotherStoreGivesEveryTextBack) {
    world.store.SaveDatas();
    const std::string text =
        store::BackupText(world.store.ReadSnapshot(), {.year = 2026}, world.macro.kernel);
    EXPECT_NE(text.find("\"utf16Base64\""), std::string::npos) << "the lone surrogate";
    const store::Backup backup = store::ParseBackup(text, world.macro.kernel);
    EXPECT_EQ(store::BackupText(backup.snapshot, {.year = 2026}, world.macro.kernel), text);

    platform::FakeRegistry other;
    DeskWorld elsewhere(other);
    elsewhere.store.LoadAtStart();
    elsewhere.store.ReplaceMemos(backup.snapshot);
    ExpectEveryText(elsewhere.table);
}

TEST_F(MemoTextRoundTrip, AMemoFileCarriesEveryTextWhole) {
    platform::FakeKernel& kernel = world.macro.kernel;
    for (int slot = 0; slot <= world.table.MaxForm(); ++slot) {
        const Memo& memo = world.table.Memos(slot);
        const sync::MemoFile file{.id = "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b",
                                  .versions = {{"0a000000-0000-4000-8000-000000000001", 1}},
                                  .device = "0a000000-0000-4000-8000-000000000001",
                                  .updated = "2026-12-08T12:34:56Z",
                                  .values =
                                      sync::FileValues(sync::MemoKeyValues(memo, 96, kernel))};
        const sync::MemoFileRead read =
            sync::ReadMemoFile(sync::MemoFileText(file, kernel), kernel);
        ASSERT_EQ(read.kind, sync::MemoFileKind::Memo) << read.reason;
        const store::StoredMemo stored = sync::StoredMemoOf(read.memo.values, kernel);
        EXPECT_EQ(stored.title, memo.Hint()) << kTexts[slot].what;
        EXPECT_EQ(stored.text, memo.Text()) << kTexts[slot].what;
    }
}

TEST_F(MemoTextRoundTrip, TheExportWritesCodePage932WhereItHoldsEverythingElseUtf8) {
    platform::FakeFiles files;
    for (int slot = 0; slot <= world.table.MaxForm(); ++slot)
        world.table.Memos(slot).SetHint(u"t" + MemoTextOfAscii(std::to_string(slot)));
    // A title beyond the code page makes the file UTF-8 too.
    Memo& titled = world.Create("");
    titled.SetHint(u"t😀");
    titled.SetText(u"fits");
    store::ExportMemos(world.table, files, world.macro.kernel);

    const auto read = [&](std::string_view name) {
        std::ifstream file(files.Native(files.InFolder(files.ProgramFolder(), name)),
                           std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string bom = "\xEF\xBB\xBF";
    for (std::size_t slot = 0; slot < std::size(kTexts); ++slot) {
        const TextRow& row = kTexts[slot];
        const MemoText text = row.text + u"\r\n" + row.text;
        const auto utf8 = Utf8OfMemoText(text);
        const std::string lone = *Utf8OfMemoText(u"壊") + "\xEF\xBF\xBD" + *Utf8OfMemoText(u"れた");
        const std::string expected = row.fitsCp932 ? AsCp932(text)
                                     : utf8        ? bom + *utf8
                                                   : bom + lone + "\r\n" + lone;
        EXPECT_EQ(read("t" + std::to_string(slot) + ".txt"), expected) << row.what;
    }
    EXPECT_EQ(read("t??.txt"), bom + "fits") << "the fake names each unit beyond a byte \"?\"";
}

} // namespace
} // namespace petarino
