#include "app/single_instance.h"

#include "forms/properties_window.h"

namespace petarino::app {
namespace {

constexpr wchar_t kInstanceMutex[] = L"Local\\Petarino.Instance";

} // namespace

GuardResult GuardSingleInstance(platform::WindowSystem& windows) {
    GuardResult result{.mutex = UniqueMutex(CreateMutexW(nullptr, FALSE, kInstanceMutex))};
    const bool mutexHeld = GetLastError() == ERROR_ALREADY_EXISTS;
    const bool windowFound = FindWindowW(forms::TDouguForm::kClassName, nullptr) != nullptr;
    if (!mutexHeld && !windowFound) return result;
    windows.ShowMessageBox("ペタリノは、二重起動できません。\n"
                           "強制的に起動するには、Shiftを押しながらOKを押してください。",
                           "だめだこりゃ。", platform::MessageBoxStyle::IconError);
    result.run = windows.ShiftHeldNow();
    return result;
}

} // namespace petarino::app
