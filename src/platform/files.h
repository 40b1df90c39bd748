// The file services the core needs: the program's folder, whole-file reads, and whole-file
// writes that never leave a file half replaced. Names the core makes are CP932 bytes; a path
// itself stays as the system knows it, so a folder that code page 932 cannot hold still works.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace petarino::platform {

// A file's or a folder's full name as the system knows it. The core only passes it on,
// joins a name to it (Files::InFolder) and shows it (Files::Display).
struct FilePath {
    std::u16string units;
    friend bool operator==(const FilePath&, const FilePath&) = default;
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

class Files {
public:
    virtual ~Files() = default;

    // The folder of the program file, ending with its separator.
    virtual FilePath ProgramFolder() = 0;
    // The folder followed by a CP932 name, taken as it stands.
    virtual FilePath InFolder(const FilePath& folder, std::string_view name) = 0;
    // The full name in CP932, for messages; what code page 932 cannot hold shows as "?".
    virtual std::string Display(const FilePath& path) = 0;

    // Writes the bytes to a new file beside the target and puts it in the target's place only
    // once every byte is written, so on any failure the target is as it was and nothing is
    // left behind. Throws EFCreateError (the full name in its message) or EWriteError.
    virtual void WriteWhole(const FilePath& path, std::string_view bytes) = 0;
    // The file's bytes as they stand. Throws EFOpenError.
    virtual std::string ReadWhole(const FilePath& path) = 0;
};

} // namespace petarino::platform
