// The program's entry point: the format settings, the hidden application window, the
// single-instance guard, the properties window, the memo properties dialog made when first
// opened, and the message loop.
#include "app/application_window.h"
#include "app/single_instance.h"
#include "app/store_read_ahead.h"
#include "desk/desk.h"
#include "forms/alarm_dialog.h"
#include "forms/memo_form_factory.h"
#include "forms/memo_properties_on_demand.h"
#include "forms/properties_window.h"
#include "macro/era_calendar.h"
#include "platform/win32/choosers_win32.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/graphics_win32.h"
#include "platform/win32/kernel_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/window_system_win32.h"
#include "store/error_report.h"

#include <exception>
#include <optional>

namespace petarino {
namespace {

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int Run(HINSTANCE instance) {
    win32::KernelWin32 kernel;
    FormatLocale locale = LoadFormatLocale(kernel);
    HICON icon = LoadIconW(instance, L"MAINICON");
    win32::Win32Registry registry;

    win32::Win32WindowSystem windows;
    try {
        app::ApplicationWindow application(windows, icon);
        windows.SetOwner(application.Handle());
        const app::GuardResult guard = app::GuardSingleInstance(windows);
        if (!guard.run) return 0;
        // Only once this copy may run: a second copy's question can stay open while the first
        // saves or exits, and what was read before it would undo that at the next save. Still
        // after the first call to the window system, whose start it would only slow down.
        const app::StoreReadAhead storeReadAhead(registry);

        win32::Win32Graphics graphics;
        win32::Win32Files files;
        win32::Win32Choosers choosers;
        EraCalendar eras(kernel, locale.identity);
        forms::TDouguForm douguForm({.application = application.Handle(),
                                     .icon = icon,
                                     .desk = {.windows = windows,
                                              .kernel = kernel,
                                              .registry = registry,
                                              .graphics = graphics,
                                              .files = files,
                                              .choosers = choosers,
                                              .locale = locale,
                                              .macro = {kernel, locale, eras}},
                                     .closed = [] { PostQuitMessage(0); },
                                     .storeReadAhead = storeReadAhead.Result()},
                                    [](HWND owner, forms::MemoWindowOwner& memoOwner) {
                                        return std::make_unique<forms::MemoFormFactory>(owner,
                                                                                        memoOwner);
                                    });
        application.OnCloseRequest([&douguForm] { douguForm.Close(); });
        application.OnHotkey([&douguForm](int id) { douguForm.HotkeyPressed(id); });
        forms::MemoPropertiesOnDemand memoProperties(application.Handle(), windows, choosers, files,
                                                     douguForm.Desk().Clock().Timer1(),
                                                     douguForm.Desk().Table());
        douguForm.Desk().SetMemoPropertiesDialog(
            [&memoProperties](Memo& memo) { memoProperties.Execute(memo); });
        std::optional<forms::TAlarmSet> alarmSet;
        douguForm.Desk().SetAlarmDialog([&](Memo& memo) {
            if (!alarmSet)
                alarmSet.emplace(application.Handle(), windows, kernel, douguForm.Desk().Table());
            alarmSet->Execute(memo);
        });
        return RunMessageLoop();
    } catch (const std::exception& error) {
        ReportGeneralError(windows, error.what());
        return 1;
    }
}

} // namespace
} // namespace petarino

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return petarino::Run(instance);
}
