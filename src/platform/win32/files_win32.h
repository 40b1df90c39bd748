// The file services over the W functions. Paths stay UTF-16 from the module's own name on,
// so a program folder that code page 932 cannot hold still works; only the names the core
// makes are converted, with code page 932.
#pragma once

#include "platform/files.h"

namespace petarino::win32 {

class Win32Files final : public platform::Files {
public:
    platform::FilePath ProgramFolder() override;
    platform::FilePath ProgramFile() override;
    // The separator put between is "\"; a drive alone ("C:") is taken as it stands.
    platform::FilePath InFolder(const platform::FilePath& folder, std::string_view name) override;
    std::string Display(const platform::FilePath& path) override;
    // A read-only target, a folder that does not exist, a name a file cannot have or a
    // target another program holds: EFCreateError. An existing target keeps its attributes
    // where the system can carry them over.
    void WriteWhole(const platform::FilePath& path, std::string_view bytes) override;
    std::string ReadWhole(const platform::FilePath& path, std::uint64_t maxBytes) override;
    std::string ReadStart(const platform::FilePath& path, std::size_t bytes) override;
    platform::FilePath LocalAppDataFolder() override;
    void CreateFolder(const platform::FilePath& folder) override;
    std::vector<std::string> FileNames(const platform::FilePath& folder,
                                       std::string_view extension) override;
    bool RemoveFile(const platform::FilePath& path) override;
    std::optional<std::uint64_t> FileSize(const platform::FilePath& path) override;
    // The stamp is the last-write FILETIME as 64 bits.
    std::optional<std::vector<platform::FolderEntry>>
    ListFolder(const platform::FilePath& folder) override;
    bool FolderExists(const platform::FilePath& folder) override;
    // Across volumes too, as a copy and a removal.
    bool MoveIntoFolder(const platform::FilePath& file, const platform::FilePath& folder) override;
};

} // namespace petarino::win32
