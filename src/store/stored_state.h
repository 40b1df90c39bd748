// What a load read from the store, before any of it reaches the program. Reading holds the
// store's lock; restoring creates windows and may show message boxes, which must not hold
// it. A field is empty when its value is absent or could not be read.
#pragma once

#include "appearance/color.h"
#include "memos/memo_alarm.h"
#include "memos/memo_geometry.h"
#include "text/memo_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace petarino::store {

struct StoredMemo {
    bool keyExists = false;
    std::optional<Bounds> bounds; // absent ones defaulted, set once all four were read
    std::optional<MemoText> title;
    std::optional<int32_t> titleBar;
    std::optional<Color> titleText;
    std::optional<Color> titleBackGround;
    std::optional<bool> wordWrap;
    std::optional<MemoText> text; // an absent one read as empty
    std::optional<std::string> fontName;
    std::optional<Color> color;
    std::optional<int32_t> fontStyle;
    std::optional<Color> fontColor;
    std::optional<int32_t> fontSize;
    std::optional<bool> visible;
    std::optional<bool> stayOnTop;
    std::optional<WallMinute> alarmAt;  // also empty when stored empty: no alarm
    std::optional<int32_t> alarmRepeat; // [0, kAlarmRepeats)
    std::optional<bool> alarmSound;
    std::optional<int32_t> alarmDay; // [1, 31]
    std::optional<int32_t> opacity;  // IsOpacity; absent is opaque
    std::optional<std::string> id;   // IsSyncId; in a whole store's reading, no earlier memo's
    std::optional<std::string> syncVersions;
    std::optional<std::string> syncBase;
    std::optional<std::string> syncLineage;
};

struct StoredState {
    // False at a first start: nothing was ever saved.
    bool programKeyExists = false;
    std::optional<int32_t> maxForm;
    std::optional<int32_t> total;
    std::optional<int32_t> exec;
    std::optional<bool> saving;
    std::optional<int32_t> saveTiming;
    std::optional<bool> cbText;
    std::optional<bool> alart;
    std::optional<int32_t> hotKeyNewMemo;
    std::optional<int32_t> hotKeyFront;
    std::optional<int32_t> hotKeySearch;
    std::optional<std::u16string> syncFolder; // as the system knows it, any characters
    std::optional<std::string> syncDevice;
    std::optional<std::string> syncFolderId;
    std::optional<std::string> syncDeleted;
    std::optional<std::string> syncState;
    // Slot order, up to the last memo key that exists.
    std::vector<StoredMemo> memos;
    // MaxForm outside -1..100, or naming memo keys that do not exist at its end; the memos
    // read are then those up to the last memo key of the table's slots.
    bool maxFormDamaged = false;
    // Memo keys that exist beyond the table's last slot.
    bool keysBeyondTable = false;
    // The message of the first value that could not be read, and how many more there were;
    // each of them was taken as absent.
    std::optional<std::string> error;
    int furtherErrors = 0;
};

} // namespace petarino::store
