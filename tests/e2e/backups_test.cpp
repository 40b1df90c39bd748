// Automatic backups: an exit leaves one holding every memo, and a memo destroyed by mistake
// comes back from an older one through the page "拡張", on screen and in the store. Each
// restore backs up what it replaces apart from them, and none runs under a memo's dialog.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "user_input.h"
#include "window_search.h"

#include <algorithm>
#include <cstdio>

namespace petarino::e2e {
namespace {

namespace fs = std::filesystem;
using remote::StoredMemo;

class Backups : public PetarinoTest {
protected:
    void SetUp() override {
        PetarinoTest::SetUp();
        folder_ = BackupsFolder();
        fs::remove_all(folder_);
        remote::WriteStore({}, memos_);
    }
    void TearDown() override {
        fs::remove_all(folder_);
        PetarinoTest::TearDown();
    }

    std::vector<fs::path> Files() const {
        std::vector<fs::path> files;
        if (fs::exists(folder_))
            for (const auto& entry : fs::directory_iterator(folder_))
                files.push_back(entry.path());
        std::ranges::sort(files);
        return files;
    }

    // Through the properties window's own button, open after a common dialog, whose close
    // leaves no window in the foreground for the notification menu to follow.
    static void ExitThroughButton(RunningPetarino& petarino) {
        PostMessageW(petarino.Control(L"Button", L"終了(&X)"), BM_CLICK, 0, 0);
        ASSERT_TRUE(petarino.WaitForExit());
    }

    // A menu that opened while the program was still busy after its start may lose the key
    // that chooses: it is chosen once more when the program still runs a while later.
    static void Exit(RunningPetarino& petarino) {
        ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
        if (petarino.KeepsRunning()) petarino.ChooseFromTrayMenu(L'x');
        ASSERT_TRUE(petarino.WaitForExit());
    }

    // The properties window from the icon, on its page "拡張", as a user's arrow keys in the
    // page control choose it; the page's list box.
    static HWND ShowExtendedPage(const RunningPetarino& petarino) {
        if (!petarino.ShowProperties()) return nullptr;
        HWND pages = remote::ChildWindows(petarino.Properties(), L"SysTabControl32").front();
        for (int step = 0; step < 2; ++step)
            remote::Send(pages, WM_KEYDOWN, VK_RIGHT);
        HWND list = remote::ChildWindows(petarino.Properties(), L"ListBox").back();
        return remote::WaitFor([&] { return IsWindowVisible(list) != FALSE; }) ? list : nullptr;
    }

    // The common file dialog the button opens, answered with the file as a user types it.
    static bool ChooseFile(const RunningPetarino& petarino, const wchar_t* button,
                           const fs::path& file) {
        PostMessageW(petarino.Control(L"Button", button), BM_CLICK, 0, 0);
        HWND dialog = nullptr;
        if (!remote::WaitFor([&] {
                for (HWND window : remote::TopLevelWindows(L"#32770", petarino.Id()))
                    if (IsWindowVisible(window) && !remote::ChildWindows(window, L"Edit").empty())
                        dialog = window;
                return dialog != nullptr;
            }))
            return false;
        for (HWND edit : remote::ChildWindows(dialog, L"Edit"))
            if (IsWindowVisible(edit))
                remote::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return remote::WaitFor([&] { return !IsWindow(dialog); });
    }

    // The row chosen, "元に戻す" pressed and the question answered with Yes.
    static bool RestoreRow(const RunningPetarino& petarino, HWND list, int row) {
        remote::Send(list, LB_SETCURSEL, static_cast<WPARAM>(row));
        PostMessageW(petarino.Control(L"Button", L"元に戻す"), BM_CLICK, 0, 0);
        const auto box = petarino.WaitForMessageBox();
        return box && remote::Answer(*box, IDYES);
    }

    static bool Shows(const RunningPetarino& petarino, const std::wstring& text) {
        for (HWND memo : petarino.VisibleMemos())
            if (remote::TextOf(remote::TextAreaOf(memo)) == text) return true;
        return false;
    }

    fs::path folder_;
    const std::vector<StoredMemo> memos_ = {
        {.top = 100, .left = 100, .title = L"残る", .text = L"一枚目のメモ"},
        {.top = 300, .left = 400, .title = L"消える", .text = L"うっかり破棄されるメモ"},
    };
};

TEST_F(Backups, AnExitBacksUpEveryMemoAndAnOlderBackupBringsADestroyedMemoBack) {
    RunningPetarino& first = Launch();
    ASSERT_TRUE(first.WaitForStart());
    Exit(first);
    ASSERT_EQ(Files().size(), 1u);
    const std::string backup = ReadBytes(Files().front());
    for (const StoredMemo& memo : memos_)
        EXPECT_NE(backup.find(Utf8(memo.text)), std::string::npos) << Utf8(memo.text);

    RunningPetarino& second = Launch();
    ASSERT_TRUE(second.WaitForStart());
    ASSERT_TRUE(second.ShowProperties());
    HWND status = remote::ChildWindows(second.Properties(), L"ListBox").front();
    remote::Send(status, LB_SETCURSEL, 1);
    PostMessageW(second.Control(L"Button", L"メモの破棄"), BM_CLICK, 0, 0);
    auto box = second.WaitForMessageBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(remote::Answer(*box, IDYES));
    ASSERT_TRUE(remote::WaitFor([&] { return second.Memos().size() == 1; }));
    Exit(second);
    ASSERT_EQ(remote::ReadMaxForm(), 0);
    ASSERT_EQ(Files().size(), 2u);

    RunningPetarino& third = Launch();
    ASSERT_TRUE(third.WaitForStart());
    HWND list = ShowExtendedPage(third);
    ASSERT_NE(list, nullptr);
    const std::vector<std::wstring> rows = remote::ListRows(list);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0].ends_with(L" - 1 枚")) << rows[0];
    EXPECT_TRUE(rows[1].ends_with(L" - 2 枚")) << rows[1];

    remote::Send(list, LB_SETCURSEL, 1);
    PostMessageW(third.Control(L"Button", L"元に戻す"), BM_CLICK, 0, 0);
    box = third.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"現在のメモを、選んだバックアップの内容に置き換えますか？");
    ASSERT_TRUE(remote::Answer(*box, IDYES));

    ASSERT_TRUE(remote::WaitFor([&] { return third.VisibleMemos().size() == 2; }));
    bool shown = false;
    for (HWND memo : third.VisibleMemos())
        shown = shown || remote::TextOf(remote::TextAreaOf(memo)) == memos_[1].text;
    EXPECT_TRUE(shown) << "the destroyed memo is on screen again";
    EXPECT_EQ(remote::ReadMaxForm(), 1);
    EXPECT_EQ(remote::ReadMemo(1), memos_[1]);
    EXPECT_EQ(remote::ListRows(list).size(), 3u) << "the state it replaced is backed up";
    Exit(third);
}

TEST_F(Backups, WrittenOutAndReadIntoAnEmptyStoreEveryMemoComesBackAsItWas) {
    const std::vector<StoredMemo> memos = {
        {.top = 120,
         .left = 140,
         .width = 300,
         .height = 150,
         .title = L"時計",
         .titleBar = 1,
         .titleText = 0xFFFFFF,
         .titleBackground = 0x804000,
         .text = L"N#{yyyy#}",
         .wordWrap = false,
         .fontName = L"ＭＳ ゴシック",
         .color = 0xC0FFFF,
         .fontStyle = 3,
         .fontColor = 0x0000C0,
         .fontSize = 14},
        {.top = 300,
         .left = 500,
         .title = L"隠し",
         .text = L"見えない\r\n二行目",
         .visible = false},
        {.top = 400,
         .left = 300,
         .title = L"Ünïcödé ✓",
         .text = L"café ✓ 😀 简体 한국어 Ünïcödé",
         .visible = false},
    };
    remote::WriteStore({}, memos);
    const fs::path file = ProgramFolder() / L"移す.json";

    RunningPetarino& source = Launch();
    ASSERT_TRUE(source.WaitForStart());
    ASSERT_NE(ShowExtendedPage(source), nullptr);
    ASSERT_TRUE(ChooseFile(source, L"書き出し...", file));
    ASSERT_TRUE(remote::WaitFor([&] { return fs::exists(file); }));
    ExitThroughButton(source);

    remote::DeleteStore();
    RunningPetarino& target = Launch();
    ASSERT_TRUE(target.WaitForStart());
    ASSERT_TRUE(target.Memos().empty());
    ASSERT_NE(ShowExtendedPage(target), nullptr);
    ASSERT_TRUE(ChooseFile(target, L"読み込み...", file));
    auto box = target.WaitForMessageBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(remote::Answer(*box, IDYES));
    ASSERT_TRUE(remote::WaitFor([&] { return target.Memos().size() == 3; }));
    EXPECT_EQ(target.VisibleMemos().size(), 1u);
    const RECT bounds = remote::BoundsOf(target.VisibleMemos().front());
    EXPECT_EQ(bounds.left, 140);
    EXPECT_EQ(bounds.top, 120);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(remote::TextOf(remote::TextAreaOf(target.VisibleMemos().front())),
              std::to_wstring(now.wYear));
    ExitThroughButton(target);
    EXPECT_EQ(remote::ReadMaxForm(), 2);
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_EQ(remote::ReadMemo(slot), memos[static_cast<size_t>(slot)]) << "slot " << slot;
}

// Twenty backups named ahead of the clock, as a clock set back since they were written leaves
// them: stepping back through every one, oldest last, reaches each and removes none, and the
// last step can be undone from the backup written before it, the newest in the list.
TEST_F(Backups, SteppingBackThroughTwentyBackupsUnderAClockSetBackLosesNone) {
    RunningPetarino& first = Launch();
    ASSERT_TRUE(first.WaitForStart());
    Exit(first);
    ASSERT_EQ(Files().size(), 1u);
    const std::string pattern = ReadBytes(Files().front());
    fs::remove(Files().front());
    const std::string marked = Utf8(memos_[0].text);
    ASSERT_NE(pattern.find(marked), std::string::npos);
    const auto version = [](int n) { return L"版" + std::to_wstring(n); };
    for (int n = 0; n < 20; ++n) {
        std::string bytes = pattern;
        bytes.replace(bytes.find(marked), marked.size(), Utf8(version(n)));
        wchar_t name[40];
        std::swprintf(name, 40, L"petarino-20990101-0000%02d.json", n);
        WriteBytes(folder_ / name, bytes);
    }

    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    HWND list = ShowExtendedPage(petarino);
    ASSERT_NE(list, nullptr);
    const std::vector<std::wstring> automatic = remote::ListRows(list);
    ASSERT_EQ(automatic.size(), 20u);
    EXPECT_EQ(automatic.front(), L"2099/01/01 00:00:19 - 2 枚");
    for (size_t step = 0; step < automatic.size(); ++step) {
        SCOPED_TRACE(step);
        // Above the automatic ones lie the backups the steps before wrote.
        ASSERT_EQ(remote::ListRows(list).at(2 * step), automatic[step]);
        ASSERT_TRUE(RestoreRow(petarino, list, static_cast<int>(2 * step)));
        ASSERT_TRUE(
            remote::WaitFor([&] { return Shows(petarino, version(19 - static_cast<int>(step))); }));
        ASSERT_TRUE(remote::WaitFor([&] { return remote::ListRows(list).size() == 21 + step; }));
    }
    const std::vector<std::wstring> rows = remote::ListRows(list);
    EXPECT_EQ(rows.front(), L"2099/01/01 00:00:39 - 2 枚（復元前）");
    EXPECT_EQ(std::ranges::count_if(
                  rows, [](const std::wstring& row) { return row.ends_with(L" 枚（復元前）"); }),
              20);
    for (const std::wstring& row : automatic)
        EXPECT_NE(std::ranges::find(rows, row), rows.end()) << Cp932(row);

    ASSERT_TRUE(RestoreRow(petarino, list, 0));
    EXPECT_TRUE(remote::WaitFor([&] { return Shows(petarino, version(1)); }));
    Exit(petarino);
}

// A memo's dialog holds its memo, which a restore would free: while one is open both buttons
// say so and change nothing; once it is closed, a restore asks as always.
TEST_F(Backups, RestoreAndImportWaitForAnOpenMemoDialog) {
    RunningPetarino& first = Launch();
    ASSERT_TRUE(first.WaitForStart());
    Exit(first);
    ASSERT_EQ(Files().size(), 1u);

    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 2; }));
    std::vector<HWND> memos = petarino.Memos();
    std::ranges::sort(memos);
    const HWND memo = petarino.VisibleMemos().front();
    SetForegroundWindow(memo);
    remote::ClickInto(remote::TextAreaOf(memo));
    remote::Press({VK_CONTROL, 'M'});
    const HWND dialog = remote::WaitForShownWindow(L"TMemoSet", petarino.Id(), remote::kPatienceMs);
    ASSERT_NE(dialog, nullptr) << "Ctrl+M opened no dialog";

    // The properties window, hidden as the dialog opened, is reached through the icon.
    HWND list = ShowExtendedPage(petarino);
    ASSERT_NE(list, nullptr);
    for (const wchar_t* button : {L"元に戻す", L"読み込み..."}) {
        SCOPED_TRACE(Cp932(button));
        remote::Send(list, LB_SETCURSEL, 0);
        PostMessageW(petarino.Control(L"Button", button), BM_CLICK, 0, 0);
        const auto box = petarino.WaitForMessageBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, L"メモのダイアログを閉じてから、もう一度お試しください");
        ASSERT_TRUE(remote::Answer(*box, IDOK));
        EXPECT_FALSE(remote::WaitFor([&] { return remote::ShowsMessageBox(petarino.Id()); }, 1500))
            << "neither a question nor a file dialog follows";
    }
    std::vector<HWND> after = petarino.Memos();
    std::ranges::sort(after);
    EXPECT_EQ(after, memos) << "the memos were made anew";
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(Files().size(), 1u) << "nothing was backed up for a restore";

    PostMessageW(remote::ChildWithText(dialog, L"Button", L"ｷｬﾝｾﾙ"), BM_CLICK, 0, 0);
    ASSERT_TRUE(remote::WaitFor([&] { return !IsWindowVisible(dialog); }));
    remote::Send(list, LB_SETCURSEL, 0);
    PostMessageW(petarino.Control(L"Button", L"元に戻す"), BM_CLICK, 0, 0);
    const auto question = petarino.WaitForMessageBox();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, L"現在のメモを、選んだバックアップの内容に置き換えますか？");
    ASSERT_TRUE(remote::Answer(*question, IDNO));
    Exit(petarino);
}

} // namespace
} // namespace petarino::e2e
