#include "platform/win32/graphics_win32.h"

#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace petarino::win32 {
namespace {

void ReleaseScreenDc(HDC dc) {
    ReleaseDC(nullptr, dc);
}

using ScreenDc = UniqueHandle<HDC, ReleaseScreenDc>;

// What a screen without a device context would most likely have.
constexpr int kStandardPixelsPerInch = 96;

} // namespace

int Win32Graphics::ScreenPixelsPerInch() {
    const ScreenDc screen(GetDC(nullptr));
    if (!screen) return kStandardPixelsPerInch;
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

} // namespace petarino::win32
