#include "memos/memo_properties.h"
#include "platform/fake/fake_choosers.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_kernel.h"
#include "platform/fake/fake_window_system.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_memo_factory.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace petarino {
namespace {

using platform::EFCreateError;
using platform::EFOpenError;
using platform::EWriteError;
using platform::FilePath;

// The dialog's controls in plain fields.
struct FakeView final : MemoPropertiesView {
    MemoText MacroText() const override { return macroText; }
    void SetMacroText(MemoTextView text) override { macroText = text; }
    MemoText Title() const override { return title; }
    void SetTitle(MemoTextView text) override { title = text; }
    int TitleBarItem() const override { return titleBarItem; }
    void SetTitleBarItem(int item) override { titleBarItem = item; }
    bool WordWrap() const override { return wordWrap; }
    void SetWordWrap(bool value) override { wordWrap = value; }
    Font MacroFont() const override { return macroFont; }
    void SetMacroFont(const Font& font) override { macroFont = font; }
    Color MacroColor() const override { return macroColor; }
    void SetMacroColor(Color color) override { macroColor = color; }
    Color TitleColor() const override { return titleColor; }
    void SetTitleColor(Color color) override { titleColor = color; }
    Color TitleTextColor() const override { return titleTextColor; }
    void SetTitleTextColor(Color color) override { titleTextColor = color; }

    MemoText macroText = u"Macro";
    MemoText title = u"Title";
    int titleBarItem = 0;
    bool wordWrap = false;
    Font macroFont;
    Color macroColor = clWindow;
    Color titleColor = clWindow;
    Color titleTextColor = clWindowText;
};

class MemoPropertiesTest : public testing::Test {
protected:
    FilePath File(std::string_view name) { return files.InFolder(files.ProgramFolder(), name); }
    void Put(std::string_view name, std::string_view bytes) {
        std::ofstream(files.Native(File(name)), std::ios::binary) << bytes;
    }
    std::string Read(std::string_view name) {
        std::ifstream file(files.Native(File(name)), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    InMemoryMemoFactory factory;
    FakeStatusList list;
    platform::FakeWindowSystem windows;
    MemoTable table{factory, list, windows};
    platform::FakeChoosers choosers;
    platform::FakeFiles files;
    TickTimer timer;
    FakeView view;
    platform::FakeKernel kernel;
    MemoProperties properties{view, choosers, files, kernel, timer, table};
    Memo& memo = *table.CreateMemo();
};

TEST_F(MemoPropertiesTest, OpensWithTheMemoAndAppliesEveryFieldOnOk) {
    Font font;
    font.SetName("ＭＳ 明朝");
    font.height = -16;
    font.style = fsBold | fsStrikeOut;
    font.color = 0x00112233;
    memo.SetHint(u"予定");
    memo.SetText(u"plain");
    memo.SetWordWrap(false);
    memo.SetMemoFont(font);
    memo.SetMemoColor(0x00445566);
    memo.SetWindowColor(clBtnFace);
    memo.SetTitleTextColor(0x00778899);
    properties.Open(memo);
    EXPECT_EQ(view.macroText, u"plain");
    EXPECT_EQ(view.title, u"予定");
    EXPECT_EQ(view.titleBarItem, 2) << "a memo the user made has its title on the right";
    EXPECT_FALSE(view.wordWrap);
    EXPECT_EQ(view.macroFont, font);
    EXPECT_EQ(view.macroColor, 0x00445566u);
    EXPECT_EQ(view.titleColor, clBtnFace);
    EXPECT_EQ(view.titleTextColor, 0x00778899u);

    view.title = u"新しい題";
    view.titleBarItem = 4;
    view.wordWrap = true;
    view.macroFont = Font{};
    view.macroColor = clWhite;
    view.titleColor = 0x00010203;
    view.titleTextColor = clBlack;
    properties.Apply(memo);
    EXPECT_EQ(memo.Hint(), u"新しい題");
    EXPECT_EQ(memo.TitleBar(), 4);
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_EQ(memo.MemoFont(), Font{});
    EXPECT_EQ(memo.MemoColor(), clWhite);
    EXPECT_EQ(memo.WindowColor(), 0x00010203u);
    EXPECT_EQ(memo.TitleTextColor(), clBlack);
    EXPECT_EQ(list.Rows(), std::vector<MemoText>{u"○ - 新しい題"});
}

// "#}" anywhere decides; the text area of a new macro memo keeps what it showed until the
// next tick, and a memo that leaves macro mode keeps its old source unread.
TEST_F(MemoPropertiesTest, TheTextDecidesTheMode) {
    memo.SetMacroText(u"N#{yyyy#}");
    memo.SetText(u"2026");
    memo.SetReadOnly(true);
    properties.Open(memo);
    EXPECT_EQ(view.macroText, u"N#{yyyy#}") << "the source, not its expansion";
    properties.Apply(memo);
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_EQ(memo.MacroText(), u"N#{yyyy#}");
    EXPECT_EQ(memo.Text(), u"2026");

    view.macroText = u"N#{yyyy}";
    properties.Apply(memo);
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_EQ(memo.Text(), u"N#{yyyy}");
    EXPECT_EQ(memo.MacroText(), u"N#{yyyy#}");

    view.macroText = u"stray #} only";
    properties.Apply(memo);
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_EQ(memo.MacroText(), u"stray #} only");
    EXPECT_EQ(memo.Text(), u"N#{yyyy}");
}

TEST_F(MemoPropertiesTest, TheRadioGroupBringsALayoutIntoItsItems) {
    const std::pair<int32_t, int> cases[] = {{0, 0},   {5, 5},   {6, 5},          {9, 5},
                                             {-1, -1}, {-3, -1}, {INT32_MIN, -1}, {INT32_MAX, 5}};
    for (const auto& [stored, item] : cases) {
        memo.SetTitleBar(stored);
        properties.Open(memo);
        EXPECT_EQ(view.titleBarItem, item) << stored;
        properties.Apply(memo);
        EXPECT_EQ(memo.TitleBar(), item) << stored;
    }
}

// Every OK starts the clock again, whichever macro stopped it; and it lists the memos anew
// even when the title stayed.
TEST_F(MemoPropertiesTest, OkStartsTheClockAndListsTheMemosAnew) {
    properties.Open(memo);
    memo.SetVisible(false);
    EXPECT_EQ(list.Rows(), std::vector<MemoText>{u"○ - 無題"});
    ASSERT_FALSE(timer.Enabled());
    properties.Apply(memo);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(list.Rows(), std::vector<MemoText>{u"× - 無題"});
}

// The properties window, reached through the notification icon, can destroy the memo while
// its dialog is open.
TEST_F(MemoPropertiesTest, AMemoDestroyedMeanwhileIsLeftAlone) {
    Memo& other = *table.CreateMemo();
    properties.Open(memo);
    table.DestForm(0);
    list.ReplaceRows({});
    properties.Apply(memo); // the memo is gone: nothing of it may be touched
    EXPECT_TRUE(timer.Enabled()) << "every OK starts the clock";
    EXPECT_TRUE(list.Rows().empty());
    properties.Apply(other);
    EXPECT_EQ(list.Rows(), std::vector<MemoText>{u"○ - 無題"});
}

// A restore makes every memo anew: one that takes the place of the memo the dialog was opened
// for is another memo, and OK writes nothing to it.
TEST_F(MemoPropertiesTest, AnotherMemoInThePlaceOfTheOneOpenedIsLeftAlone) {
    memo.SetSync({"11111111-1111-4111-8111-111111111111", "", ""});
    memo.SetText(u"元のメモ");
    properties.Open(memo);
    memo.SetSync({"22222222-2222-4222-8222-222222222222", "", ""});
    memo.SetText(u"別のメモ");
    view.macroText = u"ダイアログの文";
    properties.Apply(memo);
    EXPECT_EQ(memo.Text(), u"別のメモ");
}

// Each chooser starts at its control's value, a system colour as it is; Cancel keeps it.
TEST_F(MemoPropertiesTest, ChoosersStartAtTheirControlAndCancelKeepsIt) {
    memo.SetMemoColor(clBtnFace);
    properties.Open(memo);
    Font chosen;
    chosen.SetName("ＭＳ ゴシック");
    chosen.style = fsItalic;
    chosen.color = 0x000000FF;
    choosers.AnswerFont(chosen);
    properties.PickMacroFont();
    EXPECT_EQ(choosers.FontStarts(), std::vector<Font>{memo.MemoFont()});
    EXPECT_EQ(view.macroFont, chosen);
    properties.PickMacroFont();
    EXPECT_EQ(view.macroFont, chosen) << "cancelled";

    choosers.AnswerColor(std::nullopt);
    choosers.AnswerColor(0x00000080);
    choosers.AnswerColor(0x00008000);
    properties.PickMacroColor();
    properties.PickTitleTextColor();
    properties.PickTitleColor();
    EXPECT_EQ(choosers.ColorStarts(),
              (std::vector<Color>{clBtnFace, clCaptionText, clActiveCaption}));
    EXPECT_EQ(view.macroColor, clBtnFace) << "cancelled: still the system colour";
    EXPECT_EQ(view.titleTextColor, 0x00000080u);
    EXPECT_EQ(view.titleColor, 0x00008000u);
}

TEST_F(MemoPropertiesTest, LoadingGivesCrLfLinesUpToANul) {
    Put("mixed.txt", std::string("one\rtwo\nthree\r\nfour\0five", 23));
    choosers.AnswerLoad(File("mixed.txt"));
    view.title = u"unchanged";
    properties.LoadText();
    EXPECT_EQ(view.macroText, u"one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(view.title, u"unchanged");

    properties.LoadText();
    EXPECT_EQ(choosers.LoadsOpened(), 2);
    EXPECT_EQ(view.macroText, u"one\r\ntwo\r\nthree\r\nfour") << "cancelled";
}

TEST_F(MemoPropertiesTest, AFailedLoadLeavesTheTextAsItWas) {
    view.macroText = u"kept";
    choosers.AnswerLoad(File("missing.txt"));
    try {
        properties.LoadText();
        ADD_FAILURE() << "a missing file loaded";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.what(), "ﾌｧｲﾙ " + files.Display(File("missing.txt")) + " は開けません");
    }
    EXPECT_EQ(view.macroText, u"kept");

    // A double-byte character counts once, as the text box counts it, and CR LF twice.
    const std::string fits = std::string(kMacroTextLimit - 3, 'a') + "あ\n";
    Put("fits.txt", fits);
    Put("large.txt", fits + "a");
    choosers.AnswerLoad(File("large.txt"));
    choosers.AnswerLoad(File("fits.txt"));
    EXPECT_THROW(properties.LoadText(), ETextTooLarge);
    EXPECT_EQ(view.macroText, u"kept");
    properties.LoadText();
    EXPECT_EQ(view.macroText.size(), kMacroTextLimit);
}

TEST_F(MemoPropertiesTest, SavingWritesTheTextAsItStandsUnderTheTitle) {
    view.title = u"題";
    view.macroText = u"N#{yyyy#}\r\nline";
    choosers.AnswerSave(File("題.txt"));
    properties.SaveText();
    EXPECT_EQ(choosers.ProposedNames(), std::vector<std::u16string>{u"題"});
    EXPECT_EQ(Read("題.txt"), "N#{yyyy#}\r\nline") << "byte for byte, no line break added";

    properties.SaveText();
    EXPECT_EQ(choosers.ProposedNames().size(), 2u) << "cancelled, nothing written";
}

TEST_F(MemoPropertiesTest, AFailedSaveLeavesTheFileAsItWas) {
    Put("old.txt", "old text");
    view.macroText = u"new text that does not fit";
    files.FailNextWriteAfter(3);
    choosers.AnswerSave(File("old.txt"));
    EXPECT_THROW(properties.SaveText(), EWriteError);
    EXPECT_EQ(Read("old.txt"), "old text");

    choosers.AnswerSave(File("no folder\\new.txt"));
    EXPECT_THROW(properties.SaveText(), EFCreateError);
}

} // namespace
} // namespace petarino
