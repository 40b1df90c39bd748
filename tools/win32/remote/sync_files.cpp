#include "sync_files.h"

#include "memo_store.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/kernel_win32.h"
#include "registry_values.h"
#include "sync/memo_file.h"
#include "sync/memo_values.h"
#include "sync/travelling_values.h"
#include "sync/version_vector.h"
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

namespace {

// The values a shown memo holding the text has in its file.
std::vector<store::NamedValue> ValuesShowing(const std::wstring& text, platform::Kernel& kernel) {
    InMemoryMemo memo;
    memo.SetText(MemoText(text.begin(), text.end()));
    memo.SetVisible(true);
    return sync::FileValues(sync::MemoKeyValues(memo, kPixelsPerInch, kernel));
}

void WriteNewMemoFile(const std::wstring& path, const std::string& id,
                      std::vector<store::NamedValue> values, platform::Kernel& kernel) {
    const std::string device = kernel.NewGuid();
    const sync::MemoFile file{
        .id = id,
        .versions = {{device, 1}},
        .device = device,
        .updated = sync::UpdatedText(kernel.UtcNow()),
        .deleted = false,
        .values = std::move(values),
    };
    WriteAll(path, sync::MemoFileText(file, kernel));
}

template <typename Change> void ChangeMemoFile(const std::wstring& path, Change change) {
    win32::KernelWin32 kernel;
    const sync::MemoFileRead read = sync::ReadMemoFile(ReadAll(path), kernel);
    if (read.kind != sync::MemoFileKind::Memo)
        throw std::runtime_error("the file is no memo file of this version");
    sync::MemoFile file = read.memo;
    file.versions = sync::Bumped(file.versions, file.device);
    file.updated = sync::UpdatedText(kernel.UtcNow());
    change(file, kernel);
    WriteAll(path, sync::MemoFileText(file, kernel));
}

} // namespace

void WriteMemoFile(const std::wstring& path, const std::string& id, const std::wstring& text) {
    win32::KernelWin32 kernel;
    WriteNewMemoFile(path, id, ValuesShowing(text, kernel), kernel);
}

void WriteOlderMemoFile(const std::wstring& path, const std::string& id, const std::wstring& text) {
    win32::KernelWin32 kernel;
    std::vector<store::NamedValue> values = ValuesShowing(text, kernel);
    std::erase_if(values, [](const store::NamedValue& value) { return value.name == "FontColor"; });
    WriteNewMemoFile(path, id, std::move(values), kernel);
}

void EditMemoFile(const std::wstring& path, const std::wstring& text) {
    ChangeMemoFile(path, [&](sync::MemoFile& file, platform::Kernel& kernel) {
        for (const store::NamedValue& value : ValuesShowing(text, kernel))
            if (value.name == "Text")
                for (store::NamedValue& held : file.values)
                    if (held.name == "Text") held = value;
    });
}

void DeleteMemoFile(const std::wstring& path) {
    ChangeMemoFile(path, [](sync::MemoFile& file, platform::Kernel&) { file.deleted = true; });
}

} // namespace petarino::remote
