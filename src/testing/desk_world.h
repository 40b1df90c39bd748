// One running copy of the program on the fakes: the real desk with its real wiring, over a
// registry and files that outlive it as the real ones outlive a process.
#pragma once

#include "desk/desk.h"
#include "platform/fake/fake_choosers.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_graphics.h"
#include "testing/fake_desk_view.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_autosave_settings.h"
#include "testing/in_memory_exit_settings.h"
#include "testing/in_memory_hotkey_settings.h"
#include "testing/in_memory_memo_factory.h"
#include "testing/macro_world.h"

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

struct DeskWorld {
    // With `sharedFiles`, the files (and the backups among them) are those of another world,
    // or real ones; each world has fake ones of its own otherwise.
    explicit DeskWorld(platform::Registry& registry, int pixelsPerInch = 96,
                       platform::Files* sharedFiles = nullptr)
        : graphics(Screen(pixelsPerInch)), files(sharedFiles ? *sharedFiles : ownFiles),
          desk({.windows = macro.windows,
                .kernel = macro.kernel,
                .registry = registry,
                .graphics = graphics,
                .files = files,
                .choosers = choosers,
                .locale = macro.locale,
                .macro = macro.services},
               {list, autosave, exitSettings, hotkeys}, factory, view) {}
    DeskWorld(const DeskWorld&) = delete;
    DeskWorld& operator=(const DeskWorld&) = delete;

    store::ProgramState State() { return desk.State(); }
    // The ids a desk of this world makes: the fake kernel's, counted from 1 in each run.
    std::function<std::string()> NewId() {
        return [this] { return macro.kernel.NewGuid(); };
    }

    // A memo as the user makes one: titled on the right and shown, then given a text.
    Memo& Create(std::string_view title, std::string_view text = {}) {
        Memo* memo = desk.CreateMemo();
        if (!memo) throw std::logic_error("the table is full");
        memo->SetHint(title);
        memo->SetText(text);
        return *memo;
    }
    // As the memo properties dialog leaves a memo given a macro.
    Memo& CreateMacro(std::string_view title, std::string_view source) {
        Memo& memo = Create(title);
        memo.SetMacroText(source);
        memo.SetReadOnly(true);
        return memo;
    }
    // A second of the uptime, then the tick, as often as asked.
    void Seconds(int count) {
        for (int i = 0; i < count; ++i) {
            macro.kernel.SetUptimeMilliseconds(macro.kernel.UptimeMilliseconds() + 1000);
            desk.Tick();
        }
    }

    MacroWorld macro;
    platform::FakeGraphics graphics;
    platform::FakeFiles ownFiles;
    platform::Files& files;
    platform::FakeChoosers choosers;
    InMemoryMemoFactory factory;
    FakeStatusList list;
    InMemoryAutosaveSettings autosave;
    InMemoryExitSettings exitSettings;
    InMemoryHotkeySettings hotkeys;
    FakeDeskView view;
    Desk desk;
    MemoTable& table = desk.Table();
    RunningClock& clock = desk.Clock();
    store::RegistryStore& store = desk.Store();
    store::SyncSettings& sync = desk.State().sync;

private:
    static platform::FakeGraphics Screen(int pixelsPerInch) {
        platform::FakeGraphics screen;
        screen.SetScreenPixelsPerInch(pixelsPerInch);
        return screen;
    }
};

} // namespace petarino
