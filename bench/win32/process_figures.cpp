#include "process_figures.h"

#include <psapi.h>
#include <vector>
#include <winternl.h>

namespace petarino::bench {
namespace {

// Private bytes as Windows counts them: committed memory backed by no file and shared with
// no one, summed over the process's regions.
SIZE_T CommittedPrivateBytes(HANDLE process) {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* address = nullptr;
         VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;
         address = static_cast<const char*>(region.BaseAddress) + region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    return total;
}

// Wine keeps a process's GDI objects in a table that the process's PEB points to, as Windows
// once did: 65536 entries of 24 bytes, an entry in use when its type byte is not 0. Found by
// making and deleting objects in a process of one's own and watching the table.
constexpr size_t kPebHandleTableOffset = 0xF8;
constexpr size_t kHandleEntries = 0x10000;
constexpr size_t kHandleEntrySize = 24;
constexpr size_t kEntryTypeOffset = 14;

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

// Nothing when the table cannot be read.
bool CountHandleTable(HANDLE process, DWORD& count) {
    const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return false;
    const char* table = nullptr;
    if (!ReadProcessMemory(
            process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebHandleTableOffset,
            &table, sizeof table, nullptr) ||
        !table)
        return false;
    std::vector<unsigned char> entries(kHandleEntries * kHandleEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr)) return false;
    count = 0;
    for (size_t entry = 0; entry < kHandleEntries; ++entry)
        if (entries[entry * kHandleEntrySize + kEntryTypeOffset] != 0) ++count;
    return true;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

struct WindowCount {
    DWORD processId;
    DWORD count = 0;
};

BOOL CALLBACK CountTopLevel(HWND window, LPARAM context) {
    auto& counting = *reinterpret_cast<WindowCount*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != counting.processId) return TRUE;
    ++counting.count;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&counting.count));
    return TRUE;
}

DWORD CountWindows(DWORD processId) {
    WindowCount counting{processId};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counting));
    return counting.count;
}

} // namespace

Memory ReadMemory(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{.cb = sizeof(PROCESS_MEMORY_COUNTERS_EX)};
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return {counters.WorkingSetSize,
            counters.PrivateUsage ? counters.PrivateUsage : CommittedPrivateBytes(process)};
}

GuiObjects ReadGuiObjects(HANDLE process, DWORD processId) {
    GuiObjects objects{GetGuiResources(process, GR_GDIOBJECTS),
                       GetGuiResources(process, GR_USEROBJECTS)};
    if (objects.gdi == 0 && CountHandleTable(process, objects.gdi))
        objects.gdiBy = Counted::handleTable;
    if (objects.user == 0) {
        objects.user = CountWindows(processId);
        objects.userBy = Counted::windows;
    }
    return objects;
}

const char* NameOf(Counted counted) {
    switch (counted) {
    case Counted::system: return "GetGuiResources";
    case Counted::handleTable: return "entries of the GDI handle table";
    case Counted::windows: return "windows, top-level and child";
    }
    return "";
}

} // namespace petarino::bench
