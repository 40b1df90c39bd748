#include "store/start_up_load.h"

#include "macro/macro_expansion.h"
#include "memos/memo_opacity.h"

namespace petarino::store {
namespace {

// Other bits of the stored byte name no style, and are not written back.
constexpr int32_t kFontStyleBits = fsBold | fsItalic | fsUnderline | fsStrikeOut;

void RestoreAlarm(const StoredMemo& stored, Memo& memo) {
    MemoAlarm alarm;
    alarm.at = stored.alarmAt;
    if (stored.alarmRepeat) alarm.repeat = static_cast<AlarmRepeat>(*stored.alarmRepeat);
    if (stored.alarmSound) alarm.sound = *stored.alarmSound;
    // A day that is the time's own, or one the time could not have been cut from, aims at
    // nothing beyond the time.
    if (stored.alarmDay && alarm.at && *stored.alarmDay > alarm.at->date.day)
        alarm.ownDay = *stored.alarmDay;
    if (alarm != memo.Alarm()) memo.SetAlarm(alarm);
}

// The id stays when the key has none: made once, it is kept for good. Sync values absent
// are empty, as a save leaves them out.
void RestoreSync(const StoredMemo& stored, Memo& memo) {
    memo.SetSync({stored.id.value_or(memo.Sync().id), stored.syncVersions.value_or(""),
                  stored.syncBase.value_or(""), stored.syncLineage.value_or("")});
}

} // namespace

void RestoreMemo(const StoredMemo& stored, Memo& memo, MacroExpander& expander, MacroHost& host,
                 int pixelsPerInch) {
    // Only what differs from the window as it is is set: every change costs a window a trip
    // to the window system, a hundred times over at start.
    const auto differs = [](const auto& value, const auto& now) { return value && *value != now; };
    if (const auto& b = stored.bounds;
        b && *b != Bounds{memo.Left(), memo.Top(), memo.Width(), memo.Height()})
        memo.SetBounds(b->left, b->top, b->width, b->height);
    if (differs(stored.title, memo.Hint())) memo.SetHint(*stored.title);
    if (differs(stored.titleBar, memo.TitleBar())) memo.SetTitleBar(*stored.titleBar);
    if (differs(stored.titleText, memo.TitleTextColor())) memo.SetTitleTextColor(*stored.titleText);
    if (differs(stored.titleBackGround, memo.WindowColor()))
        memo.SetWindowColor(*stored.titleBackGround);
    if (differs(stored.wordWrap, memo.WordWrap())) memo.SetWordWrap(*stored.wordWrap);
    if (stored.text) {
        memo.SetMacroText(*stored.text);
        // A memo updated in place may change between macro and plain text either way.
        const bool macro = IsMacroSource(*stored.text);
        if (memo.ReadOnly() != macro) memo.SetReadOnly(macro);
        if (macro)
            expander.ExpandMacros(memo, host);
        else
            memo.SetText(*stored.text);
    }
    // One font for the window, not one for each of its values.
    Font font = memo.MemoFont();
    if (stored.fontName) font.SetName(*stored.fontName);
    if (differs(stored.color, memo.MemoColor())) memo.SetMemoColor(*stored.color);
    if (stored.fontStyle) font.style = static_cast<uint8_t>(*stored.fontStyle & kFontStyleBits);
    if (stored.fontColor) font.color = *stored.fontColor;
    if (stored.fontSize) font.SetSize(*stored.fontSize, pixelsPerInch);
    if (font != memo.MemoFont()) memo.SetMemoFont(font);
    if (differs(stored.stayOnTop, memo.StayOnTop())) memo.SetStayOnTop(*stored.stayOnTop);
    RestoreAlarm(stored, memo);
    // Absent is opaque, as a save leaves it out: a memo updated in place turns opaque too.
    if (const int32_t opacity = stored.opacity.value_or(kOpaque); opacity != memo.Opacity())
        memo.SetOpacity(opacity);
    RestoreSync(stored, memo);
    // Last: showing keeps the window inside the work area, which needs its final bounds.
    if (stored.visible) memo.SetVisible(*stored.visible);
}

namespace {

// The memos go into the table's next slots, as many as it has room for.
void RestoreMemos(const std::vector<StoredMemo>& memos, const ProgramState& state,
                  MacroExpander& expander, int pixelsPerInch) {
    for (const StoredMemo& memo : memos) {
        Memo* made = state.memos.AddHidden(memo.bounds);
        if (!made) return;
        RestoreMemo(memo, *made, expander, state.clock, pixelsPerInch);
    }
}

} // namespace

void LoadStoredState(const StoredState& stored, const ProgramState& state, MacroExpander& expander,
                     int pixelsPerInch) {
    if (stored.total) state.clock.SetTotalAtStart(*stored.total);
    state.clock.CountThisStart(stored.exec);
    if (stored.saving) state.autosave.SetEnabled(*stored.saving);
    // The up-down keeps the low 16 bits of whatever is stored.
    if (stored.saveTiming) state.autosave.SetPeriod(static_cast<int16_t>(*stored.saveTiming));
    if (stored.cbText) state.exitSettings.SetExportAtExit(*stored.cbText);
    if (stored.alart) state.exitSettings.SetAskBeforeExit(*stored.alart);
    if (stored.hotKeyNewMemo)
        state.hotkeys.SetKey(GlobalHotkey::NewMemo, static_cast<uint16_t>(*stored.hotKeyNewMemo));
    if (stored.hotKeyFront)
        state.hotkeys.SetKey(GlobalHotkey::Front, static_cast<uint16_t>(*stored.hotKeyFront));
    if (stored.hotKeySearch)
        state.hotkeys.SetKey(GlobalHotkey::Search, static_cast<uint16_t>(*stored.hotKeySearch));
    if (stored.syncFolder) state.sync.folder = {*stored.syncFolder};
    if (stored.syncDevice) state.sync.device = *stored.syncDevice;
    if (stored.syncFolderId) state.sync.folderId = *stored.syncFolderId;
    if (stored.syncDeleted) state.sync.pendingDeletions = *stored.syncDeleted;
    if (stored.syncState) state.sync.engineState = *stored.syncState;
    RestoreMemos(stored.memos, state, expander, pixelsPerInch);
}

} // namespace petarino::store
