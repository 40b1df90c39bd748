#include "app/store_read_ahead.h"

#include "store/registry_store.h"

#include <exception>

namespace petarino::app {
namespace {

constexpr SIZE_T kReadingStackBytes = 256 * 1024;

} // namespace

StoreReadAhead::StoreReadAhead(platform::Registry& registry)
    : registry_(registry), result_(reading_.get_future().share()) {
    thread_ = win32::UniqueHandle<HANDLE, CloseHandle>(CreateThread(
        nullptr, kReadingStackBytes, Read, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread_) result_ = {};
}

StoreReadAhead::~StoreReadAhead() {
    if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI StoreReadAhead::Read(void* self) noexcept {
    auto& ahead = *static_cast<StoreReadAhead*>(self);
    try {
        ahead.reading_.set_value(store::ReadStoreLocked(ahead.registry_));
    } catch (...) {
        ahead.reading_.set_exception(std::current_exception());
    }
    return 0;
}

} // namespace petarino::app
