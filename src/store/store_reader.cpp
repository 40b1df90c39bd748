#include "store/store_reader.h"

#include "memos/memo_table.h"
#include "store/store_layout.h"

#include <algorithm>

namespace petarino::store {
namespace {

using platform::ERegistryException;
using platform::RegistryAccess;

// The values of the open key that exist, each found and read in one call. A value that
// cannot be read is noted and taken as absent, so its default applies and the load goes
// on: ending the load there would leave the memos after it unloaded, and the next save
// would remove them.
class KeyReader {
public:
    // Nothing is read from a key that did not open: the key open before is still open.
    KeyReader(RegistryAccess& access, bool open, StoredState& state)
        : access_(access), state_(state), open_(open) {}

    std::optional<int32_t> Integer(std::string_view name) {
        return Read([&] { return access_.FindInteger(name); });
    }
    std::optional<bool> Boolean(std::string_view name) {
        return Read([&] { return access_.FindBool(name); });
    }
    std::optional<Color> Colour(std::string_view name) {
        const auto value = Integer(name);
        return value ? std::optional(static_cast<Color>(*value)) : std::nullopt;
    }
    std::optional<std::string> String(std::string_view name) {
        return Read([&] { return access_.FindString(name); });
    }

private:
    template <typename FindValue> auto Read(FindValue find) -> decltype(find()) {
        if (!open_) return std::nullopt;
        try {
            return find();
        } catch (const ERegistryException& error) {
            if (!state_.error)
                state_.error = error.what();
            else
                ++state_.furtherErrors;
            return std::nullopt;
        }
    }

    RegistryAccess& access_;
    StoredState& state_;
    bool open_;
};

// A memo key that cannot be opened counts as one without values; nothing is read from
// whatever key was open before.
void ReadMemo(RegistryAccess& access, int slot, StoredState& state) {
    using namespace memo_value;
    StoredMemo& memo = state.memos.emplace_back();
    const bool opened = access.OpenKey(MemoKeyPath(slot), false);
    memo.keyExists = opened;
    KeyReader key(access, opened, state);
    Bounds bounds;
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

// A memo key listed by the program key exists even when it did not open.
void ReadSubkeyNames(RegistryAccess& access, StoredState& state) {
    if (!access.OpenKey(kProgramKey, false)) return;
    for (const std::string& name : access.SubkeyNames()) {
        const auto number = MemoKeyNumber(name);
        if (!number) continue;
        if (*number >= MemoTable::kSlots)
            state.keysBeyondTable = true;
        else if (static_cast<std::size_t>(*number) < state.memos.size())
            state.memos[static_cast<std::size_t>(*number)].keyExists = true;
    }
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
    // Every subkey is most often a memo key that opens, and then none lies beyond the table
    // and none exists unopened: the count is one call where the list costs one a subkey.
    const std::size_t subkeys = access.Counts().subkeys;

    const int32_t maxForm = state.maxForm.value_or(-1);
    state.maxFormDamaged = maxFormUnreadable || maxForm < -1 || maxForm >= MemoTable::kSlots;
    const int last = state.maxFormDamaged ? MemoTable::kSlots - 1 : maxForm;
    for (int slot = 0; slot <= last; ++slot)
        ReadMemo(access, slot, state);
    const auto opened = static_cast<std::size_t>(
        std::count_if(state.memos.begin(), state.memos.end(),
                      [](const StoredMemo& memo) { return memo.keyExists; }));
    if (opened != subkeys) ReadSubkeyNames(access, state);
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
