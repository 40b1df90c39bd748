// What another process holds, read from outside: its memory and its GDI and USER objects.
#pragma once

#include <windows.h>

namespace petarino::bench {

struct Memory {
    SIZE_T workingSet = 0;
    SIZE_T privateBytes = 0;
};

// Wine answers GetProcessMemoryInfo for another process with its resident set (the Linux
// VmRSS, Wine's own libraries and shared mappings included) and no private usage; the
// private bytes are then counted region by region. Needs PROCESS_QUERY_INFORMATION and
// PROCESS_VM_READ.
Memory ReadMemory(HANDLE process);

// How a count was taken.
enum class Counted { system, handleTable, windows };

struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;
    Counted gdiBy = Counted::system;
    Counted userBy = Counted::system;
};

// GetGuiResources where the system answers it. Wine answers 0 for both; there the GDI
// objects are counted in the process's own GDI handle table and the USER objects as its
// windows, top-level and child (menus are not counted).
GuiObjects ReadGuiObjects(HANDLE process, DWORD processId);
const char* NameOf(Counted counted);

} // namespace petarino::bench
