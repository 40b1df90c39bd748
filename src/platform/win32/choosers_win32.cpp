#include "platform/win32/choosers_win32.h"

#include "platform/win32/color_win32.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/font_win32.h"

#include <algorithm>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

namespace petarino::win32 {
namespace {

constexpr std::string_view kLoadTitle = "ファイルのロード";
constexpr std::string_view kSaveTitle = "ペタリノの保存";
// Pairs of a name and its pattern, "|" between all of them, and the extension for a name
// without one.
struct KindOfFile {
    std::string_view filter;
    const wchar_t* extension;
};

KindOfFile Of(platform::FileKind kind) {
    if (kind == platform::FileKind::Backup)
        return {"ペタリノのバックアップ (*.json)|*.json", L"json"};
    return {"テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*", L"txt"};
}
// As long as a path the file system takes.
constexpr std::size_t kMaxPath = 32'768;

// The filter as the file choosers read it: each string ends in a NUL, the list in another.
std::wstring FilterList(std::string_view filter) {
    std::wstring list = ToWide(filter);
    std::ranges::replace(list, L'|', L'\0');
    list.push_back(L'\0');
    return list;
}

using FileChooser = BOOL WINAPI(OPENFILENAMEW*);

// Starts at `name`; what the user confirms replaces it. nullopt for Cancel, and for a
// chooser that could not open, which has nothing to tell the user either.
std::optional<std::wstring> PickFile(std::wstring_view name, std::string_view title,
                                     platform::FileKind kind, DWORD flags, FileChooser* chooser) {
    std::wstring buffer(kMaxPath, L'\0');
    std::copy_n(name.begin(), std::min(name.size(), kMaxPath - 1), buffer.begin());
    const KindOfFile ofKind = Of(kind);
    const std::wstring filter = FilterList(ofKind.filter);
    const std::wstring wideTitle = ToWide(title);
    OPENFILENAMEW choice{
        .lStructSize = sizeof(OPENFILENAMEW),
        .hwndOwner = GetActiveWindow(),
        .lpstrFilter = filter.c_str(),
        .nFilterIndex = 1,
        .lpstrFile = buffer.data(),
        .nMaxFile = static_cast<DWORD>(buffer.size()),
        .lpstrTitle = wideTitle.c_str(),
        .Flags = flags | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR,
        .lpstrDefExt = ofKind.extension,
    };
    if (!chooser || !chooser(&choice)) return std::nullopt;
    buffer.resize(buffer.find(L'\0'));
    return buffer;
}

// By its full path in the system folder, so no library of that name elsewhere is taken for
// it; the flag that says so to LoadLibraryExW is missing from some Windows 7 systems.
std::wstring SystemLibraryPath(const wchar_t* file) {
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetSystemDirectoryW(folder.data(), MAX_PATH));
    return folder + L"\\" + file;
}

// The library's function, the library loaded first when it is not yet; null when either is
// missing.
template <typename Function>
Function* Exported(UniqueHandle<HMODULE, FreeLibrary>& library, const wchar_t* file,
                   const char* name) {
    if (!library)
        library = UniqueHandle<HMODULE, FreeLibrary>(LoadLibraryW(SystemLibraryPath(file).c_str()));
    if (!library) return nullptr;
    // Through the type of no arguments, which converts to any function type.
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.get(), name)));
}

// Selects the start, when there is one, as soon as the folder chooser is up.
int CALLBACK FolderChooserEvent(HWND chooser, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start)
        SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

platform::FilePath PathOf(std::wstring_view wide) {
    return {std::u16string(wide.begin(), wide.end())};
}

} // namespace

Win32Choosers::Win32Choosers() {
    customColors_.fill(RGB(255, 255, 255));
}

Win32Choosers::~Win32Choosers() {
    if (!inApartment_) return;
    if (auto* leave = Exported<void WINAPI()>(com_, L"ole32.dll", "CoUninitialize")) leave();
}

template <typename Function> Function* Win32Choosers::CommonDialog(const char* name) {
    return Exported<Function>(commonDialogs_, L"comdlg32.dll", name);
}

void Win32Choosers::EnterApartment() {
    if (inApartment_) return;
    auto* enter = Exported<HRESULT WINAPI(void*, DWORD)>(com_, L"ole32.dll", "CoInitializeEx");
    // S_FALSE too: the thread was in the apartment already, and is once more.
    inApartment_ = enter && SUCCEEDED(enter(nullptr, COINIT_APARTMENTTHREADED));
}

std::optional<Font> Win32Choosers::PickFont(const Font& start) {
    LOGFONTW logFont = LogFontOf(start);
    CHOOSEFONTW choice{
        .lStructSize = sizeof(CHOOSEFONTW),
        .hwndOwner = GetActiveWindow(),
        .lpLogFont = &logFont,
        .Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT,
        .rgbColors = ColorRefOf(start.color),
    };
    auto* chooseFont = CommonDialog<BOOL WINAPI(CHOOSEFONTW*)>("ChooseFontW");
    if (!chooseFont || !chooseFont(&choice)) return std::nullopt;
    return FontOf(logFont, choice.rgbColors);
}

std::optional<Color> Win32Choosers::PickColor(Color start) {
    CHOOSECOLORW choice{
        .lStructSize = sizeof(CHOOSECOLORW),
        .hwndOwner = GetActiveWindow(),
        .rgbResult = ColorRefOf(start),
        .lpCustColors = customColors_.data(),
        .Flags = CC_RGBINIT,
    };
    auto* chooseColor = CommonDialog<BOOL WINAPI(CHOOSECOLORW*)>("ChooseColorW");
    if (!chooseColor || !chooseColor(&choice)) return std::nullopt;
    return choice.rgbResult;
}

std::optional<platform::FilePath> Win32Choosers::PickFileToLoad(platform::FileKind kind) {
    const auto name = PickFile(lastLoaded_, kLoadTitle, kind, OFN_FILEMUSTEXIST,
                               CommonDialog<FileChooser>("GetOpenFileNameW"));
    if (!name) return std::nullopt;
    lastLoaded_ = *name;
    return PathOf(*name);
}

std::optional<platform::FilePath> Win32Choosers::PickFileToSave(std::u16string_view proposedName,
                                                                platform::FileKind kind) {
    const auto name =
        PickFile(std::wstring(proposedName.begin(), proposedName.end()), kSaveTitle, kind,
                 OFN_OVERWRITEPROMPT, CommonDialog<FileChooser>("GetSaveFileNameW"));
    if (!name) return std::nullopt;
    return PathOf(*name);
}

std::optional<platform::FilePath>
Win32Choosers::PickFolder(const std::optional<platform::FilePath>& start) {
    EnterApartment();
    const std::wstring startAt =
        start ? std::wstring(start->units.begin(), start->units.end()) : std::wstring();
    wchar_t shownName[MAX_PATH]{};
    BROWSEINFOW choice{
        .hwndOwner = GetActiveWindow(),
        .pidlRoot = nullptr,
        .pszDisplayName = shownName,
        .lpszTitle = nullptr,
        .ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX,
        .lpfn = FolderChooserEvent,
        .lParam = start ? reinterpret_cast<LPARAM>(startAt.c_str()) : 0,
        .iImage = 0,
    };
    const PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&choice);
    if (!chosen) return std::nullopt;
    std::wstring folder(MAX_PATH, L'\0');
    const bool inFileSystem = SHGetPathFromIDListW(chosen, folder.data());
    ILFree(chosen);
    if (!inFileSystem) return std::nullopt;
    folder.resize(folder.find(L'\0'));
    return PathOf(folder);
}

} // namespace petarino::win32
