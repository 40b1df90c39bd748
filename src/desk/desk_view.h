// What the desk asks of the windows that show it: the notification icon's balloons, and a word
// when the sync folder was found again, so whatever watches it can make sure it watches the
// folder that lies at its path now.
#pragma once

#include <string_view>

namespace petarino {

class DeskView {
public:
    virtual ~DeskView() = default;
    virtual void ShowBalloon(std::string_view title, std::string_view text) = 0;
    virtual void SyncFolderFound() = 0;
};

} // namespace petarino
