#include "contract/files_contract.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/files_win32.h"
#include "win32/temp_folder.h"

#include <windows.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace petarino::win32 {
namespace {

namespace fs = std::filesystem;
using platform::EFCreateError;
using platform::EFOpenError;
using platform::FilePath;

FilePath PathOf(const std::wstring& wide) {
    return {std::u16string(wide.begin(), wide.end())};
}

class Win32Subject final : public platform::FilesContractSubject {
public:
    platform::Files& files() override { return files_; }
    FilePath Folder() override { return PathOf(temp_.Path().wstring() + L"\\"); }

private:
    TempFolder temp_{L"petarino-files-contract"};
    Win32Files files_;
};

} // namespace
} // namespace petarino::win32

namespace petarino::platform {

std::unique_ptr<FilesContractSubject> MakeFilesContractSubject() {
    return std::make_unique<win32::Win32Subject>();
}

} // namespace petarino::platform

namespace petarino::win32 {
namespace {

// Each test writes into a folder of its own under the system's temporary folder.
class FilesWin32Test : public testing::Test {
protected:
    FilesWin32Test() {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        root = fs::path(temp) / (L"petarino-files-" + ToWide(test->name()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    ~FilesWin32Test() override {
        for (const auto& entry : fs::recursive_directory_iterator(root))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove_all(root);
    }

    // The folder as the program knows one: its separator at the end.
    FilePath Folder(const fs::path& folder) const { return PathOf(folder.wstring() + L"\\"); }
    FilePath In(std::string_view name) { return files.InFolder(Folder(root), name); }

    void Put(const fs::path& file, std::string_view bytes) {
        HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(handle);
    }
    std::set<std::wstring> Entries() const {
        std::set<std::wstring> names;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            names.insert(entry.path().lexically_relative(root).wstring());
        return names;
    }
    // The write fails as a file that cannot be created, named in full, and leaves the
    // folder exactly as it was.
    void ExpectCreateErrorLeavingAllAsItWas(const FilePath& path) {
        const std::set<std::wstring> before = Entries();
        try {
            files.WriteWhole(path, "new text");
            ADD_FAILURE() << "the write went ahead";
        } catch (const EFCreateError& error) {
            EXPECT_EQ(error.what(), "ﾌｧｲﾙ " + files.Display(path) + " を作成できません");
        }
        EXPECT_EQ(Entries(), before);
    }

    fs::path root;
    Win32Files files;
};

TEST_F(FilesWin32Test, ProgramFolderIsTheRunningProgramsOwnEndingWithItsSeparator) {
    const FilePath folder = files.ProgramFolder();
    ASSERT_FALSE(folder.units.empty());
    EXPECT_EQ(folder.units.back(), u'\\');
    const std::wstring program(folder.units.begin(), folder.units.end());
    EXPECT_NE(GetFileAttributesW((program + L"win32_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesWin32Test, WritesTheBytesExactlyAndReadsThemBack) {
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    for (const std::string& bytes :
         {std::string("一行目\r\n二行目\r\n"), everyByte, std::string()}) {
        files.WriteWhole(In("memo.txt"), bytes);
        EXPECT_EQ(files.ReadWhole(In("memo.txt"), platform::kMostBytesRead), bytes);
        EXPECT_EQ(fs::file_size(root / L"memo.txt"), bytes.size()) << "no BOM, nothing added";
    }
    EXPECT_EQ(Entries(), std::set<std::wstring>{L"memo.txt"}) << "nothing temporary is left";
}

TEST_F(FilesWin32Test, NamesWhoseSecondBytesAreSeparatorsOrBarsAreOrdinaryNames) {
    // ソ is 83 5C and 表 is 95 5C; ポ is 83 7C.
    files.WriteWhole(In("ソ表ポ.txt"), "text");
    EXPECT_EQ(Entries(), std::set<std::wstring>{L"ソ表ポ.txt"});
    EXPECT_EQ(files.ReadWhole(In("ソ表ポ.txt"), platform::kMostBytesRead), "text");
}

TEST_F(FilesWin32Test, WritesIntoAnExistingSubfolder) {
    fs::create_directory(root / L"sub");
    files.WriteWhole(In("sub\\memo.txt"), "text");
    EXPECT_EQ(Entries(), (std::set<std::wstring>{L"sub", L"sub\\memo.txt"}));
}

TEST_F(FilesWin32Test, ReplacesAnExistingFileWhole) {
    Put(root / L"memo.txt", "an old and much longer text");
    files.WriteWhole(In("memo.txt"), "new");
    EXPECT_EQ(files.ReadWhole(In("memo.txt"), platform::kMostBytesRead), "new");
    EXPECT_EQ(Entries(), std::set<std::wstring>{L"memo.txt"});
}

TEST_F(FilesWin32Test, RefusesWhatCannotBeCreatedAndKeepsTheOldFile) {
    Put(root / L"read-only.txt", "old");
    SetFileAttributesW((root / L"read-only.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    ExpectCreateErrorLeavingAllAsItWas(In("read-only.txt"));
    EXPECT_EQ(files.ReadWhole(In("read-only.txt"), platform::kMostBytesRead), "old");

    ExpectCreateErrorLeavingAllAsItWas(In("missing\\memo.txt"));
    ExpectCreateErrorLeavingAllAsItWas(In("a?b.txt"));
    ExpectCreateErrorLeavingAllAsItWas(In("a*b.txt"));
    ExpectCreateErrorLeavingAllAsItWas(In("a|b.txt"));

    fs::create_directory(root / L"folder.txt");
    ExpectCreateErrorLeavingAllAsItWas(In("folder.txt"));
}

TEST_F(FilesWin32Test, RefusesAFileAnotherProgramHoldsAndKeepsIt) {
    Put(root / L"held.txt", "old");
    HANDLE held = CreateFileW((root / L"held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectCreateErrorLeavingAllAsItWas(In("held.txt"));
    CloseHandle(held);
    EXPECT_EQ(files.ReadWhole(In("held.txt"), platform::kMostBytesRead), "old");
}

TEST_F(FilesWin32Test, WorksInAFolderThatCodePage932CannotHold) {
    const fs::path folder = root / L"メモ\u00e9\uD55C";
    fs::create_directory(folder);
    const FilePath file = files.InFolder(Folder(folder), "ソ表.txt");
    files.WriteWhole(file, "text\r\n");
    EXPECT_TRUE(fs::exists(folder / L"ソ表.txt"));
    EXPECT_EQ(files.ReadWhole(file, platform::kMostBytesRead), "text\r\n");

    const std::string shown = files.Display(file);
    EXPECT_TRUE(shown.ends_with("\\メモ??\\ソ表.txt")) << "never a look-alike: " << shown;
    ExpectCreateErrorLeavingAllAsItWas(files.InFolder(Folder(folder), "missing\\x.txt"));
}

TEST_F(FilesWin32Test, ReadingAFileThatIsNotThereNamesIt) {
    try {
        files.ReadWhole(In("absent.txt"), platform::kMostBytesRead);
        ADD_FAILURE() << "read a file that is not there";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.what(), "ﾌｧｲﾙ " + files.Display(In("absent.txt")) + " は開けません");
    }
}

TEST_F(FilesWin32Test, FoldersAreMadeListedAndEmptiedAndLargeFilesRefusedUnread) {
    const FilePath folder = files.InFolder(Folder(root), "一\\二\\");
    files.CreateFolder(folder);
    files.CreateFolder(folder);
    ASSERT_TRUE(fs::is_directory(root / L"一" / L"二"));
    files.WriteWhole(files.InFolder(folder, "a.json"), "12345");
    files.WriteWhole(files.InFolder(folder, "b.txt"), "");
    fs::create_directory(root / L"一" / L"二" / L"c.json");
    EXPECT_EQ(files.FileNames(folder, ".json"), std::vector<std::string>{"a.json"});
    EXPECT_EQ(files.FileSize(files.InFolder(folder, "a.json")), 5u);
    EXPECT_EQ(files.FileSize(files.InFolder(folder, "c.json")), std::nullopt);

    try {
        files.ReadWhole(files.InFolder(folder, "a.json"), 4);
        ADD_FAILURE() << "read a file larger than asked for";
    } catch (const platform::EFTooLarge& error) {
        EXPECT_EQ(error.what(), "ファイル " + files.Display(files.InFolder(folder, "a.json")) +
                                    " は大きすぎます");
    }
    EXPECT_EQ(files.ReadWhole(files.InFolder(folder, "a.json"), 5), "12345");
    EXPECT_TRUE(files.RemoveFile(files.InFolder(folder, "a.json")));
    EXPECT_FALSE(files.RemoveFile(files.InFolder(folder, "a.json")));
    EXPECT_TRUE(files.FileNames(folder, ".json").empty());
    const std::string local = files.Display(files.LocalAppDataFolder());
    EXPECT_TRUE(local.ends_with("\\")) << local;
    EXPECT_TRUE(fs::is_directory(ToWide(local))) << local;
}

// Names the code page cannot hold are listed with "?" for matching and messages, and with
// their exact paths for everything else; the stamp is the file's last-write FILETIME.
TEST_F(FilesWin32Test, ListsNamesCodePage932CannotHoldAndTheWriteStamps) {
    // Named outside the checks, whose texts are made in code page 932.
    const fs::path zhang = root / L"张伟.txt";
    const fs::path together = root / L"同步";
    Put(zhang, "zhang");
    fs::create_directory(together);
    const HANDLE file = CreateFileW(zhang.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const FILETIME written{.dwLowDateTime = 0x89ABCDE0, .dwHighDateTime = 0x01DB1234};
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);

    const auto listed = files.ListFolder(Folder(root));
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), 2u);
    for (const platform::FolderEntry& entry : *listed) {
        const std::wstring path(entry.path.units.begin(), entry.path.units.end());
        if (entry.folder) {
            EXPECT_EQ(entry.name, "同?");
            EXPECT_EQ(path, together.wstring());
        } else {
            EXPECT_EQ(entry.name, "??.txt");
            EXPECT_EQ(path, zhang.wstring());
            EXPECT_EQ(files.ReadWhole(entry.path, platform::kMostBytesRead), "zhang");
            EXPECT_EQ(entry.modified, 0x01DB123489ABCDE0u);
        }
    }
}

} // namespace
} // namespace petarino::win32
