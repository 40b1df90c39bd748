// The memo window in the test process under Wine, driven by its own messages: the record
// over the real window and EDIT, the title-strip layouts as they are drawn, dragging,
// keeping on screen, the menu and its shortcuts, and the refused close. Behind the window
// sits the real memo table with a recording owner, a fake status list and scripted message
// boxes.
#include "forms/memo_form_factory.h"
#include "memos/memo_table.h"
#include "memos/title_layout.h"
#include "petarino_windows.h"
#include "platform/fake/fake_window_system.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/unique_handle.h"
#include "store/start_up_load.h"
#include "testing/fake_macro_host.h"
#include "testing/fake_status_list.h"
#include "testing/macro_world.h"
#include "win32/memo_text_of.h"

#include <windows.h>
#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace petarino {
namespace {

using forms::TMemoForm;
namespace DialogResult = platform::DialogResult;

using UniqueWindow = win32::UniqueHandle<HWND, DestroyWindow>;
using UniqueDc = win32::UniqueHandle<HDC, DeleteDC>;
using UniqueBitmap = win32::UniqueHandle<HBITMAP, DeleteObject>;

constexpr Color kStrip = 0x00FFFFFF; // white
constexpr Color kTitle = 0x000000FF; // red

// What the memo windows asked of the rest; the table's requests go to the real table.
class RecordingOwner final : public forms::MemoWindowOwner {
public:
    void CreateMemo() override {
        ++created;
        table->CreateMemo();
    }
    void ConfirmAndDestroy(int slot) override { table->ConfirmAndDestroy(slot); }
    void RefreshStatusList() override { table->RefreshStatusList(); }
    void ShowStatusPage() override {
        ++statusPages;
        if (!failWith.empty()) throw std::runtime_error(failWith);
    }
    void Exit() override {
        ++exits;
        if (onExit) onExit();
    }
    void OpenMemoProperties(Memo& memo) override { properties.push_back(&memo); }
    void OpenAlarm(Memo& memo) override { alarms.push_back(&memo); }
    void ReportError(std::string_view message) override { errors.emplace_back(message); }
    void MemoChanged() override { ++changes; }
    void OpenAddress(MemoTextView address) override { addresses.emplace_back(address); }

    MemoTable* table = nullptr;
    std::string failWith;
    std::function<void()> onExit;
    int created = 0;
    int statusPages = 0;
    int exits = 0;
    int changes = 0;
    std::vector<Memo*> properties;
    std::vector<Memo*> alarms;
    std::vector<std::string> errors;
    std::vector<MemoText> addresses;
};

// Keys held as the thread's keyboard state says, for GetKeyState; released at scope end.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        BYTE state[256]{};
        for (const int key : keys)
            state[key] = 0x80;
        SetKeyboardState(state);
    }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    ~HeldKeys() {
        BYTE state[256]{};
        SetKeyboardState(state);
    }
};

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

RECT ClientOf(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client;
}

// The text area's place in the window's client area.
Bounds PlaceOf(HWND edit) {
    RECT place;
    GetWindowRect(edit, &place);
    MapWindowPoints(nullptr, GetParent(edit), reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

std::string EditText(HWND edit) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), int(text.size()))));
    return win32::FromWide(text);
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::wstring ClipboardText() {
    if (!OpenClipboard(nullptr)) return L"(clipboard not open)";
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// A key as the message loop delivers it: the loop's TranslateMessage queues the character
// it makes with the keys held, as it does for a real key.
void Press(HWND edit, WPARAM key, bool system = false) {
    PostMessageW(edit, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    Pump();
}

// The client area as WM_PRINTCLIENT paints it, pixel by pixel as COLORREF.
class Picture {
public:
    explicit Picture(HWND window) {
        const RECT client = ClientOf(window);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {.biSize = sizeof info.bmiHeader,
                          .biWidth = width_,
                          .biHeight = -height_, // top-down
                          .biPlanes = 1,
                          .biBitCount = 32,
                          .biCompression = BI_RGB};
        void* bits = nullptr;
        const UniqueDc dc(CreateCompatibleDC(nullptr));
        const UniqueBitmap bitmap(
            CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        HGDIOBJ previous = SelectObject(dc.get(), bitmap.get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        GdiFlush();
        const auto* rgb = static_cast<const uint32_t*>(bits);
        pixels_.resize(static_cast<size_t>(width_ * height_));
        for (size_t i = 0; i < pixels_.size(); ++i) // 0x00RRGGBB in the DIB
            pixels_[i] = ((rgb[i] & 0xFF) << 16) | (rgb[i] & 0xFF00) | ((rgb[i] >> 16) & 0xFF);
        SelectObject(dc.get(), previous);
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

    // The smallest rectangle holding every pixel that is not `background`; empty when none.
    RECT Drawn(COLORREF background) const {
        RECT drawn{width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (At(x, y) != background) {
                    drawn.left = std::min<LONG>(drawn.left, x);
                    drawn.top = std::min<LONG>(drawn.top, y);
                    drawn.right = std::max<LONG>(drawn.right, x + 1);
                    drawn.bottom = std::max<LONG>(drawn.bottom, y + 1);
                }
        return drawn;
    }
    int Count(COLORREF color) const {
        return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), color));
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

using Position = std::pair<int32_t, int32_t>;

Position PositionOf(const Memo& memo) {
    return {memo.Left(), memo.Top()};
}

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{.cbSize = sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// The memo's menu as it is while open: read by a timer that the menu's own loop runs, which
// then closes it, so opening it never blocks a test.
struct OpenMenu {
    struct Item {
        std::string caption; // "-" for a separator; "> " before the items of a submenu
        bool enabled = false;
        bool checked = false;
        bool radio = false; // a radio item's round mark in place of a check mark
        friend bool operator==(const Item&, const Item&) = default;
        friend std::ostream& operator<<(std::ostream& out, const Item& item) {
            return out << item.caption << (item.enabled ? "" : " (disabled)")
                       << (item.checked ? " (checked)" : "") << (item.radio ? " (radio)" : "");
        }
    };
    std::vector<Item> items;
    RECT place{};

    static void Read(HMENU menu, const std::string& indent, std::vector<Item>& items) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t caption[128]{};
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
            info.dwTypeData = caption;
            info.cch = 127;
            GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
            const bool separator = info.fType & MFT_SEPARATOR;
            // A separator's state means nothing; Wine keeps them disabled.
            items.push_back({indent + (separator ? "-" : win32::FromWide(caption)),
                             separator || !(info.fState & MFS_DISABLED),
                             (info.fState & MFS_CHECKED) != 0, (info.fType & MFT_RADIOCHECK) != 0});
            if (info.hSubMenu) Read(info.hSubMenu, indent + "> ", items);
        }
    }

    static inline OpenMenu* reading = nullptr;
    static void CALLBACK ReadAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        // The root menu: a submenu that opened meanwhile (the pointer may rest on its item)
        // lies above it.
        HWND popup = nullptr;
        for (HWND next = nullptr; (next = FindWindowExW(nullptr, next, L"#32768", nullptr));)
            if (IsWindowVisible(next)) popup = next;
        if (popup && reading) {
            Read(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)), "",
                 reading->items);
            GetWindowRect(popup, &reading->place);
        }
        EndMenu();
    }

    // Runs `open`, which opens the menu and returns when it has closed.
    template <typename Open> static OpenMenu While(Open open) {
        OpenMenu menu;
        reading = &menu;
        SetTimer(nullptr, 0, 50, &ReadAndClose);
        open();
        reading = nullptr;
        return menu;
    }
};

class MemoFormTest : public ::testing::Test {
protected:
    MemoFormTest() { owner.table = &table; }
    ~MemoFormTest() override { Pump(); }

    static HWND MakeApplicationWindow() {
        return CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"ペタリノ", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    // A visible memo made by the table, at a known place with known colours.
    TMemoForm& Shown(int32_t titleBar = 0, std::string_view hint = "テスト") {
        Memo* memo = table.CreateMemo();
        if (!memo) throw std::logic_error("no memo");
        auto& form = dynamic_cast<TMemoForm&>(*memo);
        form.SetTitleBar(titleBar);
        form.SetHint(SystemMemoText(hint));
        form.SetWindowColor(kStrip);
        form.SetTitleTextColor(kTitle);
        ResizeClient(form, 318, 93);
        form.SetLeft(200);
        form.SetTop(150);
        table.RefreshStatusList();
        Pump();
        return form;
    }

    static void ResizeClient(TMemoForm& form, int width, int height) {
        RECT outer{0, 0, width, height};
        AdjustWindowRectEx(&outer, TMemoForm::kStyle, FALSE, 0);
        form.SetBounds(form.Left(), form.Top(), outer.right - outer.left, outer.bottom - outer.top);
    }

    UniqueWindow application{MakeApplicationWindow()};
    RecordingOwner owner;
    forms::MemoFormFactory factory{application.get(), owner};
    FakeStatusList list;
    platform::FakeWindowSystem windows;
    MemoTable table{factory, list, windows};
};

// Topmost through hiding and showing; an alarm's flashing ends at a key in the text, and
// leaves the memo's colours as they were.
TEST_F(MemoFormTest, StaysOnTopThroughHidingAndFlashesUntilTyped) {
    TMemoForm& memo = Shown();
    // Another visible window: Wine leaves a lone window at the top of the order topmost.
    Shown();
    const auto topmost = [&] {
        return (GetWindowLongPtrW(memo.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    memo.SetStayOnTop(true);
    memo.SetVisible(false);
    memo.SetVisible(true);
    EXPECT_TRUE(topmost());
    memo.SetStayOnTop(false);
    EXPECT_FALSE(topmost());

    const Color color = memo.MemoColor();
    memo.RaiseAndFlash();
    EXPECT_TRUE(memo.Flashing());
    EXPECT_FALSE(topmost()) << "raised, then back among the ordinary windows";
    SendMessageW(memo.TextArea(), WM_KEYDOWN, 'A', 1);
    EXPECT_FALSE(memo.Flashing());
    EXPECT_EQ(memo.MemoColor(), color);
}

// An alarm rings while the user types in another memo: the ringing one shows and flashes above
// everything, and the keys go on where they went.
TEST_F(MemoFormTest, ARingingMemoLeavesTheKeyboardWhereTheUserTypes) {
    TMemoForm& typing = Shown(0, "書いている");
    TMemoForm& ringing = Shown(0, "鳴る");
    ringing.SetVisible(false);
    SetForegroundWindow(typing.Handle());
    SetFocus(typing.TextArea());
    Pump();
    ASSERT_EQ(GetFocus(), typing.TextArea());

    ringing.RaiseAndFlash();
    Pump();
    EXPECT_TRUE(IsWindowVisible(ringing.Handle()));
    EXPECT_TRUE(ringing.Flashing());
    EXPECT_EQ(GetFocus(), typing.TextArea());
    EXPECT_EQ(GetForegroundWindow(), typing.Handle());
}

TEST_F(MemoFormTest, ANewMemoIsAHiddenOwnedPopupWithTheRecordsDefaults) {
    TMemoForm& memo = factory.NewMemo();
    HWND window = memo.Handle();
    wchar_t name[32]{};
    GetClassNameW(window, name, 32);
    EXPECT_STREQ(name, L"TMemoForm");
    GetWindowTextW(window, name, 32);
    EXPECT_STREQ(name, L"MemoForm");
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE), 0x86040000);
    EXPECT_EQ(GetWindow(window, GW_OWNER), application.get());
    EXPECT_FALSE(IsWindowVisible(window));
    const RECT client = ClientOf(window);
    EXPECT_EQ(client.right, 318);
    EXPECT_EQ(client.bottom, 93);

    HWND edit = memo.TextArea();
    GetClassNameW(edit, name, 32);
    EXPECT_STREQ(name, L"Edit");
    EXPECT_EQ(GetParent(edit), window);
    const auto editStyle = GetWindowLongPtrW(edit, GWL_STYLE);
    EXPECT_TRUE(editStyle & ES_MULTILINE);
    EXPECT_TRUE(editStyle & ES_NOHIDESEL);
    EXPECT_FALSE(editStyle & (WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL));
    EXPECT_EQ(PlaceOf(edit), (Bounds{0, 15, 318, 78})) << "layout 0 below the strip";

    EXPECT_EQ(memo.Hint(), u"無題");
    EXPECT_EQ(memo.Tag(), 0);
    EXPECT_EQ(memo.TitleBar(), 0);
    EXPECT_EQ(memo.WindowColor(), clActiveCaption);
    EXPECT_EQ(memo.TitleTextColor(), clCaptionText);
    EXPECT_EQ(memo.MemoColor(), clBtnFace);
    EXPECT_EQ(memo.MemoFont(), Font{});
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_EQ(memo.Text(), u"");

    // The next one where the window system would put it: further down and right, inside.
    TMemoForm& next = factory.NewMemo();
    EXPECT_GT(next.Left(), memo.Left());
    EXPECT_GT(next.Top(), memo.Top());
    const RECT work = WorkAreaOf(next.Handle());
    EXPECT_LE(next.Left() + next.Width(), work.right);
    EXPECT_LE(next.Top() + next.Height(), work.bottom);
    EXPECT_EQ(factory.LiveMemos(), 2);
}

// A load makes each memo at its stored bounds; the cascade of new memos goes on as if the
// memo had been placed there by it.
TEST_F(MemoFormTest, AMemoMadeAtGivenBoundsIsLaidOutThereAndTakesItsPlaceInTheCascade) {
    const TMemoForm& first = factory.NewMemo();
    const TMemoForm& restored = factory.NewMemo(Bounds{40, 50, 260, 140});
    EXPECT_EQ((Bounds{restored.Left(), restored.Top(), restored.Width(), restored.Height()}),
              (Bounds{40, 50, 260, 140}));
    const RECT client = ClientOf(restored.Handle());
    EXPECT_EQ(PlaceOf(restored.TextArea()), (Bounds{0, 15, client.right, client.bottom - 15}))
        << "layout 0 over the whole client below the strip";

    const TMemoForm& second = factory.NewMemo();
    const TMemoForm& third = factory.NewMemo();
    EXPECT_EQ(second.Left() - first.Left(), 2 * (third.Left() - second.Left()));
    EXPECT_EQ(second.Top() - first.Top(), 2 * (third.Top() - second.Top()));
}

// Every layout's text area at full size and shrunk below the minimum, and its title drawn
// inside the strip only, in the title colour.
TEST_F(MemoFormTest, EachLayoutPlacesTheTextAreaAndDrawsTheTitleInsideTheStrip) {
    TMemoForm& memo = Shown(0, "縦書きのタイトル");
    HWND edit = memo.TextArea();
    for (const int32_t titleBar : {0, 1, 2, 3, 4, 5, 9, -3}) {
        SCOPED_TRACE("layout " + std::to_string(titleBar));
        // From layout 0, so a damaged value shows that it leaves the text area there.
        memo.SetTitleBar(0);
        ResizeClient(memo, 318, 93);
        memo.SetTitleBar(titleBar);
        const TitleLayout layout = LayOutTitle(titleBar, 318, 93);
        const Bounds text = layout.textArea.value_or(Bounds{0, 15, 318, 78});
        EXPECT_EQ(PlaceOf(edit), text);

        const Picture picture(memo.Handle());
        const RECT drawn = picture.Drawn(kStrip);
        if (!layout.title) {
            EXPECT_TRUE(IsEmpty(drawn)) << "no title";
        } else {
            EXPECT_GT(picture.Count(kTitle), 20) << "the title in its colour";
            // Nothing over the text area: the drawn pixels lie beside it, in the strip.
            const bool beside = drawn.bottom <= text.top || drawn.top >= text.top + text.height ||
                                drawn.right <= text.left || drawn.left >= text.left + text.width;
            EXPECT_TRUE(beside) << drawn.left << "," << drawn.top << " - " << drawn.right << ","
                                << drawn.bottom;
        }

        ResizeClient(memo, 5, 5);
        const RECT smallest = ClientOf(memo.Handle());
        EXPECT_EQ(smallest.right, kMinClientSize);
        EXPECT_EQ(smallest.bottom, kMinClientSize);
        if (layout.textArea) {
            EXPECT_EQ(PlaceOf(edit),
                      *LayOutTitle(titleBar, kMinClientSize, kMinClientSize).textArea);
        }
    }
    EXPECT_TRUE(owner.errors.empty());
}

// Vertical writing runs top to bottom: a second character makes the title taller, not
// wider; across the top it makes it wider; turned by 900 it grows upwards.
TEST_F(MemoFormTest, TitlesRunInTheDirectionOfTheirLayout) {
    TMemoForm& memo = Shown();
    const auto extent = [&](int32_t titleBar, const char* hint) {
        memo.SetTitleBar(titleBar);
        memo.SetHint(SystemMemoText(hint));
        return Picture(memo.Handle()).Drawn(kStrip);
    };
    for (const int32_t titleBar : {1, 2, 4}) {
        SCOPED_TRACE("layout " + std::to_string(titleBar));
        const RECT one = extent(titleBar, "あ");
        const RECT two = extent(titleBar, "ああ");
        EXPECT_EQ(two.top, one.top);
        EXPECT_GE(two.bottom - two.top, 2 * (one.bottom - one.top) - 2);
        EXPECT_LE(two.right - two.left, one.right - one.left + 1);
    }
    const RECT one = extent(0, "あ");
    const RECT two = extent(0, "ああ");
    EXPECT_GE(two.right - two.left, 2 * (one.right - one.left) - 2);
    EXPECT_EQ(two.bottom - two.top, one.bottom - one.top);
    const RECT upOne = extent(3, "あ");
    const RECT upTwo = extent(3, "ああ");
    EXPECT_EQ(upTwo.bottom, upOne.bottom);
    EXPECT_LT(upTwo.top, upOne.top - (upOne.bottom - upOne.top) / 2);
    EXPECT_TRUE(IsEmpty(extent(0, ""))) << "an empty title draws nothing";
}

// A left drag on the strip moves the window whatever else is held, the grabbed point under
// the pointer; in the text only exactly Ctrl and the left button move it, anything else
// selects; a right drag moves nothing.
TEST_F(MemoFormTest, DraggingMovesTheWindowOnlyAsTheRulesSay) {
    TMemoForm& memo = Shown(0, "ドラッグ");
    HWND window = memo.Handle();
    HWND edit = memo.TextArea();

    // The strip, with Ctrl and Shift held as well.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL | MK_SHIFT, At(40, 7));
    EXPECT_EQ(GetCapture(), window);
    POINT grabbed{40, 7};
    ClientToScreen(window, &grabbed);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL | MK_SHIFT, At(70, 27));
    EXPECT_EQ(PositionOf(memo), (Position(230, 170)));
    POINT now{40, 7};
    ClientToScreen(window, &now);
    EXPECT_EQ(now.x, grabbed.x + 30) << "the grabbed point stays under the pointer";
    EXPECT_EQ(now.y, grabbed.y + 20);
    SendMessageW(window, WM_LBUTTONUP, MK_CONTROL | MK_SHIFT, At(40, 7));
    EXPECT_EQ(GetCapture(), nullptr);

    // A right drag on the strip.
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, At(40, 7));
    SendMessageW(window, WM_MOUSEMOVE, MK_RBUTTON, At(90, 57));
    SendMessageW(window, WM_RBUTTONUP, 0, At(90, 57));
    EXPECT_EQ(PositionOf(memo), (Position(230, 170)));

    memo.SetText(u"選択できる本文のテキスト");
    const auto dragText = [&](WPARAM keys, int toX) {
        SendMessageW(edit, EM_SETSEL, 0, 0);
        SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON | keys, At(3, 5));
        SendMessageW(edit, WM_MOUSEMOVE, MK_LBUTTON | keys, At(toX, 5));
        SendMessageW(edit, WM_LBUTTONUP, keys, At(toX, 5));
    };
    dragText(0, 80);
    EXPECT_EQ(PositionOf(memo), (Position(230, 170))) << "a plain drag in the text";
    EXPECT_GT(Selection(edit).second, 0u) << "selects";
    dragText(MK_CONTROL | MK_SHIFT, 80);
    EXPECT_EQ(PositionOf(memo), (Position(230, 170))) << "Ctrl+Shift in the text";
    EXPECT_GT(Selection(edit).second, 0u) << "selects";
    {
        const HeldKeys alt{VK_MENU};
        dragText(MK_CONTROL, 80);
        EXPECT_EQ(PositionOf(memo), (Position(230, 170))) << "Ctrl+Alt in the text";
    }
    dragText(MK_CONTROL, 53);
    EXPECT_EQ(PositionOf(memo), (Position(280, 170))) << "exactly Ctrl and the left button";
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 0})) << "a move selects nothing";
    EXPECT_EQ((std::pair{memo.DragX(), memo.DragY()}), (std::pair{3, 5}));
}

// After every button release over the memo, and on every show, it is pushed back inside the
// work area of the nearest monitor, one edge per axis and release.
TEST_F(MemoFormTest, TheWindowStaysInsideTheWorkArea) {
    TMemoForm& memo = Shown();
    HWND window = memo.Handle();
    const RECT work = WorkAreaOf(window);
    const int32_t width = memo.Width(), height = memo.Height();

    // Dragged partly off the left and the bottom.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(100, 7));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON,
                 At(100 - (memo.Left() - work.left) - 60, 7 + (work.bottom - memo.Top()) - 30));
    EXPECT_EQ(memo.Left(), work.left - 60);
    SendMessageW(window, WM_LBUTTONUP, 0, At(40, 7));
    EXPECT_EQ((Bounds{memo.Left(), memo.Top(), memo.Width(), memo.Height()}),
              (Bounds{work.left, work.bottom - height, width, height}));

    // A plain click in the text checks too, with any button.
    memo.SetBounds(work.right - 20, work.top - 5, width, height);
    SendMessageW(memo.TextArea(), WM_MBUTTONUP, 0, At(5, 5));
    Pump();
    EXPECT_EQ(PositionOf(memo), (Position(work.right - width, work.top)));

    // Wider and taller than the work area: left and top edges first, the others next time.
    // As wide and tall as the window system lets a window be, which is more than the screen.
    const int32_t wide = GetSystemMetrics(SM_CXMAXTRACK), tall = GetSystemMetrics(SM_CYMAXTRACK);
    ASSERT_GT(wide, work.right - work.left);
    ASSERT_GT(tall, work.bottom - work.top);
    memo.SetBounds(work.left - 10, work.top - 10, wide, tall);
    SendMessageW(memo.TextArea(), WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(PositionOf(memo), (Position(work.left, work.top)));
    SendMessageW(window, WM_MBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(PositionOf(memo), (Position(work.right - wide, work.bottom - tall)));
    EXPECT_EQ((Position(memo.Width(), memo.Height())), (Position(wide, tall)));

    // Stored bounds on no monitor: shown inside the nearest work area.
    memo.SetVisible(false);
    memo.SetBounds(work.right + 5000, work.bottom + 3000, width, height);
    memo.SetVisible(true);
    EXPECT_EQ(PositionOf(memo), (Position(work.right - width, work.bottom - height)));
    memo.SetVisible(false);
    memo.SetBounds(-9000, -9000, width, height);
    memo.SetVisible(true);
    EXPECT_EQ(PositionOf(memo), (Position(work.left, work.top)));
}

// The menu opens centred on the pointer with every item of the table but the hidden one,
// each caption with its shortcut, the edit items enabled as the text area allows.
TEST_F(MemoFormTest, TheMenuShowsItsItemsEnabledAsTheTextAllows) {
    TMemoForm& memo = Shown(0, "メニュー");
    HWND edit = memo.TextArea();
    memo.SetText(u"本文");
    POINT pointer{60, 30};
    ClientToScreen(edit, &pointer);

    // The right button's release in the text opens it, as the window system turns it into a
    // context-menu request.
    const OpenMenu plain = OpenMenu::While([&] {
        SendMessageW(edit, WM_RBUTTONDOWN, MK_RBUTTON, At(60, 30));
        SendMessageW(edit, WM_RBUTTONUP, 0, At(60, 30));
    });
    using Item = OpenMenu::Item;
    const std::vector<Item> expected{
        {"編集(&E)", true},
        {"> 元に戻す(&U)\tCtrl+Z", false},
        {"> -", true},
        {"> 切り取り(&T)\tCtrl+X", false},
        {"> コピー(&C)\tCtrl+C", false},
        {"> 貼り付け(&P)\tCtrl+P", true},
        {"> 削除(&D)\tCtrl+Del", false},
        {"> すべて選択(&L)\tCtrl+A", true},
        {"> チェックボックス(&K)", true},
        {"> -", true},
        {"> メモの破棄(&D)...\tCtrl+F4", true},
        {"-", true},
        {"表示/非表示の変更(&S)", true},
        {"常に手前に表示(&T)", true},
        {"透明度(&O)", true},
        {"> 100 %", true, true, true},
        {"> 90 %", true, false, true},
        {"> 80 %", true, false, true},
        {"> 70 %", true, false, true},
        {"> 60 %", true, false, true},
        {"> 50 %", true, false, true},
        {"アラーム(&A)...", true},
        {"-", true},
        {"ﾌﾟﾛﾊﾟﾃｨ(&R)...\tCtrl+M", true},
    };
    EXPECT_EQ(plain.items, expected);
    EXPECT_NEAR((plain.place.left + plain.place.right) / 2, pointer.x, 1) << "centred";
    EXPECT_NEAR(plain.place.top, pointer.y, 1);

    // Something typed and selected: everything is enabled. Typing is told to the owner, for
    // sync; the program's own writes are not.
    const MemoText shown = memo.Text();
    memo.SetText(u"プログラムが書く");
    memo.SetText(shown);
    EXPECT_EQ(owner.changes, 0);
    SendMessageW(edit, EM_SETSEL, 2, 2);
    SendMessageW(edit, WM_CHAR, L'x', 1);
    EXPECT_EQ(owner.changes, 1);
    SendMessageW(edit, EM_SETSEL, 0, 1);
    const OpenMenu selected = OpenMenu::While(
        [&] { SendMessageW(edit, WM_CONTEXTMENU, 0, MAKELPARAM(pointer.x, pointer.y)); });
    ASSERT_EQ(selected.items.size(), expected.size());
    for (const Item& item : selected.items)
        EXPECT_TRUE(item.enabled) << item;

    // From the keyboard (Shift+F10): at the text area's corner.
    const OpenMenu keyboard = OpenMenu::While(
        [&] { SendMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), -1); });
    POINT corner{0, 0};
    ClientToScreen(edit, &corner);
    EXPECT_EQ(keyboard.items.size(), expected.size());
    EXPECT_NEAR((keyboard.place.left + keyboard.place.right) / 2, corner.x, 1);

    // The menu was last open without a selection: Ctrl+C still copies a selection made since.
    OpenMenu::While([&] {
        SendMessageW(edit, EM_SETSEL, 0, 0);
        SendMessageW(edit, WM_CONTEXTMENU, 0, MAKELPARAM(pointer.x, pointer.y));
    });
    PutOnClipboard(L"前の内容");
    SendMessageW(edit, EM_SETSEL, 0, 2);
    {
        const HeldKeys ctrl{VK_CONTROL};
        Press(edit, 'C');
    }
    EXPECT_EQ(ClipboardText(), L"本文");
    EXPECT_TRUE(owner.errors.empty());
}

// Chosen from its menu, a memo is layered at its alpha and shows whole while the pointer is
// over any part of it or it has the keyboard; at 100 % it is a plain window again.
TEST_F(MemoFormTest, ASeeThroughMemoShowsWholeWhileInUse) {
    TMemoForm& memo = Shown(0, "透明");
    HWND window = memo.Handle();
    HWND edit = memo.TextArea();
    const auto choose = [&](MemoCommand command) {
        SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
        Pump();
    };
    POINT inText{60, 30}, inStrip{60, 5};
    ClientToScreen(edit, &inText);
    ClientToScreen(window, &inStrip);
    const POINT outside{inText.x + 600, inText.y + 500};
    SetCursorPos(outside.x, outside.y);
    EXPECT_EQ(remote::AlphaOf(window), std::nullopt) << "a new memo is a plain window";

    choose(MemoCommand::Opacity70);
    EXPECT_EQ(memo.Opacity(), 70);
    EXPECT_EQ(remote::AlphaOf(window), 178);
    EXPECT_EQ(owner.changes, 1) << "told, as it travels with the memo";

    // The pointer over the strip, on into the text area, where the strip's leaving keeps it
    // whole, then out of the memo.
    SetCursorPos(inStrip.x, inStrip.y);
    SendMessageW(window, WM_MOUSEMOVE, 0, At(60, 5));
    EXPECT_EQ(remote::AlphaOf(window), 255);
    SetCursorPos(inText.x, inText.y);
    SendMessageW(edit, WM_MOUSEMOVE, 0, At(60, 30));
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(remote::AlphaOf(window), 255) << "still over the text area";
    SetCursorPos(outside.x, outside.y);
    SendMessageW(edit, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(remote::AlphaOf(window), 178);

    // The keyboard: the window activated, the text area's focus lost to another window.
    SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(remote::AlphaOf(window), 255);
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(edit, WM_KILLFOCUS, reinterpret_cast<WPARAM>(application.get()), 0);
    EXPECT_EQ(remote::AlphaOf(window), 178);
    SendMessageW(edit, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(remote::AlphaOf(window), 255);
    SendMessageW(edit, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    EXPECT_EQ(remote::AlphaOf(window), 255) << "the focus stays inside the memo";
    SendMessageW(edit, WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(remote::AlphaOf(window), 178);

    SetCursorPos(inText.x, inText.y);
    choose(MemoCommand::Opacity60);
    EXPECT_EQ(remote::AlphaOf(window), 255) << "chosen with the pointer resting on it";
    SetCursorPos(outside.x, outside.y);
    SendMessageW(edit, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(remote::AlphaOf(window), 153);

    // Opaque again, it stops asking for the pointer's leaving and asks no more.
    const auto leavingAsked = [&] {
        TRACKMOUSEEVENT tracking{.cbSize = sizeof tracking, .dwFlags = TME_QUERY};
        return TrackMouseEvent(&tracking) && (tracking.dwFlags & TME_LEAVE) != 0;
    };
    SetCursorPos(inText.x, inText.y);
    SendMessageW(edit, WM_MOUSEMOVE, 0, At(60, 30));
    ASSERT_TRUE(leavingAsked());
    choose(MemoCommand::Opacity100);
    EXPECT_EQ(memo.Opacity(), 100);
    EXPECT_EQ(remote::AlphaOf(window), std::nullopt) << "opaque is no layered window at all";
    EXPECT_FALSE(leavingAsked());
    SendMessageW(edit, WM_MOUSEMOVE, 0, At(60, 30));
    EXPECT_FALSE(leavingAsked()) << "an opaque memo follows no pointer";
    EXPECT_TRUE(owner.errors.empty());
}

// Each shortcut runs its item while the focus is in the text, a disabled item's key does
// nothing, and neither reaches the text area as a character.
TEST_F(MemoFormTest, ShortcutsRunTheirItemsFromTheText) {
    TMemoForm& memo = Shown(0, "ショートカット");
    HWND edit = memo.TextArea();
    memo.SetText(u"abcdef");
    const auto ctrl = [&](WPARAM key) {
        const HeldKeys held{VK_CONTROL};
        Press(edit, key);
    };

    PutOnClipboard(L"貼");
    SendMessageW(edit, EM_SETSEL, 1, 2);
    ctrl('P');
    EXPECT_EQ(memo.Text(), u"a貼cdef") << "Ctrl+P pastes over the selection";
    ctrl('V');
    EXPECT_EQ(memo.Text(), u"a貼貼cdef") << "Ctrl+V is still the text area's own paste";
    ctrl('Z');
    EXPECT_NE(memo.Text(), u"a貼貼cdef") << "Ctrl+Z undoes";

    // A text set from outside cannot be undone.
    memo.SetText(u"uvwxyz");
    ctrl('Z');
    EXPECT_EQ(memo.Text(), u"uvwxyz") << "nothing to undo";
    SendMessageW(edit, EM_SETSEL, 2, 2);
    ctrl('X');
    ctrl(VK_DELETE);
    EXPECT_EQ(memo.Text(), u"uvwxyz") << "cut and delete need a selection";
    ctrl('A');
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 6}));
    SendMessageW(edit, EM_SETSEL, 4, 6);
    ctrl('X');
    EXPECT_EQ(memo.Text(), u"uvwx");
    EXPECT_EQ(ClipboardText(), L"yz");
    SendMessageW(edit, EM_SETSEL, 0, 1);
    ctrl(VK_DELETE);
    EXPECT_EQ(memo.Text(), u"vwx");

    // Ctrl+M opens the properties and types no line break.
    ctrl('M');
    EXPECT_EQ(owner.properties, std::vector<Memo*>{&memo});
    EXPECT_EQ(memo.Text(), u"vwx");

    // Alt+F4 in the text is the program's exit, not a close of this memo.
    {
        const HeldKeys alt{VK_MENU};
        Press(edit, VK_F4, true);
    }
    EXPECT_EQ(owner.exits, 1);
    EXPECT_TRUE(IsWindow(memo.Handle()));

    // Ctrl+F4 asks before destroying; No keeps the memo.
    windows.ScriptAnswer(DialogResult::No);
    ctrl(VK_F4);
    ASSERT_EQ(windows.Shown().size(), 1u);
    EXPECT_EQ(windows.Shown()[0],
              (platform::ShownMessageBox{"この「ショートカット」を破棄しますか？", "ペタリノの破棄",
                                         0x24}));
    EXPECT_TRUE(IsWindow(memo.Handle()));

    // An exit that destroys the memo inside its own key handler.
    owner.onExit = [&] { table.DestForm(memo.Tag()); };
    HWND window = memo.Handle();
    {
        const HeldKeys alt{VK_MENU};
        Press(edit, VK_F4, true);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(factory.LiveMemos(), 0);
    EXPECT_TRUE(owner.errors.empty());
}

// In macro mode the text cannot change: typing, cut, paste, delete and undo do nothing;
// copy and select all work. A double-click still makes a new memo.
TEST_F(MemoFormTest, MacroModeRefusesEditsButCopies) {
    TMemoForm& memo = Shown(2, "時計");
    HWND edit = memo.TextArea();
    memo.SetText(u"12:34:56");
    memo.SetReadOnly(true);
    PutOnClipboard(L"貼");
    SendMessageW(edit, EM_SETSEL, 0, 2);
    Press(edit, 'A');
    Press(edit, VK_BACK);
    Press(edit, VK_DELETE);
    {
        const HeldKeys ctrl{VK_CONTROL};
        for (const WPARAM key :
             {WPARAM{'X'}, WPARAM{'P'}, WPARAM{'V'}, WPARAM{VK_DELETE}, WPARAM{'Z'}})
            Press(edit, key);
        EXPECT_EQ(memo.Text(), u"12:34:56");
        EXPECT_EQ(EditText(edit), "12:34:56");
        Press(edit, 'C');
        EXPECT_EQ(ClipboardText(), L"12");
        Press(edit, 'A');
        EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 8}));
    }
    SendMessageW(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(owner.created, 1);
    EXPECT_EQ(table.MaxForm(), 1);
}

// A checklist as the user keeps it: a click on a box ticks it and leaves the caret where it
// was, Enter continues the list, the menu boxes and unboxes lines, and each is an edit like
// typing. A Ctrl+click on an address asks for it; a Ctrl+drag from it only moves the memo.
TEST_F(MemoFormTest, ChecklistsTickAndGrowAndAddressesOpenOnACtrlClick) {
    // The literals beyond code page 932 stay out of the test macros, which quote their
    // arguments in the narrow execution character set.
    const MemoText shop = u"店 https://example.com/a。";
    const MemoText open = u"☐ 牛乳\r\n☐ パン\r\n" + shop;
    const MemoText ticked = u"☐ 牛乳\r\n☑ パン\r\n" + shop;
    const MemoText grown = u"☐ 牛乳\r\n☐ パン\r\n☐ \r\n" + shop;
    const MemoText ended = u"☐ 牛乳\r\n☐ パン\r\n\r\n" + shop;
    const MemoText unboxed = u"牛乳\r\nパン\r\n\r\n" + shop;
    const MemoText clock = u"☐ 時計";
    TMemoForm& memo = Shown(0, "買い物");
    HWND edit = memo.TextArea();
    memo.SetText(open);
    SendMessageW(edit, EM_SETSEL, 3, 3);
    // Inside the character cell of a unit.
    const auto cellOf = [&](MemoTextView unit) {
        const LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, memo.Text().find(unit), 0);
        return POINT{static_cast<int16_t>(LOWORD(at)) + 3, static_cast<int16_t>(HIWORD(at)) + 3};
    };
    const auto click = [&](POINT at, WPARAM keys = 0) {
        SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON | keys, At(at.x, at.y));
        SendMessageW(edit, WM_LBUTTONUP, keys, At(at.x, at.y));
    };

    const POINT secondBox = cellOf(u"☐ パン");
    click(secondBox);
    EXPECT_EQ(memo.Text(), ticked);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{3, 3}));
    EXPECT_EQ(owner.changes, 1);
    SendMessageW(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, At(secondBox.x, secondBox.y));
    EXPECT_EQ(memo.Text(), open);
    EXPECT_EQ(owner.created, 0) << "a quick second click on a box is no double-click";
    click(cellOf(u"パン"));
    EXPECT_EQ(owner.changes, 2) << "only boxes tick";

    SendMessageW(edit, EM_SETSEL, 10, 10);
    SendMessageW(edit, WM_CHAR, L'\r', 1);
    EXPECT_EQ(memo.Text(), grown);
    SendMessageW(edit, WM_CHAR, L'\r', 1);
    EXPECT_EQ(memo.Text(), ended);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{12, 12}));

    const auto boxCommand = [&] {
        SendMessageW(memo.Handle(), WM_COMMAND, WORD(MemoCommand::Checkbox), 0);
    };
    SendMessageW(edit, EM_SETSEL, 1, 8);
    boxCommand();
    EXPECT_EQ(memo.Text(), unboxed);
    EXPECT_EQ(Selection(edit), (std::pair<DWORD, DWORD>{0, 6}));
    boxCommand();
    EXPECT_EQ(memo.Text(), ended);
    EXPECT_EQ(owner.changes, 6) << "each an edit the memo is told of";
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(memo.Text(), unboxed) << "one step to undo";

    {
        const HeldKeys ctrl{VK_CONTROL};
        click(cellOf(u"店"), MK_CONTROL);
        EXPECT_TRUE(owner.addresses.empty());
        click(cellOf(u"example"), MK_CONTROL);
        EXPECT_EQ(owner.addresses, std::vector<MemoText>{u"https://example.com/a"});

        POINT over = cellOf(u"com");
        ClientToScreen(edit, &over);
        SetCursorPos(over.x, over.y);
        SendMessageW(edit, WM_SETCURSOR, reinterpret_cast<WPARAM>(edit),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

        const int32_t left = memo.Left();
        const POINT from = cellOf(u"example");
        SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(from.x, from.y));
        SendMessageW(edit, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, At(from.x + 40, from.y));
        SendMessageW(edit, WM_LBUTTONUP, MK_CONTROL, At(from.x, from.y));
        EXPECT_EQ(memo.Left(), left + 40);
    }
    click(cellOf(u"example"));
    EXPECT_EQ(owner.addresses.size(), 1u) << "a plain click edits";

    // A macro memo's text is the macro's: its boxes stay as it wrote them.
    memo.SetText(clock);
    memo.SetReadOnly(true);
    click(cellOf(clock.substr(0, 1)));
    boxCommand();
    EXPECT_EQ(memo.Text(), clock);
    EXPECT_TRUE(owner.errors.empty());
}

// A write replaces only what differs: the text comes out whole, the selection outside the
// change stays where its characters went, and the view stays where the user scrolled it.
TEST_F(MemoFormTest, AWriteKeepsTheSelectionAndTheViewAroundWhatItChanges) {
    struct Row {
        const char* shown;
        const char* written;
        std::pair<DWORD, DWORD> before;
        std::pair<DWORD, DWORD> after;
    };
    const Row rows[] = {
        {"12:34:56", "12:34:57", {0, 2}, {0, 2}},  // a clock's second, selection ahead
        {"前XY後", "前Z後", {3, 4}, {2, 3}},       // behind the change: moves with it
        {"abcdef", "abXYZf", {3, 4}, {5, 5}},      // inside it: after what came
        {"a\r\nb", "a\r\nb\r\nc", {0, 1}, {0, 1}}, // a line more
        {"消える", "", {1, 2}, {0, 0}},
        {"", "新しい", {0, 0}, {0, 0}},
        {"同じ同じ", "同じ", {0, 0}, {0, 0}}, // repeated characters
    };
    TMemoForm& memo = Shown();
    const HWND edit = memo.TextArea();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.written);
        memo.SetText(SystemMemoText(row.shown));
        SendMessageW(edit, EM_SETSEL, row.before.first, row.before.second);
        memo.SetText(SystemMemoText(row.written));
        EXPECT_EQ(EditText(edit), row.written);
        EXPECT_EQ(memo.Text(), SystemMemoText(row.written));
        EXPECT_EQ(Selection(edit), row.after);
    }
    EXPECT_EQ(owner.changes, 0) << "the program's writes are no edits of the user's";

    std::string lines;
    for (int line = 0; line < 40; ++line)
        lines += "行 " + std::to_string(line) + "\r\n";
    memo.SetText(SystemMemoText(lines + "12:00:00"));
    SendMessageW(edit, EM_LINESCROLL, 0, 5);
    memo.SetText(SystemMemoText(lines + "12:00:01"));
    EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 5);

    // The text changed by the user's typing, or set by another program, between two writes:
    // the next write still comes out whole.
    memo.SetText(u"12:00:00");
    SendMessageW(edit, EM_SETSEL, 0, 0);
    Press(edit, 'A');
    memo.SetText(u"12:00:01");
    EXPECT_EQ(EditText(edit), "12:00:01");
    SetWindowTextW(edit, L"外から");
    memo.SetText(u"12:00:02");
    EXPECT_EQ(EditText(edit), "12:00:02");
}

// A memo updated in place from a stored key, as sync does: a clock turned plain text takes
// typing again, and turned back it refuses it and shows its expansion.
TEST_F(MemoFormTest, AMacroMemoUpdatedInPlaceToPlainTextCanBeEditedAgain) {
    MacroWorld macro;
    FakeMacroHost host;
    TMemoForm& memo = Shown(2, "時計");
    memo.SetMacroText(u"N#{yyyy#}年");
    memo.SetReadOnly(true);
    macro.expander.ExpandMacros(memo, host);
    ASSERT_EQ(EditText(memo.TextArea()), "2026年");
    store::StoredMemo stored;
    stored.text = u"ただの文";
    store::RestoreMemo(stored, memo, macro.expander, host, 96);
    EXPECT_FALSE(memo.ReadOnly());
    SendMessageW(memo.TextArea(), EM_SETSEL, 0, 0);
    Press(memo.TextArea(), 'A');
    EXPECT_EQ(EditText(memo.TextArea()), "aただの文");

    stored.text = u"N#{yyyy#}年";
    store::RestoreMemo(stored, memo, macro.expander, host, 96);
    EXPECT_TRUE(memo.ReadOnly());
    Press(memo.TextArea(), 'A');
    EXPECT_EQ(EditText(memo.TextArea()), "2026年");
}

// The memo table behind the window: destroying slot 0 of three asks with its title and
// moves the last memo into its place; a double-click on the strip hides the memo and the
// list says so; the menu's status item opens the properties window's memo page.
TEST_F(MemoFormTest, TheMemoTableActsThroughTheWindow) {
    TMemoForm& first = Shown(0, "一");
    Shown(0, "二");
    TMemoForm& third = Shown(0, "三");
    HWND firstWindow = first.Handle();
    {
        const HeldKeys ctrl{VK_CONTROL};
        Press(first.TextArea(), VK_F4);
    }
    ASSERT_EQ(windows.Shown().size(), 1u);
    EXPECT_EQ(windows.Shown()[0].text, "この「一」を破棄しますか？");
    EXPECT_FALSE(IsWindow(firstWindow));
    EXPECT_EQ(factory.LiveMemos(), 2);
    EXPECT_EQ(&table.Memos(0), &third);
    EXPECT_EQ(third.Tag(), 0);
    EXPECT_EQ(list.Rows(), (std::vector<MemoText>{u"○ - 三", u"○ - 二"}));

    SendMessageW(third.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(30, 7));
    EXPECT_FALSE(third.Visible());
    EXPECT_EQ(list.Rows(), (std::vector<MemoText>{u"× - 三", u"○ - 二"}));

    SendMessageW(dynamic_cast<TMemoForm&>(table.Memos(1)).Handle(), WM_COMMAND,
                 static_cast<WPARAM>(MemoCommand::StatusPage), 0);
    EXPECT_EQ(owner.statusPages, 1);
    // What a handler lets go goes to the general error report, and the memo goes on.
    owner.failWith = "表示できません";
    SendMessageW(dynamic_cast<TMemoForm&>(table.Memos(1)).Handle(), WM_COMMAND,
                 static_cast<WPARAM>(MemoCommand::StatusPage), 0);
    EXPECT_EQ(owner.errors, std::vector<std::string>{"表示できません"});
    owner.errors.clear();

    // The menu's destroy item, as a chosen item arrives.
    PostMessageW(third.Handle(), WM_COMMAND, static_cast<WPARAM>(MemoCommand::Destroy), 0);
    Pump();
    EXPECT_EQ(windows.Shown().size(), 2u);
    EXPECT_EQ(table.MaxForm(), 0);
    EXPECT_EQ(list.Rows(), (std::vector<MemoText>{u"○ - 二"}));
    EXPECT_TRUE(owner.errors.empty());
}

// Only DestForm closes a memo: a close request from outside leaves it open and listed.
TEST_F(MemoFormTest, ACloseFromOutsideIsRefused) {
    TMemoForm& memo = Shown(0, "閉じない");
    PostMessageW(memo.Handle(), WM_CLOSE, 0, 0);
    PostMessageW(memo.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_TRUE(IsWindow(memo.Handle()));
    EXPECT_TRUE(memo.Visible());
    EXPECT_EQ(&table.Memos(0), &memo);
    EXPECT_EQ(list.Rows(), (std::vector<MemoText>{u"○ - 閉じない"}));
}

// Windows still open when the factory goes are destroyed with it; one closed before is
// gone already and not destroyed twice.
TEST_F(MemoFormTest, TheFactoryDestroysTheMemosLeftOpen) {
    HWND closed, open, shown;
    {
        forms::MemoFormFactory own{application.get(), owner};
        TMemoForm& first = own.NewMemo();
        closed = first.Handle();
        open = own.NewMemo().Handle();
        TMemoForm& visible = own.NewMemo();
        visible.SetVisible(true);
        shown = visible.Handle();
        first.Close();
        EXPECT_FALSE(IsWindow(closed));
        EXPECT_EQ(own.LiveMemos(), 2);
    }
    EXPECT_FALSE(IsWindow(open));
    EXPECT_FALSE(IsWindow(shown));
}

} // namespace
} // namespace petarino
