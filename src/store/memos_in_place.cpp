#include "store/memos_in_place.h"

#include "store/start_up_load.h"

#include <map>
#include <set>
#include <string>

namespace petarino::store {

void PutMemosInPlace(const std::vector<StoredMemo>& memos, const ProgramState& state,
                     MacroExpander& expander, int pixelsPerInch) {
    MemoTable& table = state.memos;
    std::set<std::string> wanted;
    for (const StoredMemo& stored : memos)
        if (stored.id) wanted.insert(*stored.id);
    // Those that go, first: the table then has room for every memo that comes.
    for (int slot = table.MaxForm(); slot >= 0; --slot)
        if (!wanted.contains(table.Memos(slot).Sync().id)) table.DestForm(slot);
    std::map<std::string, Memo*> standing;
    for (int slot = 0; slot <= table.MaxForm(); ++slot)
        standing.emplace(table.Memos(slot).Sync().id, &table.Memos(slot));

    std::vector<Memo*> placed;
    for (const StoredMemo& stored : memos) {
        Memo* memo = nullptr;
        if (const auto found = stored.id ? standing.find(*stored.id) : standing.end();
            found != standing.end()) {
            memo = found->second;
            standing.erase(found); // an id given twice is a second memo
        } else {
            memo = table.AddHidden(stored.bounds);
        }
        if (!memo) break;
        placed.push_back(memo);
        RestoreMemo(stored, *memo, expander, state.clock, pixelsPerInch);
    }
    table.Arrange(placed);
}

} // namespace petarino::store
