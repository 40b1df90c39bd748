#include "date_picker.h"

#include <commctrl.h>
#include <memory>

namespace petarino::remote {
namespace {

// A SYSTEMTIME inside the picker's process, freed with the lender.
class LentTime {
public:
    explicit LentTime(HWND picker) {
        DWORD processId = 0;
        GetWindowThreadProcessId(picker, &processId);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                   processId));
        if (process_)
            address_ = VirtualAllocEx(process_.get(), nullptr, sizeof(SYSTEMTIME),
                                      MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~LentTime() {
        if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
    }
    LentTime(const LentTime&) = delete;
    LentTime& operator=(const LentTime&) = delete;

    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    bool Write(const SYSTEMTIME& time) const {
        return address_ &&
               WriteProcessMemory(process_.get(), address_, &time, sizeof time, nullptr);
    }
    std::optional<SYSTEMTIME> Read() const {
        SYSTEMTIME time{};
        if (!address_ || !ReadProcessMemory(process_.get(), address_, &time, sizeof time, nullptr))
            return std::nullopt;
        return time;
    }

private:
    struct Closer {
        void operator()(HANDLE handle) const { CloseHandle(handle); }
    };
    std::unique_ptr<void, Closer> process_;
    void* address_ = nullptr;
};

} // namespace

std::optional<SYSTEMTIME> PickerTime(HWND picker) {
    const LentTime lent(picker);
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, lent.Address()) != GDT_VALID)
        return std::nullopt;
    return lent.Read();
}

bool SetPickerTime(HWND picker, const SYSTEMTIME& time) {
    const LentTime lent(picker);
    return lent.Write(time) && SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, lent.Address());
}

} // namespace petarino::remote
