#include "store/store_reader.h"

#include "memos/memo_table.h"
#include "store/store_layout.h"
#include "text/ascii.h"

#include <algorithm>
#include <bitset>
#include <utility>
#include <vector>

namespace petarino::store {
namespace {

using platform::ERegistryException;
using platform::RegistryAccess;

// The values of the open key that exist, their names listed once and compared as the
// registry compares names. A value that cannot be read is noted and taken as absent, so
// its default applies and the load goes on: ending the load there would leave the memos
// after it unloaded, and the next save would remove them.
class KeyReader {
public:
    KeyReader(RegistryAccess& access, bool open, StoredState& state)
        : access_(access), state_(state),
          names_(open ? access.ValueNames() : std::vector<std::string>{}) {}

    std::optional<int32_t> Integer(std::string_view name) {
        return Read(name, [&] { return access_.ReadInteger(name); });
    }
    std::optional<bool> Boolean(std::string_view name) {
        return Read(name, [&] { return access_.ReadBool(name); });
    }
    std::optional<Color> Colour(std::string_view name) {
        return Read(name, [&] { return static_cast<Color>(access_.ReadInteger(name)); });
    }
    std::optional<std::string> String(std::string_view name) {
        return Read(name, [&] { return access_.ReadString(name); });
    }

private:
    template <typename ReadValue>
    auto Read(std::string_view name, ReadValue read) -> std::optional<decltype(read())> {
        if (!Has(name)) return std::nullopt;
        try {
            return read();
        } catch (const ERegistryException& error) {
            if (!state_.error)
                state_.error = error.what();
            else
                ++state_.furtherErrors;
            return std::nullopt;
        }
    }

    bool Has(std::string_view name) const {
        return std::any_of(names_.begin(), names_.end(), [&](const std::string& present) {
            return EqualIgnoringAsciiCase(present, name);
        });
    }

    RegistryAccess& access_;
    StoredState& state_;
    std::vector<std::string> names_;
};

// A memo key that cannot be opened counts as one without values; nothing is read from
// whatever key was open before. It exists all the same when the program key lists it.
void ReadMemo(RegistryAccess& access, int slot, bool listed, StoredState& state) {
    using namespace memo_value;
    StoredMemo& memo = state.memos.emplace_back();
    const bool opened = access.OpenKey(MemoKeyPath(slot), false);
    memo.keyExists = opened || listed;
    KeyReader key(access, opened, state);
    MemoBounds bounds;
    bounds.top = key.Integer(kTop).value_or(kDefaultTop);
    bounds.left = key.Integer(kLeft).value_or(kDefaultLeft);
    bounds.width = key.Integer(kWidth).value_or(kDefaultWidth);
    bounds.height = key.Integer(kHeight).value_or(kDefaultHeight);
    memo.bounds = bounds;
    memo.title = key.String(kTitle);
    memo.titleBar = key.Integer(kTitleBar);
    memo.titleText = key.Colour(kTitleText);
    memo.titleBackGround = key.Colour(kTitleBackGround);
    memo.wordWrap = key.Boolean(kWordWrap);
    memo.text = key.String(kText).value_or("");
    memo.fontName = key.String(kFontName);
    memo.color = key.Colour(kColor);
    memo.fontStyle = key.Integer(kFontStyle);
    memo.fontColor = key.Colour(kFontColor);
    memo.fontSize = key.Integer(kFontSize);
    memo.visible = key.Boolean(kVisible);
}

void ReadInto(RegistryAccess& access, StoredState& state) {
    using namespace program_value;
    if (!access.OpenKey(kProgramKey, false)) return;
    bool maxFormUnreadable = false;
    {
        KeyReader key(access, true, state);
        state.maxForm = key.Integer(kMaxForm);
        maxFormUnreadable = state.error.has_value();
        state.total = key.Integer(kTotal);
        state.exec = key.Integer(kExec);
        state.saving = key.Boolean(kSaving);
        state.saveTiming = key.Integer(kSaveTiming);
        state.cbText = key.Boolean(kCbText);
        state.alart = key.Boolean(kAlart);
    }
    std::bitset<MemoTable::kSlots> listed;
    for (const std::string& name : access.SubkeyNames()) {
        const auto number = MemoKeyNumber(name);
        if (!number) continue;
        if (*number < MemoTable::kSlots)
            listed.set(static_cast<size_t>(*number));
        else
            state.keysBeyondTable = true;
    }

    const int32_t maxForm = state.maxForm.value_or(-1);
    state.maxFormDamaged = maxFormUnreadable || maxForm < -1 || maxForm >= MemoTable::kSlots;
    const int last = state.maxFormDamaged ? MemoTable::kSlots - 1 : maxForm;
    for (int slot = 0; slot <= last; ++slot)
        ReadMemo(access, slot, listed.test(static_cast<size_t>(slot)), state);
}

} // namespace

StoredState ReadStore(RegistryAccess& access) {
    StoredState state;
    ReadInto(access, state);
    // Memo keys that do not exist carry nothing: no empty windows for them at the end. (A
    // memo whose reading failed has its key: it stays.)
    const auto read = state.memos.size();
    while (!state.memos.empty() && !state.memos.back().keyExists)
        state.memos.pop_back();
    if (state.memos.size() < read) state.maxFormDamaged = true;
    return state;
}

} // namespace petarino::store
