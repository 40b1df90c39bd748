#include "forms/memo_popup_menu.h"

#include "platform/win32/cp932_win32.h"

#include <stdexcept>
#include <string>

namespace petarino::forms {
namespace {

[[noreturn]] void CannotMake() {
    throw std::runtime_error("メニューを作成できません");
}

std::wstring Caption(const MemoMenuItem& item) {
    std::string caption(item.caption);
    if (const std::string shortcut = ShortcutText(item.shortcut); !shortcut.empty())
        caption += "\t" + shortcut;
    return win32::ToWide(caption);
}

// The submenu belongs to `menu` from here on.
HMENU AppendSubmenu(HMENU menu, const MemoMenuItem& item) {
    HMENU submenu = CreatePopupMenu();
    if (!submenu) CannotMake();
    if (!AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                     Caption(item).c_str())) {
        DestroyMenu(submenu);
        CannotMake();
    }
    return submenu;
}

// A radio item's type is given at its making: checking it later keeps the type.
bool AppendRadioItem(HMENU menu, const MemoMenuItem& item) {
    std::wstring caption = Caption(item);
    const MENUITEMINFOW info{.cbSize = sizeof info,
                             .fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING,
                             .fType = MFT_STRING | MFT_RADIOCHECK,
                             .wID = static_cast<UINT>(*item.command),
                             .dwTypeData = caption.data()};
    return InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

void Append(HMENU menu, const MemoMenuItem& item) {
    const bool appended = item.IsSeparator() ? AppendMenuW(menu, MF_SEPARATOR, 0, nullptr)
                          : item.IsRadioItem()
                              ? AppendRadioItem(menu, item)
                              : AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(*item.command),
                                            Caption(item).c_str());
    if (!appended) CannotMake();
}

} // namespace

void MemoPopupMenu::Make() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) CannotMake();
    // A submenu's item comes before the items it holds.
    HMENU submenu = nullptr;
    for (const MemoMenuItem& item : kMemoMenu) {
        switch (item.place) {
        case MenuPlace::Menu:
            if (item.HoldsSubmenu())
                submenu = AppendSubmenu(menu.get(), item);
            else
                Append(menu.get(), item);
            break;
        case MenuPlace::EditSubmenu:
        case MenuPlace::OpacitySubmenu: Append(submenu, item); break;
        case MenuPlace::Hidden: break;
        }
    }
    menu_ = std::move(menu);
}

void MemoPopupMenu::Open(HWND window, POINT at, const TextAreaState& state) {
    if (!menu_) Make();
    for (const MemoMenuItem& item : kMemoMenu) {
        if (!item.command) continue;
        const auto id = static_cast<UINT>(*item.command);
        EnableMenuItem(menu_.get(), id,
                       MF_BYCOMMAND | (IsEnabled(*item.command, state) ? MF_ENABLED : MF_GRAYED));
        const bool checked = item.IsCheckItem()   ? state.stayOnTop
                             : item.IsRadioItem() ? OpacityOf(*item.command) == state.opacity
                                                  : false;
        CheckMenuItem(menu_.get(), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    TrackPopupMenu(menu_.get(), TPM_CENTERALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                   window, nullptr);
}

} // namespace petarino::forms
