// A first start on an empty store: nothing on the screen but the notification icon, and an
// exit through the icon's menu that leaves the counters and no memo.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "registry_values.h"
#include "tray.h"
#include "window_search.h"

#include <algorithm>

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

HWND NewIcon(const std::vector<HWND>& before) {
    for (HWND icon : remote::WineTrayIcons())
        if (std::find(before.begin(), before.end(), icon) == before.end()) return icon;
    return nullptr;
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

    // The icon is in Wine's tray, and its clicks reach the properties window.
    HWND icon = nullptr;
    ASSERT_TRUE(remote::WaitFor([&] { return (icon = NewIcon(iconsBefore)) != nullptr; }))
        << "no notification icon";
    PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(icon, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(remote::WaitFor([&] { return IsWindowVisible(petarino.Properties()) != FALSE; }))
        << "the icon's left click did not show the properties window";

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
}

} // namespace
} // namespace petarino::e2e
