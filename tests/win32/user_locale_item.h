// Changes one of the user's own locale items, as the regional settings would, for as long
// as the object lives.
#pragma once

#include <array>
#include <string>
#include <windows.h>

namespace petarino::win32 {

class UserLocaleItem {
public:
    UserLocaleItem(LCTYPE item, const std::wstring& text) : item_(item) {
        std::array<wchar_t, 256> saved{};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, item, saved.data(), static_cast<int>(saved.size()));
        saved_ = saved.data();
        set_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, item, text.c_str()) != 0;
    }
    ~UserLocaleItem() { SetLocaleInfoW(LOCALE_USER_DEFAULT, item_, saved_.c_str()); }
    UserLocaleItem(const UserLocaleItem&) = delete;
    UserLocaleItem& operator=(const UserLocaleItem&) = delete;

    bool set() const { return set_; }

private:
    LCTYPE item_;
    std::wstring saved_;
    bool set_ = false;
};

} // namespace petarino::win32
