#include "contract/files_contract.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace petarino::platform {
namespace {

class FilesContract : public testing::Test {
protected:
    FilePath In(std::string_view name) { return files.InFolder(folder, name); }
    void Put(std::string_view name, std::string_view bytes) { files.WriteWhole(In(name), bytes); }
    std::string Read(const FilePath& path) { return files.ReadWhole(path, kMostBytesRead); }
    std::set<std::string> Names(const FilePath& listed) {
        std::set<std::string> names;
        for (const FolderEntry& entry :
             files.ListFolder(listed).value_or(std::vector<FolderEntry>{}))
            names.insert(entry.name);
        return names;
    }
    // The folder as a chooser gives one: without its separator at the end.
    FilePath Bare(FilePath path) {
        path.units.pop_back();
        return path;
    }

    std::unique_ptr<FilesContractSubject> subject_ = MakeFilesContractSubject();
    Files& files = subject_->files();
    const FilePath folder = subject_->Folder();
};

TEST_F(FilesContract, ListsEveryEntryOnceWithItsKindAndSize) {
    struct Case {
        std::string name;
        bool folder;
        std::string bytes;
    };
    const std::vector<Case> cases{
        {"empty.txt", false, ""},
        {"five.json", false, "12345"},
        {"ソ表.txt", false, "a\\b"}, // 表 is 95 5C: its second byte is no separator
        {"大きい.bin", false, std::string(70'000, 'x')},
        {"sub", true, ""},
        {"空き", true, ""},
    };
    for (const Case& c : cases) {
        if (c.folder)
            files.CreateFolder(In(c.name));
        else
            Put(c.name, c.bytes);
    }
    Put("sub\\inner.txt", "not listed: only the folder's own entries are");

    const auto listed = files.ListFolder(folder);
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), cases.size());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto entry = std::find_if(listed->begin(), listed->end(),
                                        [&](const FolderEntry& e) { return e.name == c.name; });
        ASSERT_NE(entry, listed->end());
        EXPECT_EQ(entry->path, In(c.name));
        EXPECT_EQ(entry->folder, c.folder);
        EXPECT_EQ(entry->size, c.bytes.size());
        if (c.folder) {
            EXPECT_TRUE(files.FolderExists(entry->path));
        } else {
            EXPECT_EQ(Read(entry->path), c.bytes);
            EXPECT_EQ(files.ReadStart(entry->path, 4096), c.bytes.substr(0, 4096));
        }
        EXPECT_NE(entry->modified, 0u);
    }

    // A second look at an unchanged folder sees the same stamps, with or without the
    // separator at the folder's end.
    const auto again = files.ListFolder(Bare(folder));
    ASSERT_TRUE(again);
    ASSERT_EQ(again->size(), cases.size());
    for (const FolderEntry& entry : *again) {
        const auto first = std::find_if(listed->begin(), listed->end(),
                                        [&](const FolderEntry& e) { return e.name == entry.name; });
        ASSERT_NE(first, listed->end()) << entry.name;
        EXPECT_EQ(entry.modified, first->modified) << entry.name;
        EXPECT_EQ(entry.size, first->size) << entry.name;
        if (!entry.folder) {
            EXPECT_EQ(Read(entry.path), Read(first->path)) << entry.name;
        }
    }
}

TEST_F(FilesContract, OnlyAFolderIsListedAndExists) {
    Put("file.txt", "x");
    files.CreateFolder(In("empty\\"));
    struct Case {
        FilePath path;
        bool folder;
    };
    const std::vector<Case> cases{
        {folder, true},          {Bare(folder), true},
        {In("empty"), true},     {In("empty\\"), true},
        {In("file.txt"), false}, {In("file.txt\\"), false},
        {In("missing"), false},  {In("missing\\deeper\\"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(files.Display(c.path));
        EXPECT_EQ(files.FolderExists(c.path), c.folder);
        EXPECT_EQ(files.ListFolder(c.path).has_value(), c.folder);
    }
    EXPECT_EQ(files.ListFolder(In("empty")), std::vector<FolderEntry>{});
}

TEST_F(FilesContract, ANameJoinsAFolderWithOrWithoutItsSeparator) {
    files.WriteWhole(files.InFolder(Bare(folder), "a.txt"), "a");
    EXPECT_EQ(Names(folder), std::set<std::string>{"a.txt"});
    EXPECT_EQ(Read(In("a.txt")), "a");

    files.CreateFolder(In("表")); // 95 5C: ends in a byte that looks like a separator
    files.CreateFolder(In("sub"));
    for (const FilePath& into : {In("表"), In("sub")}) {
        SCOPED_TRACE(files.Display(into));
        files.WriteWhole(files.InFolder(into, "b.txt"), "b");
        EXPECT_EQ(Names(into), std::set<std::string>{"b.txt"});
        EXPECT_EQ(Read(files.InFolder(into, "b.txt")), "b");
    }
    EXPECT_EQ(Names(folder), (std::set<std::string>{"a.txt", "sub", "表"}));
}

TEST_F(FilesContract, MovingIntoAFolderNeverReplacesAFile) {
    struct Case {
        std::string name;
        std::string movedAs;
    };
    const std::vector<Case> cases{
        {"memo.json", "memo.json"},     {"memo.json", "memo (2).json"},
        {"memo.json", "memo (3).json"}, {"notes", "notes"},
        {"notes", "notes (2)"},         {"a.b.json", "a.b.json"},
        {"a.b.json", "a.b (2).json"},   {".json", ".json"},
        {".json", ".json (2)"},         {"ソ表.txt", "ソ表.txt"},
        {"ソ表.txt", "ソ表 (2).txt"},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.movedAs);
        const std::string bytes = std::to_string(++number);
        Put(c.name, bytes);
        // The folder is made at the first move; given with and without its separator.
        const FilePath into = number % 2 ? In("conflicts") : In("conflicts\\");
        ASSERT_TRUE(files.MoveIntoFolder(In(c.name), into));
        EXPECT_EQ(Read(files.InFolder(In("conflicts"), c.movedAs)), bytes);
    }
    EXPECT_EQ(Names(In("conflicts")).size(), cases.size());
    EXPECT_EQ(Names(folder), std::set<std::string>{"conflicts"}) << "every file moved";

    EXPECT_FALSE(files.MoveIntoFolder(In("absent.json"), In("conflicts")));
    Put("blocker", "a file where the folder would be");
    Put("kept.txt", "kept");
    EXPECT_FALSE(files.MoveIntoFolder(In("kept.txt"), In("blocker")));
    EXPECT_EQ(Read(In("kept.txt")), "kept");
    EXPECT_EQ(Read(In("blocker")), "a file where the folder would be");
}

// Engines that replicate a folder upload no name beginning with "~$", so a write in progress
// never reaches other machines; what a write that never finished left is taken over.
TEST_F(FilesContract, AWriteGoesThroughATemporaryNamedAfterTheTargetAndLeavesNothing) {
    Put("~$memo.tmp", "left by a write that never finished");
    Put("memo.json", "new");
    EXPECT_EQ(Names(folder), std::set<std::string>{"memo.json"});
    EXPECT_EQ(Read(In("memo.json")), "new");

    files.CreateFolder(In("~$notes.tmp"));
    Put("notes.json", "a name still taken gives way");
    EXPECT_EQ(Names(folder), (std::set<std::string>{"memo.json", "notes.json", "~$notes.tmp"}));
    EXPECT_EQ(Read(In("notes.json")), "a name still taken gives way");

    EXPECT_THROW(files.WriteWhole(In("missing\\memo.json"), "x"), EFCreateError);
    EXPECT_EQ(Names(folder), (std::set<std::string>{"memo.json", "notes.json", "~$notes.tmp"}));
}

} // namespace
} // namespace petarino::platform
