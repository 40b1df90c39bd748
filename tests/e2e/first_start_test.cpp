// A first start on an empty store: nothing on the screen but the notification icon and its
// balloon, nothing loaded for the hidden properties window's controls, the version it tells,
// and an exit through the icon's menu that leaves the counters and no memo; the next start
// shows no balloon.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "registry_values.h"
#include "tray.h"
#include "window_search.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <psapi.h>
#include <string>
#include <vector>

namespace petarino::e2e {
namespace {

using FirstStart = PetarinoTest;

BOOL CALLBACK CollectVisible(HWND window, LPARAM context) {
    auto& [processId, visible] = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(context);
    if (remote::ProcessOf(window) == processId && IsWindowVisible(window))
        visible.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> found{processId, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&found));
    return found.second;
}

// Whether the process has mapped a library of this name.
bool HasLoaded(DWORD processId, const wchar_t* library) {
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    HMODULE modules[512];
    DWORD bytes = 0;
    bool found = false;
    if (process && EnumProcessModules(process, modules, sizeof modules, &bytes))
        for (DWORD i = 0; i < bytes / sizeof(HMODULE) && !found; ++i) {
            wchar_t name[MAX_PATH]{};
            GetModuleBaseNameW(process, modules[i], name, MAX_PATH);
            found = lstrcmpiW(name, library) == 0;
        }
    if (process) CloseHandle(process);
    return found;
}

HWND NewIcon(const std::vector<HWND>& before) {
    for (HWND icon : remote::WineTrayIcons())
        if (std::find(before.begin(), before.end(), icon) == before.end()) return icon;
    return nullptr;
}

// The version resource as Explorer shows it: the fixed numbers, then the Japanese
// FileVersion and ProductVersion texts.
std::wstring FileVersionOf(const std::filesystem::path& program) {
    std::vector<std::byte> data(GetFileVersionInfoSizeW(program.c_str(), nullptr));
    void* found = nullptr;
    UINT size = 0;
    if (data.empty() ||
        !GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
        !VerQueryValueW(data.data(), L"\\", &found, &size))
        return L"none";
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
    std::wstring shown = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                         std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                         std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                         std::to_wstring(LOWORD(fixed->dwFileVersionLS));
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        shown += L" ";
        if (VerQueryValueW(data.data(), path.c_str(), &found, &size) && size > 0)
            shown += static_cast<const wchar_t*>(found);
    }
    return shown;
}

TEST_F(FirstStart, ShowsOnlyItsIconAndEndsThroughTheIconMenu) {
    const std::vector<HWND> iconsBefore = remote::WineTrayIcons();
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());

    // No window on the screen and no taskbar button: the properties window is hidden and the
    // application window that owns it is a hidden tool window.
    EXPECT_EQ(remote::TextOf(petarino.Properties()), L"ペタリノのプロパティ");
    HWND application = petarino.ApplicationWindow();
    ASSERT_NE(application, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(application, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(petarino.Memos().empty());
    EXPECT_TRUE(petarino.KeepsRunning());
    EXPECT_TRUE(VisibleTopLevelWindows(petarino.Id()).empty());
    // Nor the controls of the hidden window, whose library an empty desktop does not need.
    EXPECT_FALSE(HasLoaded(petarino.Id(), L"comctl32.dll"));
    EXPECT_TRUE(HasLoaded(petarino.Id(), L"user32.dll")) << "the process's libraries unread";

    // The icon is in Wine's tray, where its balloon says how to begin.
    HWND icon = nullptr;
    ASSERT_TRUE(remote::WaitFor([&] { return (icon = NewIcon(iconsBefore)) != nullptr; }))
        << "no notification icon";
    std::optional<std::wstring> balloon;
    EXPECT_TRUE(remote::WaitFor([&] { return (balloon = remote::WineTrayBalloon()).has_value(); }))
        << "no balloon at the first start";
    EXPECT_EQ(balloon.value_or(L""), L"ペタリノが起動しました。通知領域のアイコンを右クリックして"
                                     L"「新規メモ」を選ぶと、メモを貼れます。");

    // The version box and the file's version information tell the same version.
    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'a'));
    const auto box = petarino.WaitForMessageBox();
    ASSERT_TRUE(box) << "no version box";
    EXPECT_EQ(box->caption, L"ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(box->text,
              L"ペタリノ ver 3.00\n付箋をデスクトップに貼っておくためのプログラムです。\n"
              L"ご意見・不具合の報告は、ペタリノ開発チームまでお寄せください。");
    EXPECT_TRUE(remote::Answer(*box, IDOK));
    EXPECT_EQ(FileVersionOf(ProgramFolder() / L"petarino.exe"), L"3.0.0.0 3.00 3.00");

    // Its clicks reach the properties window.
    PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(icon, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(remote::WaitFor([&] { return IsWindowVisible(petarino.Properties()) != FALSE; }))
        << "the icon's left click did not show the properties window";
    EXPECT_TRUE(HasLoaded(petarino.Id(), L"comctl32.dll")) << "its controls came with it";

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_TRUE(remote::WaitFor([&] { return remote::WineTrayIcons() == iconsBefore; }))
        << "the icon stayed after the exit";

    const auto settings = remote::ReadSettings();
    ASSERT_TRUE(settings) << "nothing saved";
    EXPECT_EQ(settings->exec, 1);
    EXPECT_EQ(remote::ReadMaxForm(), -1);
    EXPECT_EQ(settings->saveTiming, 10);
    EXPECT_FALSE(settings->saving);
    EXPECT_FALSE(settings->exportText);
    EXPECT_FALSE(settings->confirmExit);
    EXPECT_TRUE(remote::SubkeysOf(remote::kProgramKey).empty());

    // The store is there now: no balloon, though it would come within 2 s of the icon.
    RunningPetarino& again = Launch();
    ASSERT_TRUE(again.WaitForStart());
    EXPECT_FALSE(remote::WaitFor([] { return remote::WineTrayBalloon().has_value(); }, 5000))
        << "a balloon at a later start";
    ASSERT_TRUE(again.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(again.WaitForExit());
}

} // namespace
} // namespace petarino::e2e
