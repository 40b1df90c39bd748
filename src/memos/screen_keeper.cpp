#include "memos/screen_keeper.h"

#include "memos/work_area_clamp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace petarino {
namespace {

Bounds BoundsOf(const Memo& memo) {
    return {memo.Left(), memo.Top(), memo.Width(), memo.Height()};
}

bool OnScreen(const Bounds& window, const std::vector<WorkArea>& workAreas) {
    return std::ranges::any_of(workAreas,
                               [&](const WorkArea& area) { return InsideWorkArea(window, area); });
}

// The gap between the window and the work area along one axis; 0 when they overlap on it.
int64_t Gap(int32_t start, int32_t size, int32_t low, int32_t high) {
    const int64_t end = int64_t{start} + size;
    if (end <= low) return low - end;
    if (start >= high) return int64_t{start} - high;
    return 0;
}

int64_t Overlap(int32_t start, int32_t size, int32_t low, int32_t high) {
    const int64_t end = int64_t{start} + size;
    return std::max<int64_t>(0, std::min<int64_t>(end, high) - std::max<int64_t>(start, low));
}

// As the system picks a window's monitor: the one it overlaps most, else the nearest.
const WorkArea& NearestWorkArea(const Bounds& window, const std::vector<WorkArea>& workAreas) {
    const auto overlap = [&](const WorkArea& area) {
        // In double: two lengths of up to 2^32 each overflow 64 bits when multiplied.
        return static_cast<double>(Overlap(window.left, window.width, area.left, area.right)) *
               static_cast<double>(Overlap(window.top, window.height, area.top, area.bottom));
    };
    const auto distance = [&](const WorkArea& area) {
        return std::hypot(
            static_cast<double>(Gap(window.left, window.width, area.left, area.right)),
            static_cast<double>(Gap(window.top, window.height, area.top, area.bottom)));
    };
    const auto most = std::ranges::max_element(workAreas, {}, overlap);
    if (overlap(*most) > 0) return *most;
    return *std::ranges::min_element(workAreas, {}, distance);
}

void MoveTo(Memo& memo, const Bounds& bounds) {
    memo.SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
}

} // namespace

void ScreenKeeper::DisplayChanged() {
    const std::vector<WorkArea> workAreas = windows_.MonitorWorkAreas();
    // Nothing known of the screen: better left where they are than moved at random.
    if (workAreas.empty()) return;
    std::map<const Memo*, Away> kept;
    for (int slot = 0; slot <= table_.MaxForm(); ++slot) {
        Memo& memo = table_.Memos(slot);
        std::optional<Away> away;
        if (const auto found = away_.find(&memo);
            found != away_.end() && found->second.id == memo.Sync().id)
            away = std::move(found->second);
        if (memo.Visible()) away = Place(memo, std::move(away), workAreas);
        if (away) kept.emplace(&memo, std::move(*away));
    }
    // A memo no longer in the table is forgotten with it.
    away_ = std::move(kept);
}

std::optional<ScreenKeeper::Away> ScreenKeeper::Place(Memo& memo, std::optional<Away> away,
                                                      const std::vector<WorkArea>& workAreas) {
    const Bounds now = BoundsOf(memo);
    // Moved or sized by the user since: where it is now is where the user wants it.
    if (away && now != away->placed) away.reset();
    if (away && OnScreen(away->before, workAreas)) {
        MoveTo(memo, away->before);
        return std::nullopt;
    }
    if (OnScreen(now, workAreas)) return away;
    const Bounds placed = ClampIntoWorkArea(now, NearestWorkArea(now, workAreas));
    MoveTo(memo, placed);
    return Away{memo.Sync().id, away ? away->before : now, placed};
}

} // namespace petarino
