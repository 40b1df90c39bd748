// The folder watch on Wine's file system, its messages read from the test thread's own queue.
#include "platform/win32/folder_watch.h"
#include "win32/temp_folder.h"

#include <windows.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace petarino::win32 {
namespace {

namespace fs = std::filesystem;

constexpr UINT kChanged = WM_APP + 7;
// Long enough for a change to be told where it is told at once.
constexpr DWORD kQuiet = 500;

platform::FilePath PathOf(const fs::path& folder) {
    const std::wstring wide = folder.wstring();
    return {std::u16string(wide.begin(), wide.end())};
}

class FolderWatchTest : public testing::Test {
protected:
    ~FolderWatchTest() override { DestroyWindow(window); }

    // Whether the message comes within the time.
    bool Arrives(DWORD milliseconds) {
        const ULONGLONG deadline = GetTickCount64() + milliseconds;
        MSG message;
        do {
            if (PeekMessageW(&message, window, kChanged, kChanged, PM_REMOVE)) return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
        } while (GetTickCount64() < deadline);
        return false;
    }
    // The change is told within the time, and not by what an earlier one left in the queue:
    // one change may come as several notifications, so they are let settle and dropped first.
    bool Told(const std::function<void()>& change, DWORD milliseconds = 5000) {
        Sleep(100);
        for (MSG message; PeekMessageW(&message, window, kChanged, kChanged, PM_REMOVE);) {
        }
        change();
        return Arrives(milliseconds);
    }

    const TempFolder first{L"petarino-watch-1"};
    const TempFolder second{L"petarino-watch-2"};
    // Posted messages need no procedure: the test takes them from the queue itself.
    const HWND window = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
    FolderWatch watch{window, kChanged};
};

TEST_F(FolderWatchTest, PostsOnEveryChangeUntilStopped) {
    ASSERT_TRUE(watch.Watch(PathOf(first.Path())));
    EXPECT_FALSE(Arrives(kQuiet)) << "nothing changed yet";
    const fs::path& folder = first.Path();
    EXPECT_TRUE(Told([&] { std::ofstream(folder / L"a.json") << "made"; })) << "made";
    EXPECT_TRUE(Told([&] { std::ofstream(folder / L"a.json", std::ios::app) << " and longer"; }))
        << "written";
    EXPECT_TRUE(Told([&] { fs::rename(folder / L"a.json", folder / L"b.json"); })) << "renamed";
    EXPECT_TRUE(Told([&] { fs::create_directory(folder / L"sub"); })) << "a folder made";
    EXPECT_TRUE(Told([&] { fs::remove(folder / L"b.json"); })) << "removed";

    watch.Stop();
    EXPECT_FALSE(Told([&] { std::ofstream(folder / L"c.json") << "after the stop"; }, kQuiet));
}

TEST_F(FolderWatchTest, WatchesOneFolderAtATimeAndNoneThatCannotBe) {
    EXPECT_FALSE(watch.Watch(PathOf(first.Path() / L"missing")));
    ASSERT_TRUE(watch.Watch(PathOf(first.Path())));
    EXPECT_TRUE(Told([&] { std::ofstream(first.Path() / L"a.json") << "1"; }));

    ASSERT_TRUE(watch.Watch(PathOf(second.Path())));
    EXPECT_FALSE(Told([&] { std::ofstream(first.Path() / L"b.json") << "2"; }, kQuiet))
        << "the earlier folder is no longer watched";
    EXPECT_TRUE(Told([&] { std::ofstream(second.Path() / L"b.json") << "3"; }));

    EXPECT_FALSE(watch.Watch(PathOf(second.Path() / L"b.json"))) << "a file is no folder";
    EXPECT_FALSE(Told([&] { std::ofstream(second.Path() / L"c.json") << "4"; }, kQuiet))
        << "a failed watch stops the one before";
}

// A watch stays with the folder it was given; whether that folder still lies at its path is
// asked, and the path watched again once another has taken it.
TEST_F(FolderWatchTest, TellsWhetherTheFolderAtItsPathIsStillTheOneWatched) {
    EXPECT_FALSE(watch.Current()) << "nothing watched";
    ASSERT_TRUE(watch.Watch(PathOf(first.Path())));
    EXPECT_TRUE(watch.Current());
    EXPECT_TRUE(Told([&] { std::ofstream(first.Path() / L"a.json") << "1"; }));
    EXPECT_TRUE(watch.Current()) << "changes inside leave it the same folder";

    fs::rename(first.Path(), second.Path() / L"away");
    EXPECT_FALSE(watch.Current()) << "moved away";
    fs::create_directory(first.Path());
    EXPECT_FALSE(watch.Current()) << "another folder at its path";
    fs::remove(first.Path());
    fs::rename(second.Path() / L"away", first.Path());
    EXPECT_TRUE(watch.Current()) << "the same folder back";

    fs::rename(first.Path(), second.Path() / L"away");
    fs::create_directory(first.Path());
    ASSERT_TRUE(watch.Watch(PathOf(first.Path())));
    EXPECT_TRUE(watch.Current());
    EXPECT_TRUE(Told([&] { std::ofstream(first.Path() / L"b.json") << "2"; }))
        << "the folder now at the path is watched";
    watch.Stop();
    EXPECT_FALSE(watch.Current()) << "stopped";
}

} // namespace
} // namespace petarino::win32
