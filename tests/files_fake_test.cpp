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

} // namespace
} // namespace petarino::platform
