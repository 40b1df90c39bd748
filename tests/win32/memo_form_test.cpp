// The memo window in the test process under Wine, driven by its own messages: the record
// over the real window and EDIT, the title-strip layouts as they are drawn, dragging,
// keeping on screen, the menu and its shortcuts, and the refused close. Behind the window
// sits the real memo table with a recording owner, a fake status list and scripted message
// boxes.
#include "forms/memo_form_factory.h"
#include "memos/memo_table.h"
#include "memos/title_layout.h"
#include "platform/fake/fake_status_list.h"
#include "platform/fake/fake_window_system.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/unique_handle.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

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
    void ShowStatusPage() override { ++statusPages; }
    void Exit() override { ++exits; }
    void OpenMemoProperties(Memo& memo) override { properties.push_back(&memo); }
    void ReportError(std::string_view message) override { errors.emplace_back(message); }

    MemoTable* table = nullptr;
    int created = 0;
    int statusPages = 0;
    int exits = 0;
    std::vector<Memo*> properties;
    std::vector<std::string> errors;
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

[[maybe_unused]] LPARAM At(int x, int y) {
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

[[maybe_unused]] std::string EditText(HWND edit) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), int(text.size()))));
    return win32::FromWide(text);
}

[[maybe_unused]] std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

[[maybe_unused]] void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

[[maybe_unused]] std::wstring ClipboardText() {
    if (!OpenClipboard(nullptr)) return L"(clipboard not open)";
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// A key as the message loop delivers it: the key message and the character that
// TranslateMessage queued for it, both through the queue.
[[maybe_unused]] void Press(HWND edit, WPARAM key, std::optional<wchar_t> typed = std::nullopt,
                            bool system = false) {
    PostMessageW(edit, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    if (typed) PostMessageW(edit, system ? WM_SYSCHAR : WM_CHAR, *typed, 1);
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
                          .biHeight = -height_,
                          .biPlanes = 1,
                          .biBitCount = 32,
                          .biCompression = BI_RGB,
                          .biSizeImage = 0,
                          .biXPelsPerMeter = 0,
                          .biYPelsPerMeter = 0,
                          .biClrUsed = 0,
                          .biClrImportant = 0};
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
    MONITORINFO monitor{.cbSize = sizeof monitor, .rcMonitor = {}, .rcWork = {}, .dwFlags = 0};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

class MemoFormTest : public ::testing::Test {
protected:
    MemoFormTest() { owner.table = &table; }
    ~MemoFormTest() override { Pump(); }

    static HWND MakeApplicationWindow() {
        return CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"ペタリノ", WS_POPUP, 0, 0, 0, 0,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }

    // A visible memo made by the table, at a known place with known colours.
    TMemoForm& Shown(int32_t titleBar = 0, const std::string& hint = "テスト") {
        Memo* memo = table.CreateMemo();
        if (!memo) throw std::logic_error("no memo");
        auto& form = dynamic_cast<TMemoForm&>(*memo);
        form.SetTitleBar(titleBar);
        form.SetHint(hint);
        form.SetWindowColor(kStrip);
        form.SetTitleTextColor(kTitle);
        ResizeClient(form, 318, 93);
        form.SetLeft(200);
        form.SetTop(150);
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

    EXPECT_EQ(memo.Hint(), "無題");
    EXPECT_EQ(memo.Tag(), 0);
    EXPECT_EQ(memo.TitleBar(), 0);
    EXPECT_EQ(memo.WindowColor(), clActiveCaption);
    EXPECT_EQ(memo.TitleTextColor(), clCaptionText);
    EXPECT_EQ(memo.MemoColor(), clBtnFace);
    EXPECT_EQ(memo.MemoFont(), Font{});
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_EQ(memo.Text(), "");

    // The next one where the window system would put it: further down and right, inside.
    TMemoForm& next = factory.NewMemo();
    EXPECT_GT(next.Left(), memo.Left());
    EXPECT_GT(next.Top(), memo.Top());
    const RECT work = WorkAreaOf(next.Handle());
    EXPECT_LE(next.Left() + next.Width(), work.right);
    EXPECT_LE(next.Top() + next.Height(), work.bottom);
    EXPECT_EQ(factory.LiveMemos(), 2);
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
        memo.SetHint(hint);
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

    memo.SetText("選択できる本文のテキスト");
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

} // namespace
} // namespace petarino
