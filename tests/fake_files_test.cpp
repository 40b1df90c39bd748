#include "platform/fake/fake_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace petarino::platform {
namespace {

namespace fs = std::filesystem;

class FakeFilesTest : public testing::Test {
protected:
    FilePath In(std::string_view name) { return files.InFolder(files.ProgramFolder(), name); }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(files.Root()))
            names.insert(entry.path().lexically_relative(files.Root()).string());
        return names;
    }

    FakeFiles files;
};

TEST_F(FakeFilesTest, TakesNamesByteForByteWithBackslashesBetweenCharactersAsSeparators) {
    fs::create_directory(files.ProgramDirectory() / "sub");
    files.WriteWhole(In("sub\\ソ表.txt"), "a\r\n");
    EXPECT_EQ(Entries(), (std::set<std::string>{"program", "program/sub", "program/sub/ソ表.txt"}));
    EXPECT_EQ(files.ReadWhole(In("sub\\ソ表.txt")), "a\r\n");
    EXPECT_EQ(files.Display(In("ソ表.txt")), files.ProgramDirectory().string() + "/ソ表.txt");
}

TEST_F(FakeFilesTest, AWriteThatFailsMidwayLeavesTheOldFileAndNothingElse) {
    files.WriteWhole(In("memo.txt"), "old");
    files.FailNextWriteAfter(2);
    EXPECT_THROW(files.WriteWhole(In("memo.txt"), "new text"), EWriteError);
    EXPECT_EQ(files.ReadWhole(In("memo.txt")), "old");
    EXPECT_EQ(Entries(), (std::set<std::string>{"program", "program/memo.txt"}));
    files.WriteWhole(In("memo.txt"), "new text");
    EXPECT_EQ(files.ReadWhole(In("memo.txt")), "new text") << "only the next write fails";
}

TEST_F(FakeFilesTest, RefusesWhatCannotBeCreated) {
    files.WriteWhole(In("read-only.txt"), "old");
    fs::permissions(files.Native(In("read-only.txt")), fs::perms::owner_write,
                    fs::perm_options::remove);
    EXPECT_THROW(files.WriteWhole(In("read-only.txt"), "new"), EFCreateError);
    EXPECT_EQ(files.ReadWhole(In("read-only.txt")), "old");
    EXPECT_THROW(files.WriteWhole(In("missing\\x.txt"), "new"), EFCreateError);
    EXPECT_THROW(files.ReadWhole(In("absent.txt")), EFOpenError);
}

} // namespace
} // namespace petarino::platform
