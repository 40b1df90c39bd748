// One running copy of the program as far as the store sees it, on fakes, over a registry
// that outlives it as the real one outlives a process.
#pragma once

#include "memos/memo_table.h"
#include "platform/fake/fake_graphics.h"
#include "store/registry_store.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_autosave_settings.h"
#include "testing/in_memory_exit_settings.h"
#include "testing/in_memory_hotkey_settings.h"
#include "testing/in_memory_memo_factory.h"
#include "testing/macro_world.h"
#include "testing/memo_texts.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>

namespace petarino {

// Every field of a memo that the store keeps, and what it shows, to compare two memos at
// once. A plain memo's macro source is kept by nothing.
inline auto StoredFields(const Memo& memo) {
    return std::tuple(memo.Left(), memo.Top(), memo.Width(), memo.Height(), memo.Hint(),
                      memo.TitleBar(), memo.TitleTextColor(), memo.WindowColor(),
                      memo.ReadOnly() ? memo.MacroText() : memo.Text(), memo.Text(),
                      memo.ReadOnly(), memo.WordWrap(), memo.Visible(), memo.MemoColor(),
                      memo.MemoFont(), memo.StayOnTop(), memo.Opacity(), memo.Alarm(), memo.Sync());
}

struct StoreWorld {
    explicit StoreWorld(platform::Registry& registry, int pixelsPerInch = 96)
        : graphics(Screen(pixelsPerInch)),
          store(registry, graphics, State(), macro.expander, macro.windows, NewId()) {}

    store::ProgramState State() { return {table, clock, autosave, exitSettings, hotkeys, sync}; }
    // The ids a store of this world makes: the fake kernel's, counted from 1 in each run.
    std::function<std::string()> NewId() {
        return [this] { return macro.kernel.NewGuid(); };
    }

    // A memo as the user makes one: titled on the right and shown, then given a text.
    Memo& Create(std::string_view title, std::string_view text = {}) {
        Memo* memo = table.CreateMemo();
        if (!memo) throw std::logic_error("the table is full");
        memo->SetHint(AsMemoText(title));
        memo->SetText(AsMemoText(text));
        return *memo;
    }
    // As the memo properties dialog leaves a memo given a macro.
    Memo& CreateMacro(std::string_view title, std::string_view source) {
        Memo& memo = Create(title);
        memo.SetMacroText(AsMemoText(source));
        memo.SetReadOnly(true);
        return memo;
    }

    MacroWorld macro;
    platform::FakeGraphics graphics;
    InMemoryMemoFactory factory;
    FakeStatusList list;
    MemoTable table{factory, list, macro.windows};
    InMemoryAutosaveSettings autosave;
    InMemoryExitSettings exitSettings;
    InMemoryHotkeySettings hotkeys;
    store::SyncSettings sync;
    RunningClock clock{macro.kernel, autosave};
    store::RegistryStore store;

private:
    static platform::FakeGraphics Screen(int pixelsPerInch) {
        platform::FakeGraphics screen;
        screen.SetScreenPixelsPerInch(pixelsPerInch);
        return screen;
    }
};

} // namespace petarino
