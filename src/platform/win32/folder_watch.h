// Tells a window that something in a folder changed: a file or folder made, removed or renamed,
// or a file written. The window gathers the messages and looks at the folder itself; a message
// says only that there is something to look at.
#pragma once

#include "platform/files.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>
#include <optional>
#include <string>

namespace petarino::win32 {

class FolderWatch {
public:
    // `message` is posted to `target`, with both parameters 0.
    FolderWatch(HWND target, UINT message);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Stops any earlier watch first. False when the folder cannot be watched (it is missing,
    // say), which is then simply not watched.
    bool Watch(const platform::FilePath& folder);
    // No message is posted once this returns.
    void Stop();
    // Whether the folder that lies at the watched path is the one watched. A watch stays with
    // its folder: once another has taken its place (restored from a copy, made anew by a sync
    // engine), the changes made there are never told, and the path is to be watched again.
    bool Current() const;

private:
    // Which folder a path leads to: its volume and its number there.
    struct Identity {
        DWORD volume = 0;
        DWORD high = 0;
        DWORD low = 0;
        friend bool operator==(const Identity&, const Identity&) = default;
    };

    static std::optional<Identity> IdentityOf(const std::wstring& folder);
    static DWORD WINAPI Run(void* watch);

    HWND target_;
    UINT message_;
    std::wstring path_;
    std::optional<Identity> watched_;
    UniqueHandle<HANDLE, FindCloseChangeNotification> change_;
    UniqueHandle<HANDLE, CloseHandle> stop_;
    UniqueHandle<HANDLE, CloseHandle> thread_;
};

} // namespace petarino::win32
