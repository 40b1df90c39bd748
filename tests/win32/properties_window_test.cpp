// The properties window in the test process, on the fake registry and message boxes: its
// controls where they belong, the tray icon's events, the settings bound to the core, the
// tick, and the close routes through the exit sequence.
#include "desk/desk.h"
#include "forms/properties_window.h"
#include "macro/era_calendar.h"
#include "platform/fake/fake_choosers.h"
#include "platform/fake/fake_graphics.h"
#include "platform/fake/fake_kernel.h"
#include "platform/fake/fake_registry.h"
#include "platform/fake/fake_window_system.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/files_win32.h"
#include "store/store_layout.h"
#include "testing/in_memory_memo_factory.h"
#include "win32/temp_folder.h"

#include <commctrl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace petarino::forms {
namespace {

using platform::DialogResult::No;
using platform::DialogResult::Yes;

std::wstring TextOf(HWND window) {
    wchar_t text[256]{};
    GetWindowTextW(window, text, 256);
    return text;
}

HWND Child(HWND parent, const wchar_t* caption) {
    return FindWindowExW(parent, nullptr, nullptr, caption);
}

// A control's rectangle in its parent's client pixels.
RECT PlaceOf(HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

::testing::AssertionResult At(HWND control, int left, int top, int width, int height) {
    const RECT r = PlaceOf(control);
    if (r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at " << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
}

std::optional<int32_t> Stored(const platform::FakeRegistry& registry, std::string_view name) {
    const auto value = registry.Value(store::kProgramKey, name);
    if (!value) return std::nullopt;
    return platform::IntegerOf(name, *value);
}

struct PropertiesWindowWorld {
    PropertiesWindowWorld() : locale(LoadFormatLocale(kernel)) {
        kernel.SetUptimeMilliseconds(5'000'000);
    }

    void Start() {
        form = std::make_unique<TDouguForm>(
            DouguFormServices{.application = nullptr,
                              .icon = LoadIconW(nullptr, IDI_APPLICATION),
                              .desk = {.windows = windows,
                                       .kernel = kernel,
                                       .registry = registry,
                                       .graphics = graphics,
                                       .files = files,
                                       .choosers = choosers,
                                       .locale = locale,
                                       .macro = {kernel, locale, eras}},
                              .closed = [this] { ++closes; }},
            [this](HWND, MemoWindowOwner&) {
                auto made = std::make_unique<InMemoryMemoFactory>();
                factory = made.get();
                return made;
            });
    }
    HWND Window() const { return form->Handle(); }
    // As the tray icon's click opens it; the first opening makes the controls.
    void Open() const { SendMessageW(Window(), kNotifyIconMessage, 1, WM_LBUTTONUP); }
    HWND Control(int id) const {
        if (HWND control = GetDlgItem(Window(), id)) return control;
        for (HWND page = nullptr; (page = FindWindowExW(Window(), page, nullptr, nullptr));)
            if (HWND control = GetDlgItem(page, id)) return control;
        return nullptr;
    }
    void Click(int id) const { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    // As a click on its tab: the tab control selects it and tells the window.
    void SelectPage(int page) const {
        const HWND tabs = FindWindowExW(Window(), nullptr, WC_TABCONTROLW, nullptr);
        TabCtrl_SetCurSel(tabs, page);
        NMHDR change{.hwndFrom = tabs, .idFrom = 0, .code = TCN_SELCHANGE};
        SendMessageW(Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    }
    void Tick() {
        kernel.SetUptimeMilliseconds(kernel.UptimeMilliseconds() + 1000);
        SendMessageW(Window(), WM_TIMER, 1, 0);
    }
    std::wstring Row(int row) const {
        wchar_t text[256]{};
        SendMessageW(Control(klbShow), LB_GETTEXT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }
    int Rows() const { return static_cast<int>(SendMessageW(Control(klbShow), LB_GETCOUNT, 0, 0)); }
    bool Closed() const { return closes > 0; }

    platform::FakeKernel kernel;
    FormatLocale locale;
    EraCalendar eras{kernel, locale.identity};
    platform::FakeWindowSystem windows;
    platform::FakeRegistry registry;
    platform::FakeGraphics graphics;
    win32::Win32Files files;
    platform::FakeChoosers choosers;
    InMemoryMemoFactory* factory = nullptr;
    std::unique_ptr<TDouguForm> form;
    int closes = 0;
};

// The controls are made at the first opening and take over what the load and the memos
// gave the settings and the status list before it.
TEST(PropertiesWindow, StartsHiddenAndItsFirstOpeningMakesEveryControlInPlace) {
    PropertiesWindowWorld world;
    world.registry.SetValue(store::kProgramKey, "Exec", platform::DwordValue(4));
    world.registry.SetValue(store::kProgramKey, "SaveTiming", platform::DwordValue(25));
    world.registry.SetValue(store::kProgramKey, "Alart", platform::DwordValue(1));
    world.Start();
    const HWND window = world.Window();
    wchar_t className[32]{};
    GetClassNameW(window, className, 32);
    EXPECT_STREQ(className, L"TDouguForm");
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(TextOf(window), L"ペタリノのプロパティ");
    EXPECT_EQ(FindWindowExW(window, nullptr, nullptr, nullptr), nullptr) << "no control yet";

    world.form->Desk().Table().CreateMemo();
    world.form->Desk().Table().CreateMemo();
    world.form->Desk().Table().Memos(1).SetVisible(false);
    world.Open();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 280);
    EXPECT_EQ(client.bottom, 222);

    EXPECT_TRUE(At(world.Control(keSearch), 8, 8, 241, 20));
    EXPECT_TRUE(At(world.Control(klbShow), 8, 32, 241, 89));
    EXPECT_TRUE(At(world.Control(kbShow), 8, 120, 81, 25));
    EXPECT_TRUE(At(world.Control(kbDestroy), 88, 120, 81, 25));
    EXPECT_TRUE(At(world.Control(kButton3), 168, 120, 81, 25));
    EXPECT_TRUE(At(world.Control(kcbSave), 8, 9, 81, 17));
    EXPECT_TRUE(At(world.Control(keSave), 90, 8, 25, 20));
    EXPECT_TRUE(At(world.Control(kudSave), 115, 8, 15, 20));
    EXPECT_TRUE(At(world.Control(kcbText), 8, 32, 161, 17));
    EXPECT_TRUE(At(world.Control(kcbAlart), 8, 56, 129, 17));
    EXPECT_TRUE(At(world.Control(kbOk), 192, 192, 81, 25));
    EXPECT_TRUE(At(world.Control(kButton1), 8, 192, 75, 25));
    EXPECT_EQ(TextOf(world.Control(kButton1)), L"終了(&X)");
    EXPECT_EQ(TextOf(world.Control(kcbText)), L"終了時にメモをテキスト化");

    // The load set the settings, the controls show them, and the tooltips appear at once.
    EXPECT_EQ(TextOf(world.Control(keSave)), L"25");
    EXPECT_EQ(SendMessageW(world.Control(kcbAlart), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(world.Control(kcbText), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ASSERT_EQ(world.Rows(), 2);
    EXPECT_EQ(world.Row(1), L"× - 無題");
    EXPECT_EQ(world.windows.TooltipDelay(), 0);
    EXPECT_EQ(world.form->Desk().Clock().Exec(), 5);
    EXPECT_TRUE(world.form->Desk().Clock().Timer1().Runs());
}

// The mark in a hotkey row's box that shows a key another program holds.
HWND InUseMark(HWND box) {
    return FindWindowExW(box, nullptr, WC_STATICW, L"（使用中）");
}

// The pixels of the mark's grey text painted where the mark lies, shown or not, once its box
// has painted itself anew as it does at every key.
int GreyPixelsAt(HWND mark) {
    const HWND box = GetParent(mark);
    const HWND page = GetParent(box);
    InvalidateRect(box, nullptr, TRUE);
    UpdateWindow(box);
    RECT place{};
    GetWindowRect(mark, &place);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&place), 2);
    const HDC dc = GetDC(page);
    int grey = 0;
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x)
            grey += GetPixel(dc, x, y) == GetSysColor(COLOR_GRAYTEXT);
    ReleaseDC(page, dc);
    return grey;
}

// The page "拡張": two hotkey rows holding the stored keys, registered on start; a key held
// elsewhere is reported by name once, stays chosen with a mark beside it, and is the program's
// once the page shows after the other program let it go; a changed key takes the old one's
// place; a pressed one makes a memo; none is left held after the exit.
TEST(PropertiesWindow, HotkeyRowsHoldTheKeysTheProgramRegisters) {
    using Hotkey = platform::FakeWindowSystem::Hotkey;
    PropertiesWindowWorld world;
    world.registry.SetValue(store::kProgramKey, "HotKeyNewMemo", platform::DwordValue(0x064E));
    world.registry.SetValue(store::kProgramKey, "HotKeyFront", platform::DwordValue(0x0646));
    world.windows.HoldElsewhere({0x4003, 'F'});
    world.Start();
    ASSERT_EQ(world.windows.Shown().size(), 1u);
    EXPECT_EQ(world.windows.Shown()[0].text,
              "ホットキー Ctrl+Alt+F は他のプログラムが使用しているため登録できません.");
    EXPECT_EQ(world.windows.Registered(), (std::map<int, Hotkey>{{1, {0x4003, 'N'}}}));

    world.Open();
    const HWND newMemo = world.Control(khkNewMemo);
    const HWND front = world.Control(khkFront);
    const HWND search = world.Control(khkSearch);
    EXPECT_TRUE(At(newMemo, 88, 77, 161, 20));
    EXPECT_TRUE(At(front, 88, 101, 161, 20));
    EXPECT_TRUE(At(search, 88, 125, 161, 20));
    EXPECT_EQ(SendMessageW(front, HKM_GETHOTKEY, 0, 0), 0x0646) << "the choice stays";
    EXPECT_EQ(SendMessageW(newMemo, HKM_GETHOTKEY, 0, 0), 0x064E);

    // Each row's mark lies in its box, the front row's shown.
    world.SelectPage(kExtendedPage);
    for (const HWND box : {newMemo, front, search}) {
        ASSERT_NE(InUseMark(box), nullptr);
        const RECT place = PlaceOf(InUseMark(box));
        RECT area{};
        GetClientRect(box, &area);
        RECT inside{};
        IntersectRect(&inside, &place, &area);
        EXPECT_TRUE(EqualRect(&inside, &place)) << "a mark beyond its box";
        EXPECT_GT(place.right - place.left, 0);
    }
    const auto shown = [](HWND box) { return IsWindowVisible(InUseMark(box)) != FALSE; };
    EXPECT_TRUE(shown(front));
    EXPECT_FALSE(shown(newMemo));
    EXPECT_GT(GreyPixelsAt(InUseMark(front)), 20) << "the box paints over its mark";
    EXPECT_EQ(GreyPixelsAt(InUseMark(newMemo)), 0);

    // Tried again whenever the page shows; quietly, and the program's once it is free.
    world.SelectPage(0);
    world.SelectPage(kExtendedPage);
    EXPECT_TRUE(shown(front));
    world.windows.ReleaseElsewhere({0x4003, 'F'});
    world.SelectPage(0);
    world.SelectPage(kExtendedPage);
    EXPECT_EQ(world.windows.Registered(),
              (std::map<int, Hotkey>{{1, {0x4003, 'N'}}, {2, {0x4003, 'F'}}}));
    EXPECT_FALSE(shown(front));
    EXPECT_EQ(GreyPixelsAt(InUseMark(front)), 0) << "the mark stays painted";
    EXPECT_EQ(world.windows.Shown().size(), 1u);

    // The user sets another key in the row.
    SendMessageW(front, HKM_SETHOTKEY, 0x0342, 0);
    SendMessageW(GetParent(front), WM_COMMAND, MAKEWPARAM(khkFront, EN_CHANGE),
                 reinterpret_cast<LPARAM>(front));
    EXPECT_EQ(world.windows.Registered(),
              (std::map<int, Hotkey>{{1, {0x4003, 'N'}}, {2, {0x4006, 'B'}}}));

    // One another program holds: marked, no message, kept; the window shown on that page
    // again takes it once it is free.
    world.windows.HoldElsewhere({0x4003, 'B'});
    SendMessageW(front, HKM_SETHOTKEY, 0x0642, 0);
    SendMessageW(GetParent(front), WM_COMMAND, MAKEWPARAM(khkFront, EN_CHANGE),
                 reinterpret_cast<LPARAM>(front));
    EXPECT_TRUE(shown(front));
    EXPECT_EQ(world.windows.Registered(), (std::map<int, Hotkey>{{1, {0x4003, 'N'}}}));
    EXPECT_EQ(world.windows.Shown().size(), 1u);
    world.Click(kbOk);
    world.windows.ReleaseElsewhere({0x4003, 'B'});
    world.Open();
    EXPECT_FALSE(shown(front));
    EXPECT_EQ(world.windows.Registered(),
              (std::map<int, Hotkey>{{1, {0x4003, 'N'}}, {2, {0x4003, 'B'}}}));

    world.form->HotkeyPressed(1);
    EXPECT_EQ(world.form->Desk().Table().MaxForm(), 0);
    EXPECT_TRUE(world.form->Desk().Table().Memos(0).Visible());

    world.form->Close();
    EXPECT_TRUE(world.Closed());
    EXPECT_TRUE(world.windows.Registered().empty());
    EXPECT_EQ(Stored(world.registry, "HotKeyFront"), 0x0642);
}

// Keys typed into a hotkey row as the user types them: a key alone or with Shift alone gets
// Ctrl+Alt, so the system never gets a key that every program's typing would trigger.
TEST(PropertiesWindow, HotkeyRowsTakeOnlyKeysWithCtrlOrAlt) {
    using Hotkey = platform::FakeWindowSystem::Hotkey;
    struct Row {
        std::vector<WPARAM> keys; // pressed in order, released in reverse
        LRESULT shown;
        Hotkey registered;
    };
    const Row rows[] = {
        {{'N'}, 0x064E, {0x4003, 'N'}},
        {{VK_SHIFT, 'N'}, 0x064E, {0x4003, 'N'}},
        {{VK_CONTROL, 'N'}, 0x024E, {0x4002, 'N'}},
        {{VK_MENU, 'N'}, 0x044E, {0x4001, 'N'}},
        {{VK_SHIFT, VK_MENU, 'N'}, 0x054E, {0x4005, 'N'}},
        {{VK_CONTROL, VK_SHIFT, VK_F5}, 0x0374, {0x4006, VK_F5}},
    };
    PropertiesWindowWorld world;
    world.Start();
    world.Open();
    world.SelectPage(kExtendedPage);
    const HWND box = world.Control(khkNewMemo);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        for (const WPARAM key : row.keys)
            SendMessageW(box, WM_KEYDOWN, key, 0);
        for (auto key = row.keys.rbegin(); key != row.keys.rend(); ++key)
            SendMessageW(box, WM_KEYUP, *key, 0);
        EXPECT_EQ(SendMessageW(box, HKM_GETHOTKEY, 0, 0), row.shown);
        EXPECT_EQ(world.windows.Registered(), (std::map<int, Hotkey>{{1, row.registered}}));
    }
    world.form->Close();
    EXPECT_EQ(Stored(world.registry, "HotKeyNewMemo"), 0x0374);
}

TEST(PropertiesWindow, TrayIconShowsItAndOkHidesIt) {
    PropertiesWindowWorld world;
    world.Start();
    const HWND window = world.Window();

    SendMessageW(window, kNotifyIconMessage, 1, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(window)) << "the press alone does nothing";
    SendMessageW(window, kNotifyIconMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT first{};
    GetWindowRect(window, &first);
    EXPECT_NEAR((first.left + first.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    // Before it showed, its controls took its font, its labels their captions' width in it and
    // its pages their place below the tabs.
    const HWND tabs = FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(tabs, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    RECT area{8, 8, 273, 185};
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    const HDC dc = GetDC(window);
    SelectObject(dc, font);
    int labels = 0;
    for (HWND page = nullptr; (page = FindWindowExW(window, page, L"TTabSheet", nullptr));) {
        EXPECT_TRUE(At(page, area.left, area.top, area.right - area.left, area.bottom - area.top));
        for (const std::wstring caption :
             {L"分毎にする", L"新規メモ", L"メモを前面へ", L"メモを検索"})
            if (const HWND label = Child(page, caption.c_str()); label && ++labels) {
                SIZE extent{};
                GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()),
                                      &extent);
                EXPECT_EQ(PlaceOf(label).right - PlaceOf(label).left, extent.cx) << caption;
            }
    }
    ReleaseDC(window, dc);
    EXPECT_EQ(labels, 4);

    world.Click(kbOk);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(world.Closed());

    // Shown again where it was, not centred anew.
    SetWindowPos(window, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(window, kNotifyIconMessage, 1, WM_LBUTTONUP);
    RECT again{};
    GetWindowRect(window, &again);
    EXPECT_EQ(again.left, 10);
    EXPECT_EQ(again.top, 20);
}

TEST(PropertiesWindow, StatusPageCreatesShowsAndHidesMemos) {
    PropertiesWindowWorld world;
    world.Start();
    world.Open();
    world.Click(kButton3);
    world.Click(kButton3);
    ASSERT_EQ(world.Rows(), 2);
    EXPECT_EQ(world.Row(0), L"○ - 無題");

    SendMessageW(world.Control(klbShow), LB_SETCURSEL, 1, 0);
    world.Click(kbShow);
    EXPECT_EQ(world.Row(1), L"× - 無題");
    EXPECT_EQ(SendMessageW(world.Control(klbShow), LB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(world.form->Desk().Table().Memos(1).Visible());

    // Ctrl on the mouse release destroys the selected memo, after its question.
    world.windows.ScriptAnswer(Yes);
    SendMessageW(world.Control(klbShow), WM_LBUTTONUP, MK_CONTROL, 0);
    EXPECT_EQ(world.Rows(), 1);
    EXPECT_EQ(world.form->Desk().Table().MaxForm(), 0);
}

// Typed into the search box, the list shows the memos it finds; its button and a double click
// act on the memo a row shows, not on the memo of the row's number.
TEST(PropertiesWindow, AFilteredStatusListActsOnTheMemosItShows) {
    PropertiesWindowWorld world;
    world.Start();
    MemoTable& table = world.form->Desk().Table();
    for (const char* title : {"買い物", "予定", "卵焼き", "献立"})
        table.CreateMemo()->SetHint(title);
    table.Memos(0).SetText("牛乳と卵");
    table.Memos(2).SetVisible(false);
    table.Memos(3).SetVisible(false);
    table.Memos(3).SetText("卵");
    world.Open();
    const HWND box = world.Control(keSearch);
    const HWND list = world.Control(klbShow);
    const auto rows = [&] {
        std::vector<std::wstring> shown;
        for (int row = 0; row < world.Rows(); ++row)
            shown.push_back(world.Row(row));
        return shown;
    };
    for (const wchar_t typed : std::wstring(L"卵"))
        SendMessageW(box, WM_CHAR, typed, 0);
    ASSERT_EQ(rows(), (std::vector<std::wstring>{L"○ - 買い物", L"× - 卵焼き", L"× - 献立"}));

    SendMessageW(list, LB_SETCURSEL, 1, 0);
    world.Click(kbShow);
    EXPECT_TRUE(table.Memos(2).Visible());
    EXPECT_TRUE(table.Memos(1).Visible()) << "the memo of the row's number was toggled";
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);

    SendMessageW(list, LB_SETCURSEL, 2, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(klbShow, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(table.Memos(3).Visible());
    EXPECT_EQ(world.Row(2), L"○ - 献立");
}

TEST(PropertiesWindow, TickShowsTheRunningTimeAndTheAutosavePeriodFollowsTheEdit) {
    PropertiesWindowWorld world;
    world.registry.SetValue(store::kProgramKey, "Total", platform::DwordValue(3661));
    world.Start();
    world.Tick();
    world.Open();
    HWND settings = nullptr;
    for (HWND page = nullptr; (page = FindWindowExW(world.Window(), page, L"TTabSheet", nullptr));)
        if (Child(page, L"1時間 1分 2秒")) settings = page;
    ASSERT_NE(settings, nullptr) << "the opening shows the time of the tick before it";

    world.Tick();
    EXPECT_NE(Child(settings, L"1時間 1分 3秒"), nullptr);

    // The up-down keeps 1..60; a number typed into the edit counts as soon as it is asked for.
    SendMessageW(world.Control(kudSave), UDM_SETPOS32, 0, 99);
    EXPECT_EQ(TextOf(world.Control(keSave)), L"60");
    SetWindowTextW(world.Control(keSave), L"1");
    world.Click(kcbSave);
    for (int tick = 2; tick < 60; ++tick)
        world.Tick();
    EXPECT_FALSE(Stored(world.registry, "Exec")) << "no save before the 61st tick";
    world.Tick();
    EXPECT_EQ(Stored(world.registry, "Exec"), 1);
}

TEST(PropertiesWindow, EveryCloseRouteAsksWhenSetAndSavesOnYes) {
    for (const UINT route : {UINT{kButton1}, UINT{kExit1}, UINT{WM_CLOSE}}) {
        SCOPED_TRACE(route);
        PropertiesWindowWorld world;
        world.registry.SetValue(store::kProgramKey, "Alart", platform::DwordValue(1));
        world.Start();
        const auto close = [&] {
            if (route == WM_CLOSE)
                SendMessageW(world.Window(), WM_CLOSE, 0, 0);
            else if (route == kButton1) {
                world.Open();
                world.Click(kButton1);
            } else
                SendMessageW(world.Window(), WM_COMMAND, route, 0);
        };

        world.windows.ScriptAnswer(No);
        close();
        ASSERT_FALSE(world.Closed());
        EXPECT_EQ(world.windows.Shown().back().text, "ペタリノを終了しますか？");
        EXPECT_EQ(world.windows.Shown().back().caption, "確認");
        EXPECT_FALSE(Stored(world.registry, "Exec")) << "No saves nothing";
        EXPECT_TRUE(world.form->Desk().Clock().Timer1().Runs());

        world.windows.ScriptAnswer(Yes);
        close();
        EXPECT_TRUE(world.Closed());
        EXPECT_EQ(Stored(world.registry, "Exec"), 1);
        EXPECT_EQ(Stored(world.registry, "MaxForm"), -1);
    }
}

TEST(PropertiesWindow, EndOfSessionAnswersWithTheCloseQueryAndRunsOnWhenCancelled) {
    PropertiesWindowWorld world;
    world.Start();
    EXPECT_EQ(SendMessageW(world.Window(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(Stored(world.registry, "Exec"), 1);
    EXPECT_FALSE(world.form->Desk().Clock().Timer1().Runs());
    SendMessageW(world.Window(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(world.form->Desk().Clock().Timer1().Runs())
        << "the session went on: so does the tick";
    EXPECT_FALSE(world.Closed());
}

TEST(PropertiesWindow, CloseRequestsWhileTheStoreLoadsSaveNothing) {
    PropertiesWindowWorld world;
    world.registry.SetValue(store::kProgramKey, "Exec", platform::DwordValue(4));
    world.registry.SetValue(store::kProgramKey, "MaxForm", platform::DwordValue(0));
    world.registry.SetValue(std::string(store::kProgramKey) + "\\Memo0", "Width",
                            platform::SzValue("abc"));
    // The load's error box runs a message loop, in which another program's requests arrive.
    LRESULT answer = FALSE;
    world.windows.ScriptAnswer(platform::DialogResult::Ok, [&] {
        const HWND window = FindWindowW(TDouguForm::kClassName, nullptr);
        answer = SendMessageW(window, WM_QUERYENDSESSION, 0, 0);
        SendMessageW(window, WM_CLOSE, 0, 0);
    });
    world.Start();
    EXPECT_EQ(answer, TRUE) << "nothing of this run to lose yet";
    EXPECT_FALSE(world.Closed());
    EXPECT_EQ(Stored(world.registry, "Exec"), 4) << "the stored memos were not written over";
    EXPECT_EQ(world.form->Desk().Table().MaxForm(), 0);
}

} // namespace
} // namespace petarino::forms

namespace petarino::forms {
namespace {

std::filesystem::path PathOf(const platform::FilePath& path) {
    return std::wstring(path.units.begin(), path.units.end());
}

std::wstring BackupRow(const PropertiesWindowWorld& world, int row) {
    wchar_t text[256]{};
    SendMessageW(world.Control(klbBackups), LB_GETTEXT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

int BackupRows(const PropertiesWindowWorld& world) {
    return static_cast<int>(SendMessageW(world.Control(klbBackups), LB_GETCOUNT, 0, 0));
}

TEST(PropertiesWindow, ExtendedPageWritesReadsAndRestoresBackups) {
    PropertiesWindowWorld world;
    const std::filesystem::path backups =
        PathOf(world.files.LocalAppDataFolder()) / L"Petarino" / L"Backups";
    std::filesystem::remove_all(backups);
    const win32::TempFolder chosen(L"petarino-extended-page");
    world.Start();
    world.Open();
    EXPECT_TRUE(At(world.Control(klbBackups), 8, 8, 241, 40));
    EXPECT_TRUE(At(world.Control(kbRestore), 8, 48, 81, 25));
    EXPECT_TRUE(At(world.Control(kbExport), 88, 48, 81, 25));
    EXPECT_TRUE(At(world.Control(kbImport), 168, 48, 81, 25));
    EXPECT_EQ(TextOf(world.Control(kbRestore)), L"元に戻す");
    EXPECT_EQ(TextOf(world.Control(kbExport)), L"書き出し...");
    EXPECT_EQ(TextOf(world.Control(kbImport)), L"読み込み...");

    world.Click(kButton3);
    world.Click(kButton3);
    world.form->Desk().Table().Memos(1).SetText("二枚目");
    const std::wstring wide = (chosen.Path() / L"メモ.json").wstring();
    const platform::FilePath file{std::u16string(wide.begin(), wide.end())};
    world.choosers.AnswerSave(file);
    world.Click(kbExport);
    ASSERT_TRUE(std::filesystem::exists(PathOf(file)));

    world.form->Desk().Table().DestForm(1);
    world.choosers.AnswerLoad(file);
    world.windows.ScriptAnswer(Yes);
    world.Click(kbImport);
    ASSERT_EQ(world.form->Desk().Table().MaxForm(), 1);
    EXPECT_EQ(world.form->Desk().Table().Memos(1).Text(), "二枚目");
    EXPECT_EQ(world.Rows(), 2);

    // The page lists what it finds whenever it is shown: the import backed up one memo.
    world.SelectPage(kExtendedPage);
    ASSERT_EQ(BackupRows(world), 1);
    EXPECT_TRUE(BackupRow(world, 0).ends_with(L" - 1 枚（復元前）")) << BackupRow(world, 0);

    SendMessageW(world.Control(klbBackups), LB_SETCURSEL, 0, 0);
    world.windows.ScriptAnswer(Yes);
    world.Click(kbRestore);
    EXPECT_EQ(world.form->Desk().Table().MaxForm(), 0);
    EXPECT_EQ(world.Rows(), 1);
    EXPECT_EQ(BackupRows(world), 2) << "the restore backed up the two memos it replaced";
    std::filesystem::remove_all(backups);
}

// The destroy question holds the memo it asks about: a restore or an import meanwhile would
// free it, so both wait, as they do for a memo's dialog.
TEST(PropertiesWindow, RestoreAndImportWaitForTheDestroyQuestion) {
    PropertiesWindowWorld world;
    const std::filesystem::path backups =
        PathOf(world.files.LocalAppDataFolder()) / L"Petarino" / L"Backups";
    std::filesystem::remove_all(backups);
    world.Start();
    world.Open();
    world.Click(kButton3);
    world.form->Desk().Table().Memos(0).SetText("一枚だけ");
    std::filesystem::create_directories(backups);
    const std::filesystem::path older = backups / L"petarino-20260101-090000.json";
    const platform::FilePath file{older.u16string()};
    world.choosers.AnswerSave(file);
    world.Click(kbExport);
    ASSERT_TRUE(std::filesystem::exists(older));
    world.Click(kButton3);
    world.SelectPage(kExtendedPage);
    ASSERT_EQ(BackupRows(world), 1);
    SendMessageW(world.Control(klbBackups), LB_SETCURSEL, 0, 0);

    SendMessageW(world.Control(klbShow), LB_SETCURSEL, 1, 0);
    world.choosers.AnswerLoad(file);
    world.windows.ScriptAnswer(No, [&] {
        world.Click(kbRestore);
        world.Click(kbImport);
    });
    world.Click(kbDestroy);
    const auto& shown = world.windows.Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].caption, "ペタリノの破棄");
    for (const size_t refusal : {1u, 2u})
        EXPECT_EQ(shown[refusal].text, "メモのダイアログを閉じてから、もう一度お試しください");
    EXPECT_EQ(world.choosers.LoadsOpened(), 0);
    EXPECT_EQ(world.form->Desk().Table().MaxForm(), 1);
    EXPECT_EQ(BackupRows(world), 1);

    SendMessageW(world.Control(klbBackups), LB_SETCURSEL, 0, 0);
    world.windows.ScriptAnswer(Yes);
    world.Click(kbRestore);
    EXPECT_EQ(world.form->Desk().Table().MaxForm(), 0) << "with the question answered, it restores";
    EXPECT_EQ(world.form->Desk().Table().Memos(0).Text(), "一枚だけ");
    std::filesystem::remove_all(backups);
}

// The page "同期" before any engine, then with one: each button runs its action and the page
// shows at once what the action changed; an opening shows what changed while it was hidden.
TEST(PropertiesWindow, SyncPageShowsWhatItsActionsGiveAndItsButtonsRunThem) {
    PropertiesWindowWorld world;
    world.Start();
    world.Open();
    const HWND tabs = FindWindowExW(world.Window(), nullptr, WC_TABCONTROLW, nullptr);
    wchar_t tab[16]{};
    TCITEMW item{.mask = TCIF_TEXT, .pszText = tab, .cchTextMax = 16};
    SendMessageW(tabs, TCM_GETITEMW, kSyncPage, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(tab, L"同期");
    world.SelectPage(kSyncPage);

    const HWND folder = world.Control(keSyncFolder);
    const HWND page = GetParent(folder);
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_FALSE(IsWindowVisible(GetParent(world.Control(klbBackups))));
    const HWND status = Child(page, L"同期していません");
    ASSERT_NE(status, nullptr) << "no actions yet";
    EXPECT_EQ(TextOf(folder), L"");
    EXPECT_TRUE(GetWindowLongPtrW(folder, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(At(Child(page, L"同期フォルダ:"), 8, 11, 241, 12));
    EXPECT_TRUE(At(folder, 8, 26, 241, 20));
    EXPECT_TRUE(At(status, 8, 92, 241, 52));
    const struct {
        UINT id;
        const wchar_t* caption;
        int left;
    } buttons[] = {{kbSyncBrowse, L"参照...", 8},
                   {kbSyncStop, L"同期をやめる", 88},
                   {kbSyncNow, L"今すぐ同期", 168}};
    for (const auto& button : buttons) {
        EXPECT_EQ(GetParent(world.Control(button.id)), page);
        EXPECT_TRUE(At(world.Control(button.id), button.left, 52, 81, 25)) << button.id;
        EXPECT_EQ(TextOf(world.Control(button.id)), button.caption);
    }

    // A folder named outside CP932, chosen as the user chooses one; the desk's real sync
    // joins it and the page shows what it says.
    const win32::TempFolder temp(L"petarino-sync-page");
    const std::filesystem::path chosen = temp.Path() / L"张伟の同期";
    std::filesystem::create_directory(chosen);
    const std::wstring wide = chosen.wstring();
    world.choosers.AnswerFolder(platform::FilePath{std::u16string(wide.begin(), wide.end())});
    world.Click(kbSyncBrowse);
    EXPECT_EQ(TextOf(folder), wide);
    world.Click(kbSyncNow);
    EXPECT_TRUE(TextOf(status).starts_with(L"最終同期 ")) << TextOf(status);

    std::filesystem::rename(chosen, temp.Path() / L"away");
    world.Click(kbSyncNow);
    world.Click(kbOk);
    world.Open();
    EXPECT_EQ(TextOf(status), L"同期フォルダが見つかりません。フォルダが戻ると自動で再開します。")
        << "shown anew at the opening";

    world.Click(kbSyncStop);
    EXPECT_EQ(TextOf(folder), L"");
    EXPECT_EQ(TextOf(status), L"同期していません");
}

// The system's reports of a new screen reach the memos through this window, hidden as it is;
// other changes of the settings leave them where they are.
TEST(PropertiesWindow, DisplayAndWorkAreaChangesBringTheMemosOnTheScreen) {
    PropertiesWindowWorld world;
    world.Start();
    Memo* memo = world.form->Desk().Table().CreateMemo();
    ASSERT_NE(memo, nullptr);
    world.windows.SetMonitorWorkAreas({{0, 0, 800, 600}});
    const struct {
        UINT message;
        WPARAM wp;
        int32_t left;
    } cases[] = {
        {WM_SETTINGCHANGE, 0, 2000},
        {WM_SETTINGCHANGE, SPI_SETWORKAREA, 535},
        {WM_DISPLAYCHANGE, 32, 535},
    };
    for (const auto& change : cases) {
        memo->SetBounds(2000, 100, 265, 113);
        SendMessageW(world.Window(), change.message, change.wp, 0);
        EXPECT_EQ(memo->Left(), change.left) << change.message << " " << change.wp;
    }
}

} // namespace
} // namespace petarino::forms
