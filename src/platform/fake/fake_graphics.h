// A screen of a settable density, 96 pixels per inch as a standard one.
#pragma once

#include "platform/graphics.h"

namespace petarino::platform {

class FakeGraphics final : public Graphics {
public:
    int ScreenPixelsPerInch() override { return pixelsPerInch_; }
    void SetScreenPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }

private:
    int pixelsPerInch_ = 96;
};

} // namespace petarino::platform
