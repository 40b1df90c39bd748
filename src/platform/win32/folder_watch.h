// Tells a window that something in a folder changed: a file or folder made, removed or renamed,
// or a file written. The window gathers the messages and looks at the folder itself; a message
// says only that there is something to look at.
#pragma once

#include "platform/files.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

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

private:
    static DWORD WINAPI Run(void* watch);

    HWND target_;
    UINT message_;
    UniqueHandle<HANDLE, FindCloseChangeNotification> change_;
    UniqueHandle<HANDLE, CloseHandle> stop_;
    UniqueHandle<HANDLE, CloseHandle> thread_;
};

} // namespace petarino::win32
