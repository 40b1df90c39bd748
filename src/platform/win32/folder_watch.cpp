#include "platform/win32/folder_watch.h"

#include <string>

namespace petarino::win32 {

namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
// The thread only waits and posts; Wine commits a thread's stack whole, so it asks for little.
constexpr SIZE_T kStackBytes = 64 * 1024;

} // namespace

FolderWatch::FolderWatch(HWND target, UINT message) : target_(target), message_(message) {}

FolderWatch::~FolderWatch() {
    Stop();
}

bool FolderWatch::Watch(const platform::FilePath& folder) {
    Stop();
    path_.assign(folder.units.begin(), folder.units.end());
    const HANDLE change = FindFirstChangeNotificationW(path_.c_str(), FALSE, kChanges);
    if (change == INVALID_HANDLE_VALUE) return false;
    change_ = decltype(change_)(change);
    watched_ = IdentityOf(path_);
    stop_ = decltype(stop_)(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (stop_)
        thread_ = decltype(thread_)(CreateThread(nullptr, kStackBytes, Run, this,
                                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (thread_) return true;
    Stop();
    return false;
}

void FolderWatch::Stop() {
    if (thread_) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.Reset();
    }
    stop_.Reset();
    change_.Reset();
    watched_.reset();
}

std::optional<FolderWatch::Identity> FolderWatch::IdentityOf(const std::wstring& folder) {
    // Opened for no access at all, shared in every way: it stands in nobody's way.
    const HANDLE opened =
        CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
    const UniqueHandle<HANDLE, CloseHandle> file(opened);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
    return Identity{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                    information.nFileIndexLow};
}

bool FolderWatch::Current() const {
    return watched_ && IdentityOf(path_) == watched_;
}

// The handles stay as they are until Stop has waited for this thread to end.
DWORD WINAPI FolderWatch::Run(void* watch) {
    const auto& self = *static_cast<const FolderWatch*>(watch);
    const HANDLE events[] = {self.stop_.get(), self.change_.get()};
    while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        PostMessageW(self.target_, self.message_, 0, 0);
        if (!FindNextChangeNotification(self.change_.get())) break;
    }
    return 0;
}

} // namespace petarino::win32
