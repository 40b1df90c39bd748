#include "memos/memo_table.h"
#include "platform/fake/fake_status_list.h"
#include "platform/fake/fake_window_system.h"
#include "platform/fake/in_memory_memo_factory.h"
#include "platform/win32/files_win32.h"
#include "store/text_export.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <windows.h>

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
    platform::FilePath InFolder(const platform::FilePath& folder, std::string_view name) override {
        return files_.InFolder(folder, name);
    }
    std::string Display(const platform::FilePath& path) override { return files_.Display(path); }
    void WriteWhole(const platform::FilePath& path, std::string_view bytes) override {
        files_.WriteWhole(path, bytes);
    }
    std::string ReadWhole(const platform::FilePath& path) override {
        return files_.ReadWhole(path);
    }

private:
    fs::path folder_;
    win32::Win32Files files_;
};

// The export on Wine's file system, into a program folder that code page 932 cannot hold,
// inside a folder of the test's own where anything that escaped would show.
class TextExportWin32Test : public testing::Test {
protected:
    TextExportWin32Test() {
        fs::remove_all(root);
        fs::create_directories(program / L"sub");
    }
    ~TextExportWin32Test() override { fs::remove_all(root); }

    Memo& Create(std::string_view title, std::string_view text) {
        Memo& memo = *table.CreateMemo();
        memo.SetHint(title);
        memo.SetText(text);
        return memo;
    }
    std::string Exported(std::string_view name) {
        return files.ReadWhole(files.InFolder(files.ProgramFolder(), name));
    }
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

TEST_F(TextExportWin32Test, WritesEveryMemoBesideTheProgram) {
    Create("無題", "一行目\r\n二行目\r\n");
    Create("", "");
    Create("ソ表", "second bytes 5C").SetVisible(false);
    Create("sub\\中", "in a subfolder");
    Memo& macro = Create("年", "2026");
    macro.SetMacroText("N#{yyyy#}");
    macro.SetReadOnly(true);

    store::ExportMemos(table, files);
    EXPECT_EQ(Exported("無題.txt"), "一行目\r\n二行目\r\n");
    EXPECT_EQ(Exported(".txt"), "");
    EXPECT_EQ(Exported("ソ表.txt"), "second bytes 5C");
    EXPECT_EQ(Exported("sub\\中.txt"), "in a subfolder");
    EXPECT_EQ(Exported("年.txt"), "N#{yyyy#}");
    const std::wstring folder = program.filename().wstring();
    EXPECT_EQ(Entries(), (std::set<std::wstring>{folder, folder + L"\\無題.txt", folder + L"\\.txt",
                                                 folder + L"\\ソ表.txt", folder + L"\\sub",
                                                 folder + L"\\sub\\中.txt", folder + L"\\年.txt"}));
}

TEST_F(TextExportWin32Test, RefusesEveryNameThatWouldWriteElsewhereAndWritesNothing) {
    Memo& memo = Create("", "text");
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
    EXPECT_EQ(GetFileAttributesW(L"C:\\escaped.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(L"\\escaped.txt"), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace petarino
