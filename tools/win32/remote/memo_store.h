// Petarino's store in the registry, seen from outside: prepared before a start, read after an
// exit. The layout is the program's: the program key with its counters and settings, one key
// Memo0, Memo1, ... per memo slot.
#pragma once

#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace petarino::remote {

inline const std::wstring kProgramKey = L"Software\\Mivora\\Petarino";
std::wstring MemoKey(int slot);

// Colours that follow the system's scheme.
inline constexpr DWORD kActiveCaption = 0x80000002;
inline constexpr DWORD kCaptionText = 0x80000009;
inline constexpr DWORD kButtonFace = 0x8000000F;

struct StoredSettings {
    int total = 0;
    int exec = 0;
    bool saving = false;
    int saveTiming = 10;
    bool exportText = false;  // "cbText"
    bool confirmExit = false; // "Alart"

    bool operator==(const StoredSettings&) const = default;
};

// One memo key, with the values a new memo window has.
struct StoredMemo {
    int top = 0;
    int left = 0;
    int width = 265;
    int height = 113;
    std::wstring title = L"無題";
    int titleBar = 0;
    DWORD titleText = kCaptionText;
    DWORD titleBackground = kActiveCaption;
    std::wstring text;
    bool wordWrap = true;
    bool visible = true;
    std::wstring fontName = L"ＭＳ Ｐゴシック";
    DWORD color = kButtonFace;
    int fontStyle = 0;
    DWORD fontColor = 0;
    int fontSize = 9;

    bool operator==(const StoredMemo&) const = default;
};

// Replaces the whole store: the settings, "MaxForm" naming the last memo, and the memos in
// slot order.
void WriteStore(const StoredSettings& settings, const std::vector<StoredMemo>& memos);
void DeleteStore();

// What a save left; nothing when the program key or the memo key is missing. A value that is
// missing or of another type throws std::runtime_error naming it.
std::optional<StoredSettings> ReadSettings();
std::optional<int> ReadMaxForm();
std::optional<StoredMemo> ReadMemo(int slot);

} // namespace petarino::remote
