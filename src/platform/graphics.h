// The graphics services the core needs.
#pragma once

namespace petarino::platform {

class Graphics {
public:
    virtual ~Graphics() = default;

    // The screen's vertical pixels per inch, by which font sizes in points become heights in
    // pixels. The program reads it once at start and keeps it for the run.
    virtual int ScreenPixelsPerInch() = 0;
};

} // namespace petarino::platform
