// The choosers over the real common dialogs, answered from inside their modal loops by a
// timer of the test's thread, as a user would answer them.
#include "platform/win32/choosers_win32.h"
#include "platform/win32/cp932_win32.h"
#include "win32/temp_folder.h"

#include <windows.h>
#include <cderr.h>
#include <commctrl.h>
#include <deque>
#include <dlgs.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace petarino::win32 {
namespace {

namespace fs = std::filesystem;

std::wstring TextOf(HWND window) {
    wchar_t text[1024]{};
    GetWindowTextW(window, text, 1024);
    return text;
}

// The visible dialog window of this thread owned by `owner`: the chooser when the owner is
// the window that opened it, a question the chooser asks when it is the chooser.
HWND ShownDialog(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lp) {
            auto& wanted = *reinterpret_cast<Search*>(lp);
            wchar_t name[16]{};
            GetClassNameW(window, name, 16);
            if (!IsWindowVisible(window) || lstrcmpW(name, L"#32770") ||
                GetWindow(window, GW_OWNER) != wanted.owner)
                return TRUE;
            wanted.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Steps run one after the other on the timer's ticks; a step that finds nothing to act on
// yet returns false and is tried again. Steps only post, so no step runs inside another.
class Answers {
public:
    explicit Answers(std::vector<std::function<bool()>> steps)
        : steps_(steps.begin(), steps.end()) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~Answers() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
        EXPECT_TRUE(steps_.empty()) << steps_.size() << " steps not taken";
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Answers& self = *current_;
        if (!self.steps_.empty() && self.steps_.front()()) {
            self.steps_.pop_front();
            self.waited_ = 0;
        } else if (++self.waited_ > 250) {
            // Nothing came for five seconds: let the chooser go rather than hang.
            ADD_FAILURE() << "a chooser did not show what the test waited for";
            self.steps_.clear();
            for (HWND owner = nullptr, shown; (shown = ShownDialog(owner)); owner = shown)
                PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
        }
    }

    static inline Answers* current_ = nullptr;
    std::deque<std::function<bool()>> steps_;
    UINT_PTR timer_ = 0;
    int waited_ = 0;
};

// The dialog that is up, handed to a check; false while there is none.
std::function<bool()> With(std::function<void(HWND)> check, HWND owner = nullptr) {
    return [=] {
        const HWND dialog = ShownDialog(owner);
        if (dialog) check(dialog);
        return dialog != nullptr;
    };
}

std::function<bool()> Press(int button) {
    return With([button](HWND dialog) { PostMessageW(dialog, WM_COMMAND, button, 0); });
}

// A message box's text: its longest static text, the icon's being empty.
std::wstring MessageOf(HWND box) {
    std::wstring longest;
    for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr));)
        if (TextOf(child).size() > longest.size()) longest = TextOf(child);
    return longest;
}

// A question of the chooser's own, such as whether to replace a file.
std::function<bool()> Answer(int button, std::wstring* question) {
    return [=] {
        const HWND chooser = ShownDialog(nullptr);
        const HWND box = chooser ? ShownDialog(chooser) : nullptr;
        if (!box) return false;
        *question = MessageOf(box);
        PostMessageW(box, WM_COMMAND, button, 0);
        return true;
    };
}

// The file name box: a combo box in the newer layout, an edit in the older.
HWND FileNameBox(HWND chooser) {
    const HWND combo = GetDlgItem(chooser, cmb13);
    return combo ? combo : GetDlgItem(chooser, edt1);
}

class ChoosersWin32Test : public testing::Test {
protected:
    ChoosersWin32Test() {
        GetCurrentDirectoryW(MAX_PATH, previous);
        SetCurrentDirectoryW(folder.c_str());
    }
    ~ChoosersWin32Test() override { SetCurrentDirectoryW(previous); }
    std::wstring In(const std::wstring& name) const {
        return fs::weakly_canonical(folder / name).wstring();
    }
    static std::wstring Wide(const std::optional<platform::FilePath>& path) {
        return path ? std::wstring(path->units.begin(), path->units.end()) : L"(cancelled)";
    }

    const TempFolder temp{L"petarino-choosers"};
    const fs::path& folder = temp.Path();
    wchar_t previous[MAX_PATH]{};
    Win32Choosers choosers;
};

TEST_F(ChoosersWin32Test, SaveProposesTheTitleAddsTxtAndAsksBeforeReplacing) {
    std::wstring caption;
    std::wstring proposed;
    std::vector<std::wstring> filters;
    bool readOnlyShown = true;
    std::optional<platform::FilePath> saved;
    {
        const Answers answers(
            {With([&](HWND chooser) {
                 caption = TextOf(chooser);
                 proposed = TextOf(FileNameBox(chooser));
                 const HWND types = GetDlgItem(chooser, cmb1);
                 for (int i = 0; i < SendMessageW(types, CB_GETCOUNT, 0, 0); ++i) {
                     wchar_t name[64]{};
                     SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
                     filters.emplace_back(name);
                 }
                 const HWND readOnly = GetDlgItem(chooser, chx1);
                 readOnlyShown = readOnly && IsWindowVisible(readOnly);
             }),
             Press(IDOK)});
        saved = choosers.PickFileToSave(u"メモ", platform::FileKind::Text);
    }
    EXPECT_EQ(FromWide(caption), "ペタリノの保存");
    EXPECT_EQ(FromWide(proposed), "メモ");
    EXPECT_EQ(filters, (std::vector<std::wstring>{ToWide("テキストファイル(*.txt)"),
                                                  ToWide("すべてのファイル(*.*)")}));
    EXPECT_FALSE(readOnlyShown);
    EXPECT_EQ(Wide(saved), In(ToWide("メモ.txt"))) << "a name that does not exist yet, with txt";

    std::ofstream(folder / L"old.txt") << "old";
    std::wstring question;
    {
        const Answers answers({Press(IDOK), Answer(IDNO, &question), Press(IDCANCEL)});
        saved = choosers.PickFileToSave(u"old", platform::FileKind::Text);
    }
    EXPECT_FALSE(saved) << "No to the question keeps the chooser open; then cancelled";
    EXPECT_FALSE(question.empty()) << "asked before replacing";
    {
        const Answers answers({Press(IDOK), Answer(IDYES, &question)});
        saved = choosers.PickFileToSave(u"old.txt", platform::FileKind::Text);
    }
    EXPECT_EQ(Wide(saved), In(L"old.txt"));
}

TEST_F(ChoosersWin32Test, LoadTakesAnExistingFileAndStartsAtTheLastOne) {
    std::ofstream(folder / L"a.txt") << "a";
    std::wstring caption;
    std::optional<platform::FilePath> loaded;
    {
        const Answers answers({With([&](HWND chooser) {
                                   caption = TextOf(chooser);
                                   SetWindowTextW(FileNameBox(chooser), In(L"a.txt").c_str());
                               }),
                               Press(IDOK)});
        loaded = choosers.PickFileToLoad(platform::FileKind::Text);
    }
    EXPECT_EQ(FromWide(caption), "ファイルのロード");
    EXPECT_EQ(Wide(loaded), In(L"a.txt"));

    std::wstring startedAt;
    {
        const Answers answers(
            {With([&](HWND chooser) { startedAt = TextOf(FileNameBox(chooser)); }),
             Press(IDCANCEL)});
        loaded = choosers.PickFileToLoad(platform::FileKind::Text);
    }
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(startedAt.ends_with(L"a.txt")) << FromWide(startedAt);
}

// A system colour starts at its present value; OK gives a fixed colour, Cancel nothing.
TEST_F(ChoosersWin32Test, ColorStartsAtThePresentValue) {
    std::optional<Color> color;
    {
        const Answers answers({Press(IDOK)});
        color = choosers.PickColor(clBtnFace);
    }
    EXPECT_EQ(color, std::optional<Color>(GetSysColor(COLOR_BTNFACE)));
    {
        const Answers answers({Press(IDCANCEL)});
        color = choosers.PickColor(0x00123456);
    }
    EXPECT_FALSE(color);
}

// The folder chooser starts at the folder given and gives back what is selected at OK; in
// the apartment it enters, the file choosers still work. (Wine's chooser takes no path typed
// into its box, so a choice is made in its tree.)
TEST_F(ChoosersWin32Test, FolderStartsAtTheFolderGivenAndTheFileChoosersStillWork) {
    const fs::path start = folder / L"同期先";
    const fs::path inside = start / L"メモ";
    fs::create_directories(inside);
    const platform::FilePath startPath{std::u16string(start.u16string())};
    std::wstring shown;
    std::optional<platform::FilePath> picked;
    {
        // Wine fills the chooser's tree as it shows, the start selected once it is there.
        const auto showsStart = [&] {
            const HWND chooser = ShownDialog(nullptr);
            if (chooser) shown = TextOf(FindWindowExW(chooser, nullptr, L"Edit", nullptr));
            return FromWide(shown) == "同期先";
        };
        const Answers answers({showsStart, Press(IDOK)});
        picked = choosers.PickFolder(startPath);
    }
    EXPECT_EQ(FromWide(shown), "同期先");
    EXPECT_EQ(Wide(picked), start.wstring());
    {
        const Answers answers({With([&](HWND chooser) {
                                   const HWND tree =
                                       FindWindowExW(chooser, nullptr, L"SysTreeView32", nullptr);
                                   const HTREEITEM selected = TreeView_GetSelection(tree);
                                   TreeView_Expand(tree, selected, TVE_EXPAND);
                                   TreeView_SelectItem(tree, TreeView_GetChild(tree, selected));
                               }),
                               Press(IDOK)});
        picked = choosers.PickFolder(startPath);
    }
    EXPECT_EQ(Wide(picked), inside.wstring()) << "the folder selected in the tree";
    {
        const Answers answers({Press(IDCANCEL)});
        picked = choosers.PickFolder(std::nullopt);
    }
    EXPECT_FALSE(picked);

    std::optional<platform::FilePath> saved;
    {
        const Answers answers({Press(IDOK)});
        saved = choosers.PickFileToSave(u"after", platform::FileKind::Text);
    }
    EXPECT_EQ(Wide(saved), In(L"after.txt"));
}

// A scalable face the system lists for horizontal writing, whatever fonts it has.
LOGFONTW ListedFace() {
    LOGFONTW wanted{.lfCharSet = DEFAULT_CHARSET};
    LOGFONTW found{};
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(
        screen, &wanted,
        [](const LOGFONTW* face, const TEXTMETRICW*, DWORD type, LPARAM lp) {
            if (!(type & TRUETYPE_FONTTYPE) || face->lfFaceName[0] == L'@') return 1;
            *reinterpret_cast<LOGFONTW*>(lp) = *face;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

TEST_F(ChoosersWin32Test, FontComesBackAsItWasOffered) {
    const LOGFONTW face = ListedFace();
    ASSERT_NE(face.lfFaceName[0], L'\0');
    Font offered;
    offered.SetName(FromWide(face.lfFaceName));
    offered.height = -16; // 12 points at 96 pixels per inch
    offered.style = fsBold | fsUnderline;
    offered.color = 0x000000FF; // red, one of the chooser's own colours
    offered.charset = face.lfCharSet;
    std::optional<Font> font;
    {
        const Answers answers({Press(IDOK)});
        font = choosers.PickFont(offered);
    }
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Name(), offered.Name());
    EXPECT_EQ(font->height, -16);
    EXPECT_EQ(font->style, fsBold | fsUnderline);
    EXPECT_EQ(font->color, 0x000000FFu);
    {
        const Answers answers({Press(IDCANCEL)});
        font = choosers.PickFont(offered);
    }
    EXPECT_FALSE(font);
}

} // namespace
} // namespace petarino::win32
