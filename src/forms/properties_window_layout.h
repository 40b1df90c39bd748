// The properties window's frame and controls, at their pixel positions: a dialog border with
// a 280 x 222 client area, not scaled with the screen's density, and four pages.
#pragma once

#include "memos/hotkey_settings.h"
#include "platform/win32/font_win32.h"
#include "platform/window_system.h"

#include <windows.h>
#include <optional>

namespace petarino::forms {

// Control and menu command identifiers.
enum DouguFormCommand : UINT {
    kbShow = 100,
    kbDestroy,
    kButton3,
    kbOk,
    kButton1,
    kcbSave,
    kcbText,
    kcbAlart,
    keSave,
    kudSave,
    klbShow,
    klbBackups,
    kbRestore,
    kbExport,
    kbImport,
    khkNewMemo,
    khkFront,
    keSyncFolder,
    kbSyncBrowse,
    kbSyncStop,
    kbSyncNow,
    keSearch,
    khkSearch,
    kcbStartWithWindows,
    kKN1 = 200,
    kKF1,
    kProperties,
    kAbout1,
    kExit1,
};

inline constexpr DWORD kDouguFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// The help button shows on a window without minimise and maximise boxes.
inline constexpr DWORD kDouguFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;

struct DouguFormControls {
    win32::UniqueFont font;
    HWND PageControl1 = nullptr;
    HWND TabSheet1 = nullptr;
    HWND TabSheet2 = nullptr;
    HWND TabSheet3 = nullptr;
    HWND TabSheet4 = nullptr;
    HWND eSearch = nullptr;
    HWND lbShow = nullptr;
    HWND bShow = nullptr;
    HWND bDestroy = nullptr;
    HWND Button3 = nullptr;
    HWND cbSave = nullptr;
    HWND eSave = nullptr;
    HWND udSave = nullptr;
    HWND Label1 = nullptr;
    HWND cbText = nullptr;
    HWND cbAlart = nullptr;
    HWND Bevel1 = nullptr;
    HWND Label3 = nullptr;
    HWND cbStartWithWindows = nullptr;
    HWND lbBackups = nullptr;
    HWND bRestore = nullptr;
    HWND bExport = nullptr;
    HWND bImport = nullptr;
    HWND Label4 = nullptr;
    HWND hkNewMemo = nullptr;
    HWND lNewMemoInUse = nullptr;
    HWND Label5 = nullptr;
    HWND hkFront = nullptr;
    HWND lFrontInUse = nullptr;
    HWND Label7 = nullptr;
    HWND hkSearch = nullptr;
    HWND lSearchInUse = nullptr;
    HWND Label6 = nullptr;
    HWND eSyncFolder = nullptr;
    HWND bSyncBrowse = nullptr;
    HWND bSyncStop = nullptr;
    HWND bSyncNow = nullptr;
    HWND Bevel2 = nullptr;
    HWND lSyncStatus = nullptr;
    HWND bOk = nullptr;
    HWND Button1 = nullptr;
    HWND tooltips = nullptr;
    // Why a hotkey box did not take a key.
    HWND hotkeyRefusal = nullptr;
};

// The global hotkey whose box the control is.
inline std::optional<GlobalHotkey> HotkeyOfBox(UINT id) {
    switch (id) {
    case khkNewMemo: return GlobalHotkey::NewMemo;
    case khkFront: return GlobalHotkey::Front;
    case khkSearch: return GlobalHotkey::Search;
    default: return std::nullopt;
    }
}

inline constexpr int kSettingsPage = 1;
inline constexpr int kExtendedPage = 2;
inline constexpr int kSyncPage = 3;

// The window's outer size for its client area.
void SizeClientArea(HWND form);
// Every control with its caption, tooltip and the window's font; the first page shown.
void CreateDouguFormControls(HWND form, DouguFormControls& controls,
                             const platform::WindowSystem& windows);

} // namespace petarino::forms
