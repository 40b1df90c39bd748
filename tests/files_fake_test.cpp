#include "contract/files_contract.h"
#include "platform/fake/fake_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace petarino::platform {

namespace {

class FakeSubject final : public FilesContractSubject {
public:
    Files& files() override { return files_; }
    FilePath Folder() override { return files_.ProgramFolder(); }

private:
    FakeFiles files_;
};

} // namespace

std::unique_ptr<FilesContractSubject> MakeFilesContractSubject() {
    return std::make_unique<FakeSubject>();
}

namespace {

// A write that fails midway, as on a full disk, leaves neither its temporary file nor a
// changed target.
TEST(FakeFiles, AWriteThatFailsMidwayLeavesNothingBehind) {
    FakeFiles files;
    const FilePath memo = files.InFolder(files.ProgramFolder(), "memo.json");
    files.WriteWhole(memo, "old");
    files.FailNextWriteAfter(2);
    EXPECT_THROW(files.WriteWhole(memo, "new text"), EWriteError);
    EXPECT_EQ(files.ReadWhole(memo, kMostBytesRead), "old");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(files.ProgramDirectory()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"memo.json"});
}

// A read stops at the size the file had when it was opened. The system gives the files of
// /proc the size 0 whatever they hold, as if they grew the moment their size was taken.
TEST(FakeFiles, AReadStopsAtTheSizeTheFileHadWhenItWasOpened) {
    FakeFiles files;
    const FilePath growing = files.InFolder({}, "/proc/self/status");
    ASSERT_EQ(files.FileSize(growing), 0u);
    EXPECT_EQ(files.ReadWhole(growing, kMostBytesRead), "");
    EXPECT_THROW(files.ReadWhole(files.ProgramFolder(), kMostBytesRead), EFOpenError)
        << "a folder is no file to read, as on Windows";
}

} // namespace
} // namespace petarino::platform
