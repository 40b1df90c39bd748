// The store's reading for the load at start, begun on a thread of its own as soon as the
// window system has started: for a hundred memos some 2 400 registry calls, each a round trip
// to the wineserver under Wine, which so overlap the making of the program's own windows and
// its tray icon instead of following them. Begun earlier, beside the window system's start,
// they slowed that down, as every call of both goes through the one wineserver. The thread
// has a small stack, as Wine commits a thread's stack whole and the reading needs little.
#pragma once

#include "platform/registry.h"
#include "platform/win32/unique_handle.h"
#include "store/stored_state.h"

#include <windows.h>
#include <future>

namespace petarino::app {

class StoreReadAhead {
public:
    // The registry must outlive this object, which waits for the thread as it goes.
    explicit StoreReadAhead(platform::Registry& registry);
    ~StoreReadAhead();
    StoreReadAhead(const StoreReadAhead&) = delete;
    StoreReadAhead& operator=(const StoreReadAhead&) = delete;

    // What was read or the error the reading threw, once it is done; none when no thread
    // could be made, and the load then reads the store itself.
    std::shared_future<store::StoredState> Result() const { return result_; }

private:
    static DWORD WINAPI Read(void* self) noexcept;

    platform::Registry& registry_;
    std::promise<store::StoredState> reading_;
    std::shared_future<store::StoredState> result_;
    win32::UniqueHandle<HANDLE, CloseHandle> thread_;
};

} // namespace petarino::app
