// The windows around the desk as a test sees them: the balloons shown, and how often the sync
// folder was found again.
#pragma once

#include "desk/desk_view.h"

#include <string>
#include <vector>

namespace petarino {

struct FakeDeskView final : DeskView {
    void ShowBalloon(std::string_view title, std::string_view text) override {
        balloons.push_back({std::string(title), std::string(text)});
    }
    void SyncFolderFound() override { ++foldersFound; }

    struct Balloon {
        std::string title;
        std::string text;
    };
    std::vector<Balloon> balloons;
    int foldersFound = 0;
};

} // namespace petarino
