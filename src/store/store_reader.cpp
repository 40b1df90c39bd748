#include "store/store_reader.h"

#include "memos/global_hotkeys.h"
#include "memos/memo_opacity.h"
#include "memos/memo_table.h"
#include "memos/sync_mark.h"
#include "store/store_layout.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

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
    std::optional<std::u16string> WideString(std::string_view name) {
        return Read([&] { return access_.FindWideString(name); });
    }

    // A value the program cannot use is an error like one that cannot be read.
    template <typename T, typename Usable>
    std::optional<T> Checked(std::optional<T> value, std::string_view name, Usable usable) {
        if (!value || usable(*value)) return value;
        Note(ERegistryException::Unusable(name).what());
        return std::nullopt;
    }

private:
    void Note(std::string message) {
        if (!state_.error)
            state_.error = std::move(message);
        else
            ++state_.furtherErrors;
    }

    template <typename FindValue> auto Read(FindValue find) -> decltype(find()) {
        if (!open_) return std::nullopt;
        try {
            return find();
        } catch (const ERegistryException& error) {
            Note(error.what());
            return std::nullopt;
        }
    }

    RegistryAccess& access_;
    StoredState& state_;
    bool open_;
};

// A key code with the hotkey control's four modifier flags.
bool HotkeyValue(int32_t value) {
    return value >= 0 && value <= 0x0FFF;
}

// A key without Ctrl or Alt is none: the program never takes such a key from every other
// program, though a store that holds one is not damaged.
std::optional<int32_t> GlobalHotkeyOnly(std::optional<int32_t> value) {
    if (value && !IsGlobalHotkey(static_cast<uint16_t>(*value))) return 0;
    return value;
}

// One of the keys; a key an earlier row holds (a store written by hand) is unusable, as one key
// cannot do two things: the first row keeps it.
std::optional<int32_t> ReadHotkey(KeyReader& key, std::string_view name,
                                  std::vector<int32_t>& keysBefore) {
    const auto value =
        key.Checked(GlobalHotkeyOnly(key.Checked(key.Integer(name), name, HotkeyValue)), name,
                    [&](int32_t read) {
                        return read == 0 || std::ranges::find(keysBefore, read) == keysBefore.end();
                    });
    if (value) keysBefore.push_back(*value);
    return value;
}

// An empty time is no alarm, and no error.
void ReadAlarm(KeyReader& key, StoredMemo& memo) {
    using namespace memo_value;
    const auto at = key.Checked(key.String(kAlarmAt), kAlarmAt, [](const std::string& text) {
        return text.empty() || ParseWallMinute(text).has_value();
    });
    if (at && !at->empty()) memo.alarmAt = ParseWallMinute(*at);
    memo.alarmRepeat = key.Checked(key.Integer(kAlarmRepeat), kAlarmRepeat, [](int32_t repeat) {
        return repeat >= 0 && repeat < kAlarmRepeats;
    });
    memo.alarmSound = key.Boolean(kAlarmSound);
    memo.alarmDay = key.Checked(key.Integer(kAlarmDay), kAlarmDay,
                                [](int32_t day) { return day >= 1 && day <= 31; });
}

// An id of another form is unusable, and the next save makes a new one.
void ReadSync(KeyReader& key, StoredMemo& memo) {
    using namespace memo_value;
    memo.id = key.Checked(key.String(kId), kId, IsSyncId);
    memo.syncVersions = key.String(kSyncVersions);
    memo.syncBase = key.String(kSyncBase);
    // Only a memo sync has counted can have one: the others cost no call for it.
    if (memo.syncVersions) memo.syncLineage = key.String(kSyncLineage);
}

// A copied or hand-edited store may give two memos one id; the later one loses it.
void DropRepeatedIds(std::vector<StoredMemo>& memos) {
    std::unordered_set<std::string> seen;
    for (StoredMemo& memo : memos)
        if (memo.id && !seen.insert(*memo.id).second) memo.id.reset();
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
    state.programKeyExists = true;
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
        std::vector<int32_t> keysBefore;
        state.hotKeyNewMemo = ReadHotkey(key, kHotKeyNewMemo, keysBefore);
        state.hotKeyFront = ReadHotkey(key, kHotKeyFront, keysBefore);
        state.hotKeySearch = ReadHotkey(key, kHotKeySearch, keysBefore);
        state.syncFolder = key.WideString(kSyncFolder);
        state.syncDevice = key.Checked(key.String(kSyncDevice), kSyncDevice, IsSyncId);
        state.syncFolderId = key.Checked(key.String(kSyncFolderId), kSyncFolderId, IsSyncId);
        state.syncDeleted = key.String(kSyncDeleted);
        state.syncState = key.String(kSyncState);
    }
    // Every subkey is most often a memo key that opens, and then none lies beyond the table
    // and none exists unopened: the count is one call where the list costs one a subkey.
    const std::size_t subkeys = access.Counts().subkeys;

    const int32_t maxForm = state.maxForm.value_or(-1);
    state.maxFormDamaged = maxFormUnreadable || maxForm < -1 || maxForm >= MemoTable::kSlots;
    const int last = state.maxFormDamaged ? MemoTable::kSlots - 1 : maxForm;
    for (int slot = 0; slot <= last; ++slot)
        state.memos.push_back(ReadMemoKey(access, MemoKeyPath(slot), state));
    const auto opened = static_cast<std::size_t>(
        std::count_if(state.memos.begin(), state.memos.end(),
                      [](const StoredMemo& memo) { return memo.keyExists; }));
    if (opened != subkeys) ReadSubkeyNames(access, state);
}

} // namespace

// Nothing is read from whatever key was open before a key that does not open.
StoredMemo ReadMemoKey(RegistryAccess& access, const std::string& path, StoredState& errors) {
    using namespace memo_value;
    StoredMemo memo;
    const bool opened = access.OpenKey(path, false);
    memo.keyExists = opened;
    KeyReader key(access, opened, errors);
    Bounds bounds;
    bounds.top = key.Integer(kTop).value_or(kDefaultTop);
    bounds.left = key.Integer(kLeft).value_or(kDefaultLeft);
    bounds.width = key.Integer(kWidth).value_or(kDefaultWidth);
    bounds.height = key.Integer(kHeight).value_or(kDefaultHeight);
    memo.bounds = bounds;
    memo.title = key.WideString(kTitle);
    memo.titleBar = key.Integer(kTitleBar);
    memo.titleText = key.Colour(kTitleText);
    memo.titleBackGround = key.Colour(kTitleBackGround);
    memo.wordWrap = key.Boolean(kWordWrap);
    memo.text = key.WideString(kText).value_or(u"");
    memo.fontName = key.String(kFontName);
    memo.color = key.Colour(kColor);
    memo.fontStyle = key.Integer(kFontStyle);
    memo.fontColor = key.Colour(kFontColor);
    memo.fontSize = key.Integer(kFontSize);
    memo.visible = key.Boolean(kVisible);
    memo.stayOnTop = key.Boolean(kStayOnTop);
    ReadAlarm(key, memo);
    memo.opacity = key.Checked(key.Integer(kOpacity), kOpacity, IsOpacity);
    ReadSync(key, memo);
    return memo;
}

StoredState ReadStore(RegistryAccess& access) {
    StoredState state;
    ReadInto(access, state);
    // Memo keys that do not exist carry nothing: no empty windows for them at the end. (A
    // memo whose reading failed has its key: it stays.)
    const auto read = state.memos.size();
    while (!state.memos.empty() && !state.memos.back().keyExists)
        state.memos.pop_back();
    if (state.memos.size() < read) state.maxFormDamaged = true;
    DropRepeatedIds(state.memos);
    return state;
}

} // namespace petarino::store
