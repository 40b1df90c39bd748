// The one owner of a Win32 handle: move-only, so a handle is closed exactly once.
#pragma once

#include <utility>

namespace petarino::win32 {

template <typename Handle, auto Close> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }

    void Reset() {
        if (handle_ != Handle{}) Close(handle_);
        handle_ = Handle{};
    }

private:
    Handle handle_{};
};

} // namespace petarino::win32
