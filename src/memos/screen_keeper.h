// Keeping the shown memos on the screen as monitors come and go or their work areas change,
// and putting each back where it was once its monitor returns.
#pragma once

#include "memos/memo_geometry.h"
#include "memos/memo_table.h"
#include "platform/window_system.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace petarino {

class ScreenKeeper {
public:
    ScreenKeeper(MemoTable& table, const platform::WindowSystem& windows)
        : table_(table), windows_(windows) {}

    // The monitors or their work areas changed. Every shown memo no longer on a work area
    // moves inside the nearest one, and the place it left is remembered; a memo whose
    // remembered place is on a work area again returns there, unless the user has moved it
    // since. Hidden memos are left as they are.
    void DisplayChanged();

private:
    // Where a memo was before it was moved, and where it was put.
    struct Away {
        std::string id;
        Bounds before;
        Bounds placed;
    };
    // What is remembered of the memo after this change; nothing when it is where it belongs.
    std::optional<Away> Place(Memo& memo, std::optional<Away> away,
                              const std::vector<WorkArea>& workAreas);

    MemoTable& table_;
    const platform::WindowSystem& windows_;
    // By the memo and its id, as the table tells a memo from one made where it was. Kept for
    // this run only: the store keeps where the memo is.
    std::map<const Memo*, Away> away_;
};

} // namespace petarino
