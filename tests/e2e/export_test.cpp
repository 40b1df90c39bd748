// The export at exit: every memo beside the program as code page 932 text named after its
// title, and titles that would write anywhere else refused with the program running on.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "window_search.h"

#include <regex>

namespace petarino::e2e {
namespace {

using remote::StoredMemo;
namespace fs = std::filesystem;

using Export = PetarinoTest;

TEST_F(Export, WritesEveryMemoBesideTheProgramAtExit) {
    fs::create_directory(ProgramFolder() / L"sub");
    WriteBytes(ProgramFolder() / L"置換.txt", Cp932(L"前の内容で、新しい内容よりずっと長い"));
    const std::vector<StoredMemo> memos = {
        {.title = L"無題", .text = L"先の無題"},
        {.title = L"", .text = L"題名なし"},
        {.title = L"時計", .text = L"N#{yyyy'年'#}"},
        {.title = L"隠れ", .text = L"見えない\r\nメモ", .visible = false},
        {.title = L"改行", .text = L"末尾に改行\r\n"},
        {.title = L"置換", .text = L"新しい"},
        {.title = L"sub\\下", .text = L"サブフォルダ"},
        {.title = L"空", .text = L""},
        {.title = L"無題", .text = L"後の無題が残る"},
    };
    remote::WriteStore({.exportText = true}, memos);

    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit()) << "the exit did not end the program";

    EXPECT_EQ(
        Listing(ProgramFolder()),
        (std::vector<std::wstring>{L".txt", L"petarino.exe", L"sub", L"sub\\下.txt", L"改行.txt",
                                   L"時計.txt", L"無題.txt", L"空.txt", L"置換.txt", L"隠れ.txt"}));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"無題.txt"), Cp932(L"後の無題が残る"));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L".txt"), Cp932(L"題名なし"));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"時計.txt"), Cp932(L"N#{yyyy'年'#}"));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"隠れ.txt"), Cp932(L"見えない\r\nメモ"));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"改行.txt"), Cp932(L"末尾に改行\r\n"));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"置換.txt"), Cp932(L"新しい"));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"sub" / L"下.txt"), Cp932(L"サブフォルダ"));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"空.txt"), "");
    EXPECT_EQ(StoredExec(), 1) << "the store is saved before the export";
}

// A title the export must refuse, and where a careless export would have written.
struct RefusedTitle {
    const wchar_t* title;
    // Relative to the program folder, or a full path; nullptr when it names nothing outside.
    const wchar_t* escape;
};

void PrintTo(const RefusedTitle& refused, std::ostream* out) {
    *out << testing::PrintToString(std::wstring(refused.title));
}

class ExportRefuses : public PetarinoTest, public testing::WithParamInterface<RefusedTitle> {
protected:
    void TearDown() override {
        if (const wchar_t* escape = GetParam().escape) {
            std::error_code ignored;
            fs::remove(ProgramFolder() / escape, ignored);
        }
        PetarinoTest::TearDown();
    }
};

constexpr wchar_t kSeconds[] = L"N#{hh:nn:ss#}";

TEST_P(ExportRefuses, TheTitleAndThenRunsOnWithItsTick) {
    fs::create_directory(ProgramFolder() / L"sub");
    remote::WriteStore({.exec = 2, .exportText = true},
                       {{.top = 60, .left = 60, .title = L"秒", .text = kSeconds},
                        {.top = 60, .left = 400, .title = GetParam().title, .text = L"中身"}});
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));

    const auto box = petarino.WaitForMessageBox();
    ASSERT_TRUE(box) << "no error";
    EXPECT_EQ(box->caption, L"ペタリノ");
    EXPECT_EQ(box->text,
              L"ﾌｧｲﾙ " + ProgramFolderText() + GetParam().title + L".txt を作成できません.");
    ASSERT_TRUE(remote::Answer(*box, IDOK));
    EXPECT_TRUE(petarino.KeepsRunning());

    // Nothing outside the folder; inside only the export before the refused one.
    if (const wchar_t* escape = GetParam().escape) {
        EXPECT_FALSE(fs::exists(ProgramFolder() / escape)) << "written outside the folder";
    }
    EXPECT_EQ(Listing(ProgramFolder()),
              (std::vector<std::wstring>{L"petarino.exe", L"sub", L"秒.txt"}));
    EXPECT_EQ(StoredExec(), 3) << "the store is saved before the export";

    // The tick runs again: the macro memo shows the time again instead of its source, and the
    // time moves on.
    const std::vector<HWND> shown = petarino.VisibleMemos();
    ASSERT_EQ(shown.size(), 2u);
    HWND clock = nullptr;
    const std::wregex time(L"\\d\\d:\\d\\d:\\d\\d");
    EXPECT_TRUE(remote::WaitFor([&] {
        for (HWND memo : shown)
            if (std::regex_match(remote::TextOf(remote::TextAreaOf(memo)), time))
                clock = remote::TextAreaOf(memo);
        return clock != nullptr;
    })) << "the macro memo does not show the time again";
    if (clock) {
        EXPECT_TRUE(TextChanges(clock)) << "the tick stays stopped";
    }

    // With the export turned off the program ends as usual.
    ASSERT_TRUE(petarino.ShowProperties());
    HWND exportBox = petarino.Control(L"Button", L"終了時にメモをテキスト化");
    ASSERT_NE(exportBox, nullptr);
    PostMessageW(exportBox, BM_CLICK, 0, 0);
    ASSERT_TRUE(remote::WaitFor([&] { return remote::Send(exportBox, BM_GETCHECK) == 0; }));
    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_FALSE(remote::ReadSettings()->exportText);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, ExportRefuses,
    testing::Values(RefusedTitle{L"ない\\x", nullptr}, RefusedTitle{L"a*b", nullptr},
                    RefusedTitle{L"..\\..\\逃げた", L"..\\..\\逃げた.txt"},
                    RefusedTitle{L"sub\\..\\..\\逃げた", L"..\\逃げた.txt"},
                    RefusedTitle{L"C:\\逃げた", L"C:\\逃げた.txt"},
                    RefusedTitle{L"\\\\server\\share\\x", nullptr}, RefusedTitle{L"a:b", nullptr},
                    RefusedTitle{L"CON", nullptr}, RefusedTitle{L"nul", nullptr},
                    RefusedTitle{L"COM1", nullptr}, RefusedTitle{L"LPT1", nullptr},
                    RefusedTitle{L"Aux.log", nullptr}));

} // namespace
} // namespace petarino::e2e
