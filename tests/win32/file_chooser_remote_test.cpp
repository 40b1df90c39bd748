// The file chooser answered from outside as the soak road answers the program's: here the
// chooser is this process's own, answered from another thread while this one waits in it.
#include "file_chooser.h"
#include "platform/win32/choosers_win32.h"
#include "win32/temp_folder.h"

#include <windows.h>
#include <future>
#include <gtest/gtest.h>

namespace petarino::win32 {
namespace {

TEST(RemoteFileChooser, TypesTheFullPathAndConfirmsIt) {
    const TempFolder temp{L"petarino-remote-chooser"};
    const std::wstring path = (temp.Path() / L"書き出し.txt").wstring();
    auto answered = std::async(
        std::launch::async, [&] { return remote::ChooseFile(GetCurrentProcessId(), path, 10000); });
    Win32Choosers choosers;
    const auto chosen = choosers.PickFileToSave(u"提案された名前", platform::FileKind::Text);
    EXPECT_TRUE(answered.get());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(std::wstring(chosen->units.begin(), chosen->units.end()), path);
}

TEST(RemoteFileChooser, SaysSoWhenNoChooserShows) {
    EXPECT_FALSE(remote::ChooseFile(GetCurrentProcessId(), L"C:\\x.txt", 300));
}

} // namespace
} // namespace petarino::win32
