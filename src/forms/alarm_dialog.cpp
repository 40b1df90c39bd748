#include "forms/alarm_dialog.h"

#include "alarms/alarm_bell.h"
#include "forms/modal_loop.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/cp932_win32.h"

#include <commctrl.h>

namespace petarino::forms {
namespace {

namespace DialogResult = platform::DialogResult;

constexpr SIZE kClient{265, 145};

enum ControlId : int {
    kUseAlarm = 101,
    kTime,
    kRepeatLabel,
    kRepeat,
    kSound,
};

} // namespace

TAlarmSet::TAlarmSet(HWND owner, platform::WindowSystem& windows, platform::Kernel& kernel,
                     MemoTable& table)
    : owner_(owner), windows_(windows), kernel_(kernel), properties_(*this, table),
      formFont_(CreateFormFont()) {
    win32::LoadCommonControls(ICC_DATE_CLASSES);
    FormWindow<TAlarmSet>::RegisterClassOnce(L"TAlarmSet", 0,
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    window_ = CreateForm(L"TAlarmSet", this, owner_, "アラーム", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                         WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClient);
    CreateControls();
}

// In the order of the tab key; the label comes right before the list its mnemonic focuses.
void TAlarmSet::CreateControls() {
    const HWND parent = window_.get();
    const HFONT font = formFont_.get();
    useAlarm_ =
        CreateControl(parent, L"BUTTON", "アラームを使う", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
                      {8, 8, 129, 17}, kUseAlarm, font);
    time_ = CreateControl(parent, DATETIMEPICK_CLASSW, "", WS_TABSTOP | WS_GROUP, {8, 32, 161, 21},
                          kTime, font);
    SendMessageW(time_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy/MM/dd HH:mm"));
    FitToCaption(CreateControl(parent, L"STATIC", "繰り返し(&R):", SS_LEFT, {8, 65, 60, 12},
                               kRepeatLabel, font));
    repeat_ = CreateControl(parent, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP,
                            {88, 61, 81, 120}, kRepeat, font);
    for (const std::string_view caption : kAlarmRepeatCaptions)
        SendMessageW(repeat_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::ToWide(caption).c_str()));
    sound_ = CreateControl(parent, L"BUTTON", "音を鳴らす", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
                           {8, 90, 129, 17}, kSound, font);
    ok_ = CreateControl(parent, L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                        {104, 112, 73, 25}, IDOK, font);
    CreateControl(parent, L"BUTTON", "ｷｬﾝｾﾙ", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
                  {184, 112, 73, 25}, IDCANCEL, font);
}

int TAlarmSet::Execute(Memo& memo) {
    if (modal_.Running()) return DialogResult::Cancel;
    properties_.Open(memo, WallMinuteOf(kernel_.Now()));
    EnableDetails();
    memo_ = &memo;
    const int result = modal_.Run(window_.get(), ok_, DialogResult::Cancel);
    memo_ = nullptr;
    if (result == DialogResult::Ok) properties_.Apply(memo, WallMinuteOf(kernel_.Now()));
    return result;
}

LRESULT TAlarmSet::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) Click(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        if (modal_.Running()) modal_.End(DialogResult::Cancel);
        return 0;
    case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TAlarmSet::Click(int id) {
    switch (id) {
    case IDOK: Confirm(); break;
    case IDCANCEL: modal_.End(DialogResult::Cancel); break;
    case kUseAlarm: EnableDetails(); break;
    }
}

// A time that is refused is told, and the dialog stays for the user to mend it.
void TAlarmSet::Confirm() {
    if (memo_)
        if (const auto refusal = properties_.Refusal(*memo_, WallMinuteOf(kernel_.Now()))) {
            windows_.ShowMessageBox(*refusal, "ペタリノ",
                                    platform::MessageBoxStyle::Ok |
                                        platform::MessageBoxStyle::IconError);
            return;
        }
    modal_.End(DialogResult::Ok);
}

void TAlarmSet::EnableDetails() {
    const BOOL use = UseAlarm() ? TRUE : FALSE;
    for (const HWND control : {time_, repeat_, sound_})
        EnableWindow(control, use);
}

bool TAlarmSet::UseAlarm() const {
    return Checked(useAlarm_);
}
void TAlarmSet::SetUseAlarm(bool use) {
    Check(useAlarm_, use);
}

WallMinute TAlarmSet::Time() const {
    SYSTEMTIME time{};
    SendMessageW(time_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return {{time.wYear, time.wMonth, time.wDay}, time.wHour, time.wMinute};
}

void TAlarmSet::SetTime(const WallMinute& time) {
    const SYSTEMTIME value{.wYear = static_cast<WORD>(time.date.year),
                           .wMonth = static_cast<WORD>(time.date.month),
                           .wDayOfWeek = 0,
                           .wDay = static_cast<WORD>(time.date.day),
                           .wHour = static_cast<WORD>(time.hour),
                           .wMinute = static_cast<WORD>(time.minute)};
    SendMessageW(time_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
}

int TAlarmSet::RepeatItem() const {
    return static_cast<int>(SendMessageW(repeat_, CB_GETCURSEL, 0, 0));
}
void TAlarmSet::SetRepeatItem(int item) {
    SendMessageW(repeat_, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

bool TAlarmSet::Sound() const {
    return Checked(sound_);
}
void TAlarmSet::SetSound(bool sound) {
    Check(sound_, sound);
}

} // namespace petarino::forms
