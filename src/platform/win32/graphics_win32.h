// The graphics services over GDI.
#pragma once

#include "platform/graphics.h"

namespace petarino::win32 {

class Win32Graphics final : public platform::Graphics {
public:
    int ScreenPixelsPerInch() override;
};

} // namespace petarino::win32
