#include "memos/memo_table.h"
#include "platform/fake/fake_window_system.h"
#include "platform/win32/files_win32.h"
#include "store/text_export.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_memo_factory.h"

#include <windows.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace petarino {
namespace {

namespace fs = std::filesystem;

// The real file services, with a program folder of the test's own.
class FilesInFolder final : public platform::Files {
public:
    explicit FilesInFolder(const fs::path& folder) : folder_(folder) {}

    platform::FilePath ProgramFolder() override {
        const std::wstring wide = folder_.wstring() + L"\\";
        return {std::u16string(wide.begin(), wide.end())};
    }
    platform::FilePath ProgramFile() override { return files_.ProgramFile(); }
    platform::FilePath InFolder(const platform::FilePath& folder, std::string_view name) override {
        return files_.InFolder(folder, name);
    }
    std::string Display(const platform::FilePath& path) override { return files_.Display(path); }
    void WriteWhole(const platform::FilePath& path, std::string_view bytes) override {
        files_.WriteWhole(path, bytes);
    }
    std::string ReadWhole(const platform::FilePath& path, std::uint64_t maxBytes) override {
        return files_.ReadWhole(path, maxBytes);
    }
    std::string ReadStart(const platform::FilePath& path, std::size_t bytes) override {
        return files_.ReadStart(path, bytes);
    }
    platform::FilePath LocalAppDataFolder() override { return files_.LocalAppDataFolder(); }
    void CreateFolder(const platform::FilePath& folder) override { files_.CreateFolder(folder); }
    std::vector<std::string> FileNames(const platform::FilePath& folder,
                                       std::string_view extension) override {
        return files_.FileNames(folder, extension);
    }
    bool RemoveFile(const platform::FilePath& path) override { return files_.RemoveFile(path); }
    std::optional<std::uint64_t> FileSize(const platform::FilePath& path) override {
        return files_.FileSize(path);
    }
    std::optional<std::vector<platform::FolderEntry>>
    ListFolder(const platform::FilePath& folder) override {
        return files_.ListFolder(folder);
    }
    bool FolderExists(const platform::FilePath& folder) override {
        return files_.FolderExists(folder);
    }
    bool MoveIntoFolder(const platform::FilePath& file, const platform::FilePath& folder) override {
        return files_.MoveIntoFolder(file, folder);
    }

private:
    fs::path folder_;
    win32::Win32Files files_;
};

// The export on Wine's file system, into a program folder that code page 932 cannot hold,
// inside a folder of the test's own where anything that escaped would show. Without the
// check on names these titles write beside the folder, into a file "a:b.txt", or hang.
class TextExportWin32Test : public testing::Test {
protected:
    TextExportWin32Test() {
        fs::remove_all(root);
        fs::create_directories(program / L"sub");
    }
    ~TextExportWin32Test() override { fs::remove_all(root); }

    std::set<std::wstring> Entries() const {
        std::set<std::wstring> names;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            names.insert(entry.path().lexically_relative(root).wstring());
        return names;
    }

    static fs::path TempFolder() {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        return temp;
    }

    const fs::path root = TempFolder() / L"petarino-export";
    const fs::path program = root / L"プログラム\u00e9";
    FilesInFolder files{program};
    InMemoryMemoFactory factory;
    FakeStatusList list;
    platform::FakeWindowSystem windows;
    MemoTable table{factory, list, windows};
};

TEST_F(TextExportWin32Test, RefusesEveryNameThatWouldWriteElsewhereAndWritesNothing) {
    Memo& memo = *table.CreateMemo();
    memo.SetText("text");
    const std::set<std::wstring> before = Entries();
    for (const char* title :
         {"..\\escaped", "..\\..\\escaped", "../escaped", "sub\\..\\..\\escaped", "C:\\escaped",
          "\\escaped", "\\\\localhost\\c$\\escaped", "a:b", "CON", "NUL", "COM1", "LPT1", "con.log",
          "CONOUT$", "NUL   ", "sub\\AUX", "missing\\x", "a?b"}) {
        memo.SetHint(title);
        const std::string name = std::string(title) + ".txt";
        try {
            store::ExportMemos(table, files);
            ADD_FAILURE() << title << " was written";
        } catch (const platform::EFCreateError& error) {
            EXPECT_EQ(error.what(), "ﾌｧｲﾙ " +
                                        files.Display(files.InFolder(files.ProgramFolder(), name)) +
                                        " を作成できません");
        }
        EXPECT_EQ(Entries(), before) << title;
    }
    for (const fs::path& outside : {TempFolder(), fs::path(L"C:\\")})
        EXPECT_FALSE(fs::exists(outside / L"escaped.txt")) << outside;
}

} // namespace
} // namespace petarino
