// Automatic backups: an exit leaves one holding every memo, and a memo destroyed by mistake
// comes back from an older one through the page "拡張", on screen and in the store.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "window_search.h"

#include <algorithm>
#include <shlobj.h>

namespace petarino::e2e {
namespace {

namespace fs = std::filesystem;
using remote::StoredMemo;

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 4, '\0');
    bytes.resize(static_cast<size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

class Backups : public PetarinoTest {
protected:
    void SetUp() override {
        PetarinoTest::SetUp();
        wchar_t local[MAX_PATH]{};
        ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local)));
        folder_ = fs::path(local) / L"Petarino" / L"Backups";
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

    static void Exit(RunningPetarino& petarino) {
        ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
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

    static std::vector<std::wstring> Rows(HWND list) {
        std::vector<std::wstring> rows;
        for (LRESULT row = 0; row < remote::Send(list, LB_GETCOUNT); ++row) {
            std::wstring text(static_cast<size_t>(remote::Send(list, LB_GETTEXTLEN, row)) + 1,
                              L'\0');
            text.resize(static_cast<size_t>(
                remote::Send(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data()))));
            rows.push_back(text);
        }
        return rows;
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
    const std::vector<std::wstring> rows = Rows(list);
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
    EXPECT_EQ(Rows(list).size(), 3u) << "the state it replaced is backed up";
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
    ASSERT_TRUE(remote::WaitFor([&] { return target.Memos().size() == 2; }));
    EXPECT_EQ(target.VisibleMemos().size(), 1u);
    const RECT bounds = remote::BoundsOf(target.VisibleMemos().front());
    EXPECT_EQ(bounds.left, 140);
    EXPECT_EQ(bounds.top, 120);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(remote::TextOf(remote::TextAreaOf(target.VisibleMemos().front())),
              std::to_wstring(now.wYear));
    ExitThroughButton(target);
    EXPECT_EQ(remote::ReadMaxForm(), 1);
    for (int slot = 0; slot < 2; ++slot)
        EXPECT_EQ(remote::ReadMemo(slot), memos[static_cast<size_t>(slot)]) << "slot " << slot;
}

} // namespace
} // namespace petarino::e2e
