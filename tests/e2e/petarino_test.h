// What every end-to-end test stands on: an empty store, a program folder of its own holding a
// copy of petarino.exe (the export writes beside the program), and no copy left running.
#pragma once

#include "running_petarino.h"

#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace petarino::e2e {

// The petarino.exe under test, as given on the command line.
void SetProgramUnderTest(std::wstring path);

class PetarinoTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a copy from the program folder; ASSERT_TRUE(copy.WaitForStart()) waits for it.
    RunningPetarino& Launch();
    const std::filesystem::path& ProgramFolder() const { return folder_; }
    // The folder as the program names it, with its closing separator.
    std::wstring ProgramFolderText() const;

private:
    std::filesystem::path folder_;
    std::deque<RunningPetarino> copies_;
};

// Whether the window's text changes within a few seconds: a macro memo with seconds in it
// changes on every tick.
bool TextChanges(HWND window);

// %LOCALAPPDATA%\Petarino\Backups, where the program writes its backups.
std::filesystem::path BackupsFolder();

// "Exec" of the store, the count of starts that saved; nothing while there is no store.
std::optional<int> StoredExec();

// A text as the program keeps it and exports it: code page 932.
std::string Cp932(const std::wstring& text);
// A text as UTF-8 files and backups hold it.
std::string Utf8(const std::wstring& text);
std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// The names of every file and folder below the folder, relative to it, sorted.
std::vector<std::wstring> Listing(const std::filesystem::path& folder);

} // namespace petarino::e2e
