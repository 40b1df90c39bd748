#include "memos/memo_table.h"
#include "platform/fake/fake_window_system.h"
#include "platform/fake/forwarding_files.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/kernel_win32.h"
#include "store/text_export.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_memo_factory.h"
#include "win32/memo_text_of.h"

#include <windows.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>

namespace petarino {
namespace {

namespace fs = std::filesystem;

// The real file services, with a program folder of the test's own.
class FilesInFolder final : public platform::ForwardingFiles {
public:
    explicit FilesInFolder(const fs::path& folder) : ForwardingFiles(real_), folder_(folder) {}

    platform::FilePath ProgramFolder() override {
        const std::wstring wide = folder_.wstring() + L"\\";
        return {std::u16string(wide.begin(), wide.end())};
    }

private:
    win32::Win32Files real_;
    fs::path folder_;
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
    win32::KernelWin32 kernel;
    InMemoryMemoFactory factory;
    FakeStatusList list;
    platform::FakeWindowSystem windows;
    MemoTable table{factory, list, windows};
};

// A memo that code page 932 holds is written in it, byte for byte as ever; one that holds
// anything else, in its text or its title, as UTF-8 with a byte-order mark, under its own name.
TEST_F(TextExportWin32Test, AMemoBeyondCodePage932IsWrittenAsUtf8WithAByteOrderMark) {
    const struct {
        const char16_t* title;
        const char16_t* text;
        const wchar_t* file;
        std::string bytes;
    } rows[] = {
        {u"予定", u"ﾊﾝｶｸ①Ⅹ", L"予定.txt", SystemCp932(u"ﾊﾝｶｸ①Ⅹ")},
        {u"买菜", u"牛乳", L"买菜.txt", "\xEF\xBB\xBF\xE7\x89\x9B\xE4\xB9\xB3"},
        {u"café ✓", u"😀\r\n𠮷", L"café ✓.txt", "\xEF\xBB\xBF\xF0\x9F\x98\x80\r\n\xF0\xA0\xAE\xB7"},
    };
    for (const auto& row : rows) {
        Memo& memo = *table.CreateMemo();
        memo.SetHint(row.title);
        memo.SetText(row.text);
    }
    store::ExportMemos(table, files, kernel);
    for (const auto& row : rows) {
        std::ifstream file(program / row.file, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), row.bytes) << &row - rows;
    }
}

TEST_F(TextExportWin32Test, RefusesEveryNameThatWouldWriteElsewhereAndWritesNothing) {
    Memo& memo = *table.CreateMemo();
    memo.SetText(u"text");
    const std::set<std::wstring> before = Entries();
    for (const char* title :
         {"..\\escaped", "..\\..\\escaped", "../escaped", "sub\\..\\..\\escaped", "C:\\escaped",
          "\\escaped", "\\\\localhost\\c$\\escaped", "a:b", "CON", "NUL", "COM1", "LPT1", "con.log",
          "CONOUT$", "NUL   ", "sub\\AUX", "missing\\x", "a?b"}) {
        memo.SetHint(SystemMemoText(title));
        const std::string name = std::string(title) + ".txt";
        try {
            store::ExportMemos(table, files, kernel);
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
