// How the store lies in the per-user registry: the program key, one subkey per memo slot
// named "Memo" and the slot, and the names of their values in the order they are written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace petarino::store {

inline constexpr std::string_view kProgramKey = "\\Software\\Mivora\\Petarino";

namespace program_value {
inline constexpr std::string_view kMaxForm = "MaxForm";
inline constexpr std::string_view kTotal = "Total";
inline constexpr std::string_view kExec = "Exec";
inline constexpr std::string_view kSaving = "Saving";
inline constexpr std::string_view kSaveTiming = "SaveTiming";
inline constexpr std::string_view kCbText = "cbText";
inline constexpr std::string_view kAlart = "Alart";
inline constexpr std::string_view kHotKeyNewMemo = "HotKeyNewMemo";
inline constexpr std::string_view kHotKeyFront = "HotKeyFront";
inline constexpr std::string_view kHotKeySearch = "HotKeySearch";
// Written only while they hold something: a store that never synced keeps its cost.
inline constexpr std::string_view kSyncFolder = "SyncFolder";
inline constexpr std::string_view kSyncDevice = "SyncDevice";
inline constexpr std::string_view kSyncFolderId = "SyncFolderId";
inline constexpr std::string_view kSyncDeleted = "SyncDeleted";
// What the sync engine knows of the folder and of its own decisions (sync/engine_state.h).
inline constexpr std::string_view kSyncState = "SyncState";
} // namespace program_value

namespace memo_value {
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kTitle = "Title";
inline constexpr std::string_view kTitleBar = "TitleBar";
inline constexpr std::string_view kTitleText = "TitleText";
inline constexpr std::string_view kTitleBackGround = "TitleBackGround";
inline constexpr std::string_view kText = "Text";
inline constexpr std::string_view kWordWrap = "WordWrap";
inline constexpr std::string_view kVisible = "Visible";
inline constexpr std::string_view kFontName = "FontName";
inline constexpr std::string_view kColor = "Color";
inline constexpr std::string_view kFontStyle = "FontStyle";
inline constexpr std::string_view kFontColor = "FontColor";
inline constexpr std::string_view kFontSize = "FontSize";
inline constexpr std::string_view kStayOnTop = "StayOnTop";
inline constexpr std::string_view kAlarmAt = "AlarmAt";
inline constexpr std::string_view kAlarmRepeat = "AlarmRepeat";
inline constexpr std::string_view kAlarmSound = "AlarmSound";
// Written only while a monthly or yearly alarm's time is cut short of the day it was set to.
inline constexpr std::string_view kAlarmDay = "AlarmDay";
// Written only while the memo is see-through, so a store that never made one keeps its bytes.
inline constexpr std::string_view kOpacity = "Opacity";
// The memo's id (memos/sync_mark.h); a save makes one for a memo that has none.
inline constexpr std::string_view kId = "Id";
// Written only once sync has used the memo, so a store without sync keeps its cost.
inline constexpr std::string_view kSyncVersions = "SyncVersions";
inline constexpr std::string_view kSyncBase = "SyncBase";
// Written only while a merge has counted the memo past the content it holds, or once it has
// outlived a deletion made apart from it.
inline constexpr std::string_view kSyncLineage = "SyncLineage";
} // namespace memo_value

// A memo key without bounds puts its memo here, whatever a new window would get.
inline constexpr int32_t kDefaultTop = 0;
inline constexpr int32_t kDefaultLeft = 0;
inline constexpr int32_t kDefaultWidth = 265;
inline constexpr int32_t kDefaultHeight = 113;

inline constexpr std::string_view kMemoKeyPrefix = "Memo";

inline std::string MemoKeyName(int slot) {
    return std::string(kMemoKeyPrefix) + std::to_string(slot);
}

inline std::string MemoKeyPath(int slot) {
    return std::string(kProgramKey) + '\\' + MemoKeyName(slot);
}

// The number of a memo key's name, "Memo" in any case and a decimal number without leading
// zeros; numbers too big for an int are INT_MAX. Nullopt for any other name.
std::optional<int> MemoKeyNumber(std::string_view name);

} // namespace petarino::store
