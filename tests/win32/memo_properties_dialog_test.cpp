// The memo properties dialog and the macro palette in the test process, driven by their own
// messages from inside the dialog's modal loop; choosers and message boxes answer from
// scripts, files are real.
#include "forms/macro_palette.h"
#include "forms/memo_properties_dialog.h"
#include "forms/memo_properties_on_demand.h"
#include "platform/fake/fake_choosers.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/kernel_win32.h"
#include "testing/fake_macro_host.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_memo_factory.h"
#include "testing/macro_world.h"
#include "win32/temp_folder.h"
#include "win32/test_app_window.h"

#include <windows.h>
#include <commctrl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <imm.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace petarino::forms {
namespace {

namespace fs = std::filesystem;
namespace DialogResult = platform::DialogResult;
using win32::FromWide;
using win32::ToWide;

std::string Text(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return FromWide(text);
}

// By its caption, case and all: the system's own search ignores case, and "am,pm" is not
// "AM,PM".
HWND Child(HWND parent, const wchar_t* windowClass, std::string_view caption) {
    HWND child = nullptr;
    while ((child = FindWindowExW(parent, child, windowClass, nullptr)))
        if (Text(child) == caption) return child;
    ADD_FAILURE() << "no control " << caption;
    return nullptr;
}

RECT PlaceIn(HWND parent, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

RECT Outer(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return outer;
}

void SetText(HWND window, std::string_view text) {
    SetWindowTextW(window, ToWide(text).c_str());
}

// A form as the user sees it before it is shown: its caption, its client size, its owner.
void ExpectForm(HWND form, std::string_view caption, SIZE client, HWND owner) {
    RECT area{};
    GetClientRect(form, &area);
    EXPECT_EQ(area.right, client.cx) << caption;
    EXPECT_EQ(area.bottom, client.cy) << caption;
    EXPECT_EQ(Text(form), caption);
    EXPECT_EQ(GetWindow(form, GW_OWNER), owner) << caption;
    EXPECT_FALSE(IsWindowVisible(form)) << caption;
}

// Everything of a memo the dialog may change.
struct MemoState {
    explicit MemoState(const Memo& memo)
        : hint(memo.Hint()), titleBar(memo.TitleBar()), macroText(memo.MacroText()),
          windowColor(memo.WindowColor()), titleTextColor(memo.TitleTextColor()), text(memo.Text()),
          readOnly(memo.ReadOnly()), wordWrap(memo.WordWrap()), memoColor(memo.MemoColor()),
          font(memo.MemoFont()) {}
    friend bool operator==(const MemoState&, const MemoState&) = default;

    MemoText hint;
    int32_t titleBar;
    MemoText macroText;
    Color windowColor;
    Color titleTextColor;
    MemoText text;
    bool readOnly;
    bool wordWrap;
    Color memoColor;
    Font font;
};

// What the dialog is made with: the application's window, the fakes, the table.
class MemoSetWorld : public testing::Test {
protected:
    AppWindow app;
    platform::FakeWindowSystem windows;
    platform::FakeChoosers choosers;
    win32::Win32Files files;
    win32::KernelWin32 kernel;
    TickTimer timer;
    InMemoryMemoFactory factory;
    FakeStatusList list;
    MemoTable table{factory, list, windows};
};

class MemoSetTest : public MemoSetWorld {
protected:
    HWND Dialog() const { return memoSet.Handle(); }
    HWND Palette() const { return macroSet.Handle(); }
    HWND Button(std::string_view caption) const { return Child(Dialog(), L"BUTTON", caption); }
    // The title box comes before the text box in tab order.
    HWND TitleBox() const { return FindWindowExW(Dialog(), nullptr, L"EDIT", nullptr); }
    void Click(std::string_view caption) const { SendMessageW(Button(caption), BM_CLICK, 0, 0); }
    void ClickBlock(std::string_view caption) const {
        const HWND label = Child(Palette(), L"STATIC", caption);
        SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(label, WM_LBUTTONUP, 0, 0);
    }
    std::string MacroText() const { return Text(memoSet.MacroBox()); }

    // Runs the steps inside the dialog's modal run for the memo, then closes it with the button.
    int Run(std::function<void()> steps, std::string_view closeWith = "OK") {
        app.Post([=, this] {
            steps();
            Click(closeWith);
        });
        return Execute();
    }
    int Execute() {
        return app.RunWatched(
            Dialog(), [this] { Click("ｷｬﾝｾﾙ"); }, [this] { return memoSet.Execute(memo); });
    }

    platform::FilePath File(std::string_view name) const {
        const std::wstring wide = (folder / ToWide(name)).wstring();
        return {std::u16string(wide.begin(), wide.end())};
    }
    void Put(std::string_view name, std::string_view bytes) const {
        std::ofstream(folder / ToWide(name), std::ios::binary) << bytes;
    }
    std::string Read(std::string_view name) const {
        std::ifstream file(folder / ToWide(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    const win32::TempFolder temp{L"petarino-memo-set"};
    const fs::path& folder = temp.Path();
    TMemoSet memoSet{app.Handle(), windows, choosers, files, kernel, timer, table};
    TMacroSet macroSet{app.Handle(), windows, memoSet};
    Memo& memo = *table.CreateMemo();
};

struct ControlPlace {
    const wchar_t* windowClass;
    std::string_view caption;
    RECT place;
};

TEST_F(MemoSetTest, ControlsStandAtTheirPlacesInTabOrder) {
    ExpectForm(Dialog(), "メモのプロパティ", {505, 166}, app.Handle());
    const ControlPlace controls[] = {
        {L"BUTTON", "右端で折り返す", {133, 5, 238, 22}},
        {L"BUTTON", "開く(&O)...", {8, 136, 65, 161}},
        {L"BUTTON", "保存(&S)...", {64, 136, 121, 161}},
        {L"BUTTON", "フォント(&F)", {120, 136, 185, 161}},
        {L"BUTTON", "背景色(&B)", {184, 136, 249, 161}},
        {L"BUTTON", "マクロツール", {248, 136, 329, 161}},
        {L"BUTTON", "タイトルバー", {264, 8, 497, 129}},
        {L"BUTTON", "文字色", {360, 67, 425, 92}},
        {L"BUTTON", "背景色", {424, 67, 489, 92}},
        {L"BUTTON", "OK", {352, 136, 425, 161}},
        {L"BUTTON", "ｷｬﾝｾﾙ", {424, 136, 497, 161}},
    };
    for (const ControlPlace& control : controls) {
        const RECT place = PlaceIn(Dialog(), Child(Dialog(), control.windowClass, control.caption));
        EXPECT_TRUE(EqualRect(&place, &control.place)) << control.caption;
    }
    const RECT macro = PlaceIn(Dialog(), memoSet.MacroBox());
    const RECT title = PlaceIn(Dialog(), TitleBox());
    EXPECT_TRUE(EqualRect(&macro, &(const RECT&)RECT{8, 24, 249, 137}));
    EXPECT_TRUE(EqualRect(&title, &(const RECT&)RECT{360, 40, 489, 60}));
    EXPECT_EQ(Text(memoSet.MacroBox()), "Macro") << "until first opened";
    EXPECT_EQ(Text(TitleBox()), "Title");

    std::vector<std::string> order;
    Run([&] {
        HWND control = Button("OK");
        do {
            order.push_back(control == memoSet.MacroBox() ? "Macro"
                            : control == TitleBox()       ? "Title"
                                                          : Text(control));
            control = GetNextDlgTabItem(Dialog(), control, FALSE);
        } while (control && control != Button("OK") && order.size() < 20);
    });
    // The new memo's layout 2 is checked, and a checked radio button is the group's stop.
    EXPECT_EQ(order,
              (std::vector<std::string>{"OK", "ｷｬﾝｾﾙ", "フォント(&F)", "背景色(&B)", "右端 縦書き",
                                        "文字色", "背景色", "Title", "右端で折り返す", "Macro",
                                        "マクロツール", "開く(&O)...", "保存(&S)..."}));
}

// The forms of this thread with the class, made and not destroyed.
std::vector<HWND> FormsOfClass(const wchar_t* windowClass) {
    struct Search {
        const wchar_t* windowClass;
        std::vector<HWND> found;
    } search{windowClass, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM lp) {
            auto& wanted = *reinterpret_cast<Search*>(lp);
            wchar_t name[32]{};
            GetClassNameW(window, name, 32);
            if (lstrcmpW(name, wanted.windowClass) == 0) wanted.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(MemoSetTest, PaletteBlocksStandAtTheirPlacesWithTooltipsOfTheirText) {
    ExpectForm(Palette(), "マクロツール", {448, 199}, app.Handle());

    // The palette's tooltip control: a top-level window of the thread that the palette owns.
    HWND tooltips = nullptr;
    for (const HWND window : FormsOfClass(TOOLTIPS_CLASSW))
        if (GetWindow(window, GW_OWNER) == Palette()) tooltips = window;
    ASSERT_NE(tooltips, nullptr);
    EXPECT_EQ(GetWindow(tooltips, GW_OWNER), Palette());
    EXPECT_EQ(SendMessageW(tooltips, TTM_GETTOOLCOUNT, 0, 0), 30);
    for (const PaletteBlock& block : kPaletteBlocks) {
        const HWND label = Child(Palette(), L"STATIC", block.caption);
        const RECT place = PlaceIn(Palette(), label);
        EXPECT_EQ(place.left, block.left) << block.caption;
        EXPECT_EQ(place.top, block.top) << block.caption;
        EXPECT_GT(place.right - place.left, 0) << block.caption;
        wchar_t tip[64]{};
        TTTOOLINFOW tool{.cbSize = TTTOOLINFOW_V2_SIZE,
                         .hwnd = Palette(),
                         .uId = reinterpret_cast<UINT_PTR>(label),
                         .lpszText = tip};
        const bool hasTool =
            SendMessageW(tooltips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(hasTool, !block.hint.empty()) << block.caption;
        if (hasTool) {
            SendMessageW(tooltips, TTM_GETTEXTW, std::size(tip), reinterpret_cast<LPARAM>(&tool));
            EXPECT_EQ(FromWide(tip), block.hint) << block.caption;
        }
    }
    const HWND edit1 = FindWindowExW(Palette(), nullptr, L"EDIT", nullptr);
    const HWND edit2 = FindWindowExW(Palette(), edit1, L"EDIT", nullptr);
    const RECT place1 = PlaceIn(Palette(), edit1);
    const RECT place2 = PlaceIn(Palette(), edit2);
    EXPECT_TRUE(EqualRect(&place1, &(const RECT&)RECT{160, 144, 281, 164}));
    EXPECT_TRUE(EqualRect(&place2, &(const RECT&)RECT{360, 53, 433, 73}));
    EXPECT_EQ(Text(edit1), "");
    EXPECT_EQ(Text(edit2), "1996/01/01");
    EXPECT_EQ(GetNextDlgTabItem(Palette(), edit1, FALSE), edit2);
    // The date field has no input method; the literal may be Japanese.
    const HIMC context = ImmGetContext(edit1);
    EXPECT_NE(context, nullptr);
    ImmReleaseContext(edit1, context);
    EXPECT_EQ(ImmGetContext(edit2), nullptr);
}

// The road of one macro memo, from the new memo to the year it shows after the next tick.
TEST_F(MemoSetTest, ThePaletteWritesAMacroThatOkMakesTheMemosSource) {
    RECT dialog{};
    RECT palette{};
    HWND focus = nullptr;
    const int result = Run([&] {
        Click("マクロツール");
        dialog = Outer(Dialog());
        palette = Outer(Palette());
        EXPECT_TRUE(IsWindowVisible(Palette()));
        ClickBlock("最初にこれを押す[マクロ開始記号]");
        ClickBlock("年(1996)");
        ClickBlock("最後にこれを押す[マクロ終了記号]");
        EXPECT_EQ(MacroText(), "N#{yyyy#}");
        focus = GetFocus();
    });
    EXPECT_EQ(result, DialogResult::Ok);
    EXPECT_EQ(palette.left, dialog.left);
    EXPECT_EQ(palette.top, dialog.bottom) << "below the dialog's frame";
    EXPECT_EQ(focus, memoSet.MacroBox()) << "each click gives the text box the focus";
    EXPECT_FALSE(IsWindowVisible(Palette())) << "hidden with the dialog";
    EXPECT_FALSE(IsWindowVisible(Dialog()));

    EXPECT_EQ(memo.MacroText(), u"N#{yyyy#}");
    EXPECT_TRUE(memo.ReadOnly());
    EXPECT_EQ(memo.Text(), u"") << "the expansion comes with the next tick";
    EXPECT_TRUE(timer.Enabled());
    MacroWorld world;
    FakeMacroHost host;
    world.expander.ExpandMacros(memo, host);
    EXPECT_EQ(memo.Text(), u"2026");
}

TEST_F(MemoSetTest, BlocksReplaceTheSelectionWithoutUndo) {
    const HWND edit1 = FindWindowExW(Palette(), nullptr, L"EDIT", nullptr);
    const HWND edit2 = FindWindowExW(Palette(), edit1, L"EDIT", nullptr);
    Run([&] {
        Click("マクロツール");
        SetText(memoSet.MacroBox(), "");
        for (const char* block : {"最初にこれを押す[マクロ開始記号]", "年(1996)", "月(09)",
                                  "日(03)", "最後にこれを押す[マクロ終了記号]"})
            ClickBlock(block);
        EXPECT_EQ(MacroText(), "N#{yyyymmdd#}");

        SetText(memoSet.MacroBox(), "x-y");
        SendMessageW(memoSet.MacroBox(), EM_SETSEL, 1, 2);
        ClickBlock("下の日まであと何日？");
        EXPECT_EQ(MacroText(), "xa#{1996/01/01#}y");
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(memoSet.MacroBox(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 16u) << "the caret behind the inserted text";
        EXPECT_EQ(end, 16u);
        EXPECT_FALSE(SendMessageW(memoSet.MacroBox(), EM_CANUNDO, 0, 0));

        SetText(memoSet.MacroBox(), "");
        SetText(edit2, "");
        ClickBlock("下の日から何日経った？");
        ClickBlock("マクロ中に右の文字を追加");
        SetText(edit1, "時\"分");
        ClickBlock("マクロ中に右の文字を追加");
        EXPECT_EQ(MacroText(), "s#{#}\"\"\"時\"分\"");
    });
}

TEST_F(MemoSetTest, ThePaletteComesBackBelowTheDialogAfterItWasMovedAndClosed) {
    RECT dialog{};
    RECT palette{};
    Run([&] {
        Click("マクロツール");
        SetWindowPos(Palette(), nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageW(Palette(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_FALSE(IsWindowVisible(Palette()));
        EXPECT_TRUE(IsWindowVisible(Dialog())) << "closing the palette leaves the dialog";
        SetWindowPos(Dialog(), nullptr, 40, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Click("マクロツール");
        dialog = Outer(Dialog());
        palette = Outer(Palette());
    });
    EXPECT_EQ(palette.left, 40);
    EXPECT_EQ(palette.top, dialog.bottom) << "not kept inside the screen";
}

// Cancel, Esc and the close box: the memo stays exactly as it was, whatever the dialog's
// controls went through, and nothing else happens.
TEST_F(MemoSetTest, CancelEscAndTheCloseBoxChangeNothing) {
    memo.SetMacroText(u"N#{hh:nn#}");
    memo.SetReadOnly(true);
    memo.SetText(u"09:00");
    memo.SetHint(u"時計");
    table.RefreshStatusList();
    const MemoState before(memo);
    Put("new.txt", "loaded\nfrom a file");
    const std::function<void()> closers[] = {
        [&] { Click("ｷｬﾝｾﾙ"); },
        [&] { PostMessageW(TitleBox(), WM_KEYDOWN, VK_ESCAPE, 0); },
        [&] { SendMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& close : closers) {
        choosers.AnswerFont(Font{});
        choosers.AnswerColor(0x000000FF);
        choosers.AnswerColor(0x0000FF00);
        choosers.AnswerColor(0x00FF0000);
        choosers.AnswerLoad(File("new.txt"));
        app.Post([&] {
            Click("フォント(&F)");
            Click("背景色(&B)");
            Click("文字色");
            Click("背景色");
            Click("開く(&O)...");
            EXPECT_EQ(MacroText(), "loaded\r\nfrom a file");
            SetText(TitleBox(), "別の題");
            Click("右端で折り返す");
            Click("左端 横書き");
            close();
        });
        EXPECT_EQ(Execute(), DialogResult::Cancel);
        EXPECT_TRUE(MemoState(memo) == before);
        EXPECT_FALSE(timer.Enabled());
        EXPECT_EQ(list.Rows(), std::vector<MemoText>{u"○ - 時計"});
    }
    EXPECT_EQ(choosers.LoadsOpened(), 3);

    // Enter in the title box is OK.
    app.Post([&] { PostMessageW(TitleBox(), WM_KEYDOWN, VK_RETURN, 0); });
    EXPECT_EQ(Execute(), DialogResult::Ok);
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(MemoSetTest, LayoutsOutsideTheItemsAreBroughtIntoThem) {
    memo.SetTitleBar(9);
    bool lastChecked = false;
    Run([&] { lastChecked = SendMessageW(Button("なし (&N)"), BM_GETCHECK, 0, 0); });
    EXPECT_TRUE(lastChecked);
    EXPECT_EQ(memo.TitleBar(), 5);

    memo.SetTitleBar(-3);
    int checked = 0;
    HWND tabStop = nullptr;
    Run([&] {
        for (const char* item : {"上端 横書き", "右端 横書き", "右端 縦書き", "左端 横書き",
                                 "左端 縦書き", "なし (&N)"})
            checked += SendMessageW(Button(item), BM_GETCHECK, 0, 0) == BST_CHECKED;
        tabStop = GetNextDlgTabItem(Dialog(), Button("背景色(&B)"), FALSE);
    });
    EXPECT_EQ(checked, 0);
    EXPECT_EQ(tabStop, Button("上端 横書き")) << "the group is still reached with the tab key";
    EXPECT_EQ(memo.TitleBar(), -1);

    Run([&] { Click("左端 縦書き"); });
    EXPECT_EQ(memo.TitleBar(), 4);
}

// The title box shows the title in the strip's colours, the text box the text in the memo's
// font and colours; a system colour as it is now.
TEST_F(MemoSetTest, TheBoxesShowTheMemosColoursAndFont) {
    Font font;
    font.SetName("ＭＳ 明朝");
    font.height = -20;
    font.style = fsItalic;
    font.color = 0x00123456;
    memo.SetMemoFont(font);
    memo.SetMemoColor(0x00ABCDEF);
    memo.SetWindowColor(clBtnFace);
    memo.SetTitleTextColor(0x000000FF);
    struct Colors {
        COLORREF text;
        COLORREF back;
        COLORREF brush;
    };
    const auto colorsOf = [&](HWND edit) {
        const HDC dc = CreateCompatibleDC(nullptr);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(Dialog(), WM_CTLCOLOREDIT,
                                                                 reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(edit)));
        LOGBRUSH logBrush{};
        GetObjectW(brush, sizeof logBrush, &logBrush);
        const Colors colors{GetTextColor(dc), GetBkColor(dc), logBrush.lbColor};
        DeleteDC(dc);
        return colors;
    };
    Colors title{};
    Colors text{};
    LOGFONTW shown{};
    Run([&] {
        title = colorsOf(TitleBox());
        text = colorsOf(memoSet.MacroBox());
        const auto handle =
            reinterpret_cast<HFONT>(SendMessageW(memoSet.MacroBox(), WM_GETFONT, 0, 0));
        GetObjectW(handle, sizeof shown, &shown);
    });
    EXPECT_EQ(title.text, 0x000000FFu);
    EXPECT_EQ(title.back, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(title.brush, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(text.text, 0x00123456u);
    EXPECT_EQ(text.back, 0x00ABCDEFu);
    EXPECT_EQ(text.brush, 0x00ABCDEFu);
    EXPECT_EQ(FromWide(shown.lfFaceName), "ＭＳ 明朝");
    EXPECT_EQ(shown.lfHeight, -20);
    EXPECT_TRUE(shown.lfItalic);
    EXPECT_EQ(memo.MemoFont(), font) << "OK hands back what it was given";
    EXPECT_EQ(memo.WindowColor(), clBtnFace) << "a system colour stays one";
}

// Files named in full in their messages; the dialog stays open and its text as it was.
TEST_F(MemoSetTest, FileCommandsReportTheirErrorsAndKeepTheText) {
    Put("lf.txt", "a\nb\n");
    Put("cr.txt", "c\rd");
    Put("old.txt", "old");
    choosers.AnswerLoad(File("lf.txt"));
    choosers.AnswerLoad(File("missing.txt"));
    choosers.AnswerLoad(File("cr.txt"));
    choosers.AnswerSave(File("old.txt"));
    choosers.AnswerSave(File("no such folder\\x.txt"));
    std::vector<std::string> texts;
    Run(
        [&] {
            SetText(TitleBox(), "保存名");
            Click("開く(&O)...");
            texts.push_back(MacroText());
            Click("開く(&O)...");
            texts.push_back(MacroText());
            EXPECT_TRUE(IsWindowVisible(Dialog()));
            Click("保存(&S)...");
            Click("開く(&O)...");
            texts.push_back(MacroText());
            Click("保存(&S)...");
        },
        "ｷｬﾝｾﾙ");
    EXPECT_EQ(texts, (std::vector<std::string>{"a\r\nb\r\n", "a\r\nb\r\n", "c\r\nd"}));
    EXPECT_EQ(Read("old.txt"), "a\r\nb\r\n") << "replaced whole, byte for byte";
    EXPECT_EQ(choosers.ProposedNames(), (std::vector<std::u16string>{u"保存名", u"保存名"}));
    ASSERT_EQ(windows.Shown().size(), 2u);
    EXPECT_EQ(windows.Shown()[0].text,
              "ﾌｧｲﾙ " + files.Display(File("missing.txt")) + " は開けません.");
    EXPECT_EQ(windows.Shown()[1].text,
              "ﾌｧｲﾙ " + files.Display(File("no such folder\\x.txt")) + " を作成できません.");
    EXPECT_EQ(windows.Shown()[1].caption, "ペタリノ");
    EXPECT_FALSE(fs::exists(folder / L"no such folder"));
}

// While the dialog runs the clock ticks on and the other windows take no input; the memo that
// asks for the dialog meanwhile is refused, and the program's end cancels it.
TEST_F(MemoSetTest, TheModalRunKeepsTickingAndHoldsTheOtherWindows) {
    const HWND memoWindow = CreateWindowExW(0, L"STATIC", L"memo", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                            50, app.Handle(), nullptr, nullptr, nullptr);
    int ticks = 0;
    bool disabled = false;
    int nested = 0;
    app.Tick([&] {
        if (++ticks == 1) {
            disabled = !IsWindowEnabled(memoWindow);
            nested = memoSet.Execute(*table.CreateMemo());
        }
        if (ticks < 3) return true;
        Click("OK");
        return false;
    });
    EXPECT_EQ(memoSet.Execute(memo), DialogResult::Ok);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(disabled);
    EXPECT_EQ(nested, DialogResult::Cancel);
    EXPECT_TRUE(IsWindowEnabled(memoWindow));

    memo.SetHint(u"before");
    app.Post([&] {
        SetText(TitleBox(), "after");
        PostQuitMessage(3);
    });
    EXPECT_EQ(Execute(), DialogResult::Cancel);
    EXPECT_EQ(memo.Hint(), u"before");
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "passed on";
    EXPECT_EQ(quit.wParam, 3u);
    DestroyWindow(memoWindow);
}

using MemoPropertiesDialogTest = MemoSetWorld;

TEST_F(MemoPropertiesDialogTest, IsMadeWithItsPaletteAtTheFirstOpeningAndServesEveryOneAfter) {
    Memo& memo = *table.CreateMemo();
    MemoPropertiesOnDemand dialog(app.Handle(), windows, choosers, files, kernel, timer, table);
    EXPECT_TRUE(FormsOfClass(L"TMemoSet").empty());
    EXPECT_TRUE(FormsOfClass(L"TMacroSet").empty());

    // Closed with the button, or cancelled by the watch if the button is not there.
    const auto open = [&](std::string_view closeWith) {
        app.Post([&] {
            const std::vector<HWND> shown = FormsOfClass(L"TMemoSet");
            ASSERT_EQ(shown.size(), 1u);
            SendMessageW(Child(shown.front(), L"BUTTON", closeWith), BM_CLICK, 0, 0);
        });
        app.Tick([&] {
            for (HWND form : FormsOfClass(L"TMemoSet"))
                if (IsWindowVisible(form)) PostMessageW(form, WM_CLOSE, 0, 0);
            return false;
        });
        const int result = dialog.Execute(memo);
        app.StopTicking();
        return result;
    };
    EXPECT_EQ(open("OK"), 1);
    const std::vector<HWND> made = FormsOfClass(L"TMemoSet");
    EXPECT_EQ(made.size(), 1u);
    EXPECT_EQ(FormsOfClass(L"TMacroSet").size(), 1u);
    EXPECT_EQ(open("ｷｬﾝｾﾙ"), 2);
    EXPECT_EQ(FormsOfClass(L"TMemoSet"), made);
    EXPECT_EQ(FormsOfClass(L"TMacroSet").size(), 1u);
}

} // namespace
} // namespace petarino::forms
