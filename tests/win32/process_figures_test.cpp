// Another process's figures as the soak road reads them, checked on this process: the test
// makes and frees the objects and memory itself, so it knows what the counts must say.
#include "process_figures.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <vector>

namespace petarino::bench {
namespace {

HWND MakeWindow(HWND parent) {
    return CreateWindowExW(0, L"STATIC", L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(ProcessFigures, FollowTheGdiAndUserObjectsAndThePrivateMemoryMadeAndFreed) {
    const HANDLE self = GetCurrentProcess();
    const DWORD id = GetCurrentProcessId();
    // What a thread's first window brings along (its input method window) is there before.
    const HWND first = MakeWindow(nullptr);
    const GuiObjects before = ReadGuiObjects(self, id);
    const SIZE_T privateBefore = ReadMemory(self).privateBytes;

    std::vector<HGDIOBJ> objects;
    for (int i = 0; i < 40; ++i)
        objects.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    for (int i = 0; i < 7; ++i)
        objects.push_back(CreateFontW(10 + i, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                      0, L"Tahoma"));
    const HWND top = MakeWindow(nullptr);
    const HWND child = MakeWindow(top);
    MakeWindow(child);
    constexpr SIZE_T kCommitted = 16 << 20;
    void* memory = VirtualAlloc(nullptr, kCommitted, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(memory, nullptr);

    const GuiObjects made = ReadGuiObjects(self, id);
    EXPECT_EQ(made.gdi - before.gdi, 47u) << NameOf(made.gdiBy);
    EXPECT_EQ(made.user - before.user, 3u) << NameOf(made.userBy);
    EXPECT_GE(ReadMemory(self).privateBytes - privateBefore, kCommitted);

    for (HGDIOBJ object : objects)
        DeleteObject(object);
    DestroyWindow(top); // and its children with it
    VirtualFree(memory, 0, MEM_RELEASE);
    const GuiObjects freed = ReadGuiObjects(self, id);
    EXPECT_EQ(freed.gdi, before.gdi);
    EXPECT_EQ(freed.user, before.user);
    EXPECT_LT(ReadMemory(self).privateBytes, privateBefore + kCommitted);
    DestroyWindow(first);
}

} // namespace
} // namespace petarino::bench
