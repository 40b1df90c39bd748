#include "sync_files.h"

#include "memo_store.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/kernel_win32.h"
#include "registry_values.h"
#include "sync/memo_file.h"
#include "sync/memo_values.h"
#include "sync/travelling_values.h"
#include "testing/in_memory_memo.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace petarino::remote {
namespace {

// Wine's screen density, at which the program's memos keep their font sizes.
constexpr int kPixelsPerInch = 96;

std::wstring Wide(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out.flush()) throw std::runtime_error("cannot write a file in the sync folder");
}

// The id the folder's header names, the header written first when the folder has none.
std::string FolderId(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    const std::filesystem::path header = folder / std::string(sync::kFolderHeaderName);
    if (!std::filesystem::exists(header))
        WriteAll(header, sync::FolderHeaderText(win32::KernelWin32().NewGuid()));
    const auto id = sync::ReadFolderHeader(ReadAll(header));
    if (!id) throw std::runtime_error("the folder's petarino-sync.json names no sync folder");
    return *id;
}

} // namespace

void SetSyncFolder(const std::wstring& folder) {
    WriteText(kProgramKey, L"SyncFolderId", Wide(FolderId(folder)));
    WriteText(kProgramKey, L"SyncFolder", folder);
    if (!ReadText(kProgramKey, L"SyncDevice"))
        WriteText(kProgramKey, L"SyncDevice", Wide(win32::KernelWin32().NewGuid()));
}

std::string NewMemoId() {
    return win32::KernelWin32().NewGuid();
}

void WriteMemoFile(const std::wstring& path, const std::string& id, const std::wstring& text) {
    InMemoryMemo memo;
    memo.SetText(MemoText(text.begin(), text.end()));
    memo.SetVisible(true);
    win32::KernelWin32 kernel;
    const std::string device = kernel.NewGuid();
    const sync::MemoFile file{
        .id = id,
        .versions = {{device, 1}},
        .device = device,
        .updated = sync::UpdatedText(kernel.UtcNow()),
        .deleted = false,
        .values = sync::FileValues(sync::MemoKeyValues(memo, kPixelsPerInch, kernel)),
    };
    WriteAll(path, sync::MemoFileText(file, kernel));
}

} // namespace petarino::remote
