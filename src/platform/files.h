// The file services the core needs: the program's folder, whole-file reads, whole-file writes
// that never leave a file half replaced, and folders listed and filed into. Names the core makes
// are CP932 bytes; a path itself stays as the system knows it, so a folder that code page 932
// cannot hold still works.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace petarino::platform {

// A file's or a folder's full name as the system knows it. The core only passes it on,
// joins a name to it (Files::InFolder) and shows it (Files::Display).
struct FilePath {
    std::u16string units;
    friend bool operator==(const FilePath&, const FilePath&) = default;
};

// One entry of a folder's listing, as the listing tells it: no file is opened for it.
struct FolderEntry {
    // CP932 with "?" for what code page 932 cannot hold: for matching and messages only.
    std::string name;
    FilePath path; // exact
    bool folder = false;
    std::uint64_t size = 0; // 0 for a folder
    // The system's last-write stamp, only ever compared for equality.
    std::uint64_t modified = 0;
    friend bool operator==(const FolderEntry&, const FolderEntry&) = default;
};

// A file that cannot be created: the name holds a character a file name cannot hold, names
// a folder that does not exist or something that is no plain file, or the file is locked or
// read-only.
class EFCreateError : public std::runtime_error {
public:
    explicit EFCreateError(std::string_view fullName)
        : std::runtime_error(std::string("ﾌｧｲﾙ ").append(fullName).append(" を作成できません")) {}
};

// Fewer bytes were written than the text holds.
class EWriteError : public std::runtime_error {
public:
    EWriteError() : std::runtime_error("ｽﾄﾘｰﾑへの書き込みｴﾗｰ") {}
};

// A file that cannot be opened for reading.
class EFOpenError : public std::runtime_error {
public:
    explicit EFOpenError(std::string_view fullName)
        : std::runtime_error(std::string("ﾌｧｲﾙ ").append(fullName).append(" は開けません")) {}
};

// A file larger than its reader takes, refused before a byte of it is read.
class EFTooLarge : public std::runtime_error {
public:
    explicit EFTooLarge(std::string_view fullName)
        : std::runtime_error(std::string("ファイル ").append(fullName).append(" は大きすぎます")) {}
};

// No reader of the program takes more: a memo holds far less, and so does a backup of them all.
inline constexpr std::uint64_t kMostBytesRead = std::uint64_t{16} << 20;

class Files {
public:
    virtual ~Files() = default;

    // The folder of the program file, ending with its separator.
    virtual FilePath ProgramFolder() = 0;
    // The program's own file, as the system started it.
    virtual FilePath ProgramFile() = 0;
    // The folder followed by a CP932 name, taken as it stands; a separator goes between them
    // when the folder does not end with one.
    virtual FilePath InFolder(const FilePath& folder, std::string_view name) = 0;
    // The full name in CP932, for messages; what code page 932 cannot hold shows as "?".
    virtual std::string Display(const FilePath& path) = 0;

    // Writes the bytes to a new file beside the target and puts it in the target's place only
    // once every byte is written and flushed, so on any failure the target is as it was and
    // nothing is left behind. The new file is named "~$" + the target's name without its
    // extension + ".tmp" ("~$abc.tmp" for "abc.json"), a name that engines replicating the
    // folder leave alone. A leftover file of that name is removed first; a name still taken (a
    // folder, another write going on) gives way to a number after the stem ("~$abc2.tmp").
    // Throws EFCreateError (the full name in its message) or EWriteError.
    virtual void WriteWhole(const FilePath& path, std::string_view bytes) = 0;
    // The file's bytes as they stand, never more than its size when it was opened: a file that
    // grows meanwhile is read as it was. Throws EFOpenError, or EFTooLarge when the file holds
    // more than maxBytes.
    virtual std::string ReadWhole(const FilePath& path, std::uint64_t maxBytes) = 0;
    // The file's first bytes, no more than `bytes`; all of a shorter file. Throws EFOpenError.
    virtual std::string ReadStart(const FilePath& path, std::size_t bytes) = 0;

    // The user's folder for data kept on this machine only, ending with its separator.
    virtual FilePath LocalAppDataFolder() = 0;
    // The folder and every missing one above it. Throws EFCreateError.
    virtual void CreateFolder(const FilePath& folder) = 0;
    // The names of the plain files in the folder that end with the extension (".json"), in no
    // particular order; none when the folder does not exist.
    virtual std::vector<std::string> FileNames(const FilePath& folder,
                                               std::string_view extension) = 0;
    // False when the file was not there or could not be removed.
    virtual bool RemoveFile(const FilePath& path) = 0;
    // Nullopt when there is no such plain file.
    virtual std::optional<std::uint64_t> FileSize(const FilePath& path) = 0;

    // Every entry but "." and "..", files and folders, in one pass over the folder and in no
    // particular order; nullopt when the folder cannot be listed whole (missing, no folder,
    // access denied). The folder may end with a separator or not.
    virtual std::optional<std::vector<FolderEntry>> ListFolder(const FilePath& folder) = 0;
    virtual bool FolderExists(const FilePath& folder) = 0;
    // Moves the file into the folder, made when missing, under its own name, or when that is
    // taken under the name with " (2)", " (3)", ... before its extension ("a (2).json"); never
    // replaces a file. False when it could not.
    virtual bool MoveIntoFolder(const FilePath& file, const FilePath& folder) = 0;
};

} // namespace petarino::platform
