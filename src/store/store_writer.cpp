#include "store/store_writer.h"

#include "memos/memo_opacity.h"
#include "store/key_writer.h"
#include "store/store_layout.h"

#include <algorithm>
#include <cstdint>

namespace petarino::store {

void WriteMemoKey(platform::RegistryAccess& access, const std::string& path, const Memo& memo,
                  int pixelsPerInch) {
    using namespace memo_value;
    KeyWriter key(access, path);
    key.Integer(kTop, memo.Top());
    key.Integer(kLeft, memo.Left());
    key.Integer(kWidth, memo.Width());
    key.Integer(kHeight, memo.Height());
    key.WideString(kTitle, memo.Hint());
    key.Integer(kTitleBar, memo.TitleBar());
    key.Colour(kTitleText, memo.TitleTextColor());
    key.Colour(kTitleBackGround, memo.WindowColor());
    key.WideString(kText, memo.ReadOnly() ? memo.MacroText() : memo.Text());
    key.Boolean(kWordWrap, memo.WordWrap());
    key.Boolean(kVisible, memo.Visible());
    const Font font = memo.MemoFont();
    key.String(kFontName, font.Name());
    key.Colour(kColor, memo.MemoColor());
    key.Integer(kFontStyle, font.style);
    key.Colour(kFontColor, font.color);
    key.Integer(kFontSize, font.Size(pixelsPerInch));
    key.Boolean(kStayOnTop, memo.StayOnTop());
    const MemoAlarm& alarm = memo.Alarm();
    key.String(kAlarmAt, alarm.at ? WallMinuteText(*alarm.at) : "");
    key.Integer(kAlarmRepeat, static_cast<int32_t>(alarm.repeat));
    key.Boolean(kAlarmSound, alarm.sound);
    if (alarm.ownDay != 0) key.Integer(kAlarmDay, alarm.ownDay);
    if (memo.Opacity() != kOpaque) key.Integer(kOpacity, memo.Opacity());
    const SyncMark& sync = memo.Sync();
    // A save gives every memo an id first; an empty one would read back as unusable.
    if (!sync.id.empty()) key.String(kId, sync.id);
    if (!sync.versions.empty()) key.String(kSyncVersions, sync.versions);
    if (!sync.base.empty()) key.String(kSyncBase, sync.base);
    if (!sync.lineage.empty()) key.String(kSyncLineage, sync.lineage);
    key.RemoveTheRest(0, [](std::string_view) { return false; });
}

namespace {

int32_t ClampedTo32Bits(int64_t seconds) {
    return static_cast<int32_t>(std::clamp<int64_t>(seconds, INT32_MIN, INT32_MAX));
}

} // namespace

void WriteStore(platform::RegistryAccess& access, const ProgramState& state, int pixelsPerInch) {
    using namespace program_value;
    const int maxForm = state.memos.MaxForm();
    for (int slot = 0; slot <= maxForm; ++slot)
        WriteMemoKey(access, MemoKeyPath(slot), state.memos.Memos(slot), pixelsPerInch);

    KeyWriter key(access, std::string(kProgramKey));
    key.Integer(kMaxForm, maxForm);
    key.Integer(kTotal, ClampedTo32Bits(state.clock.Total()));
    key.Integer(kExec, state.clock.Exec());
    key.Boolean(kSaving, state.autosave.Enabled());
    key.Integer(kSaveTiming, state.autosave.Period());
    key.Boolean(kCbText, state.exitSettings.ExportAtExit());
    key.Boolean(kAlart, state.exitSettings.AskBeforeExit());
    key.Integer(kHotKeyNewMemo, state.hotkeys.Key(GlobalHotkey::NewMemo));
    key.Integer(kHotKeyFront, state.hotkeys.Key(GlobalHotkey::Front));
    key.Integer(kHotKeySearch, state.hotkeys.Key(GlobalHotkey::Search));
    if (!state.sync.folder.units.empty()) key.WideString(kSyncFolder, state.sync.folder.units);
    if (!state.sync.device.empty()) key.String(kSyncDevice, state.sync.device);
    if (!state.sync.folderId.empty()) key.String(kSyncFolderId, state.sync.folderId);
    if (!state.sync.pendingDeletions.empty()) key.String(kSyncDeleted, state.sync.pendingDeletions);
    if (!state.sync.engineState.empty()) key.String(kSyncState, state.sync.engineState);
    key.RemoveTheRest(static_cast<std::size_t>(maxForm + 1), [maxForm](std::string_view subkey) {
        const auto number = MemoKeyNumber(subkey);
        return number && (*number <= maxForm || *number >= MemoTable::kSlots);
    });
    access.Flush();
}

} // namespace petarino::store
