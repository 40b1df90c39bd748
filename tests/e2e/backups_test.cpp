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

    static void Exit(RunningPetarino& petarino) {
        ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
        ASSERT_TRUE(petarino.WaitForExit());
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
    ASSERT_TRUE(third.ShowProperties());
    // The page control takes the arrow keys as a user's, and shows the page "拡張".
    HWND pages = remote::ChildWindows(third.Properties(), L"SysTabControl32").front();
    for (int step = 0; step < 2; ++step)
        remote::Send(pages, WM_KEYDOWN, VK_RIGHT);
    HWND list = remote::ChildWindows(third.Properties(), L"ListBox").back();
    ASSERT_TRUE(remote::WaitFor([&] { return IsWindowVisible(list) != FALSE; }));
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

} // namespace
} // namespace petarino::e2e
