// petarino-remote: drives a running Petarino from outside, for scripts/run.sh and for the walk
// of two PCs that sync through one folder (tests/e2e/two_pcs.sh), each PC a Wine prefix.
//   seed-demo        replace the store with the sample memos of a demonstration
//   wait-shown       wait until Petarino runs, has shown its memos and has settled
//   show-page N      open the properties window from the notification icon on its page N (0
//                    the first), as a user's arrow keys in the page control choose it; prints
//                    the window's left, top, width and height
//   search TEXT      open the properties window on its first page and type TEXT in its search
//                    box; prints the window's left, top, width and height
//   start EXE        start the program and wait until it has started; it goes on running
//   clear-store      remove the store, so the next start is a first start
//   set-sync FOLDER  the store syncs through the folder from the next start (sync_files.h)
//   memo-file FILE ID TEXT   write a memo file as another PC writes it, of the memo ID ("new":
//                    a new memo), showing TEXT; prints the id
//   older-memo-file FILE ID TEXT  the same as an older Petarino writes it, lacking a value
//   edit-memo-file FILE TEXT the PC that wrote the memo file last writes the memo's new text
//   delete-memo-file FILE    the PC that wrote the memo file last deletes the memo
//   memo-files FOLDER N      write the files of N new memos "メモ 1", "メモ 2", ... as other PCs
//   memos            print what each memo of the running Petarino shows, one a line
//   stored-memos     print each memo of the store, its title, a tab and its text, one a line
//   wait-memos SECONDS [TEXT...]  wait until the memos show exactly these texts, in any order;
//                    prints how long that took
//   new-memo TEXT    make a memo with the notification menu's "新規メモ(&N)" and type TEXT in it
//   type TEXT NEW    type NEW over everything in the memo that shows TEXT
//   destroy TEXT     destroy the memo that shows TEXT with its menu's "メモの破棄", confirming
//   sync-now         press "今すぐ同期" on the properties window's page "同期"
//   wait-status TEXT SECONDS  wait until the page "同期" shows a status beginning with TEXT;
//                    prints the status
//   wait-box         wait until Petarino shows a message box, leaving it open; prints its
//                    caption and text
//   answer [ok|yes|no]  answer Petarino's message box with the button (OK when not named);
//                    prints its caption and text
//   exit             end Petarino through its notification menu's "終了(&X)", confirming when
//                    asked; an error it reports instead is printed and the exit code is 2
// Texts are printed in UTF-8 with their line breaks as "\n"; Unix paths name Wine's drive Z:.
#include "deadline.h"
#include "demo_memos.h"
#include "memo_store.h"
#include "message_boxes.h"
#include "petarino_windows.h"
#include "platform/win32/cp932_win32.h"
#include "process.h"
#include "properties_window.h"
#include "sync_files.h"
#include "tray.h"
#include "typing.h"
#include "unix_path.h"
#include "window_search.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <io.h>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace petarino::remote {
namespace {

constexpr int kFailed = 1;
constexpr int kRefused = 2;
constexpr int kUsage = 64;
// The first start in a new prefix also builds Wine's font cache.
constexpr unsigned long kStartPatienceMs = 60000;

using Arguments = std::span<const std::wstring>;

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

// Messages reach a Unix terminal, which reads UTF-8.
void Say(const std::wstring& text) {
    const std::string line = Utf8(text + L"\n");
    std::fwrite(line.data(), 1, line.size(), stderr);
}

// What a command finds goes to the standard output, for the script that asked.
void Print(const std::wstring& text) {
    const std::string line = Utf8(text + L"\n");
    std::fwrite(line.data(), 1, line.size(), stdout);
}

std::wstring OneLine(std::wstring text) {
    for (size_t at = 0; (at = text.find(L"\r\n", at)) != std::wstring::npos; at += 2)
        text.replace(at, 2, L"\\n");
    return text;
}

std::wstring Listed(std::vector<std::wstring> texts) {
    std::sort(texts.begin(), texts.end());
    std::wstring listed;
    for (const std::wstring& text : texts)
        listed += L" [" + OneLine(text) + L"]";
    return listed.empty() ? L" none" : listed;
}

HWND RunningPropertiesWindow() {
    HWND window = WaitForPropertiesWindow(0, kPatienceMs);
    if (!window) Say(L"petarino-remote: Petarino does not run");
    return window;
}

DWORD RunningPetarino() {
    const HWND properties = RunningPropertiesWindow();
    return properties ? ProcessOf(properties) : 0;
}

HWND MemoOrSay(DWORD petarino, const std::wstring& text) {
    const HWND memo = MemoShowing(petarino, text);
    if (!memo)
        Say(L"petarino-remote: no memo shows [" + OneLine(text) + L"]; the memos show" +
            Listed(MemoTexts(petarino)));
    return memo;
}

int SeedDemo(Arguments) {
    WriteStore(StoredSettings{}, DemoMemos());
    return 0;
}

// Shown means: started, idle, and the set of visible memos unchanged for a second, so the
// first tick has rewritten the macro memos and everything is painted.
int WaitShown(Arguments) {
    HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    const Process petarino = Process::Open(ProcessOf(properties));
    if (!petarino.WaitUntilIdle(kPatienceMs)) {
        Say(L"petarino-remote: Petarino did not settle");
        return kFailed;
    }
    std::vector<HWND> shown = VisibleMemoWindows(petarino.Id());
    ULONGLONG settledSince = GetTickCount64();
    const bool settled = WaitFor([&] {
        std::vector<HWND> now = VisibleMemoWindows(petarino.Id());
        if (now != shown) {
            shown = std::move(now);
            settledSince = GetTickCount64();
        }
        return GetTickCount64() - settledSince >= 1000;
    });
    return settled ? 0 : kFailed;
}

// For a picture of the window: a pointer resting on a control would cover the page with its
// tooltip.
void PrintBoundsForPicture(HWND properties) {
    SetCursorPos(0, 0);
    const RECT bounds = BoundsOf(properties);
    Print(std::to_wstring(bounds.left) + L" " + std::to_wstring(bounds.top) + L" " +
          std::to_wstring(bounds.right - bounds.left) + L" " +
          std::to_wstring(bounds.bottom - bounds.top));
}

int ShowPage(Arguments arguments) {
    HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    if (!OpenPage(properties, _wtoi(arguments[0].c_str()))) {
        Say(L"petarino-remote: the properties window did not open");
        return kFailed;
    }
    PrintBoundsForPicture(properties);
    return 0;
}

int Search(Arguments arguments) {
    HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    if (!OpenPage(properties, 0) || !TypeOver(SearchBox(properties), arguments[0])) {
        Say(L"petarino-remote: the search box did not take the text");
        return kFailed;
    }
    PrintBoundsForPicture(properties);
    return 0;
}

// As the e2e tests wait for a copy: its properties window exists from the start of its
// creation, which loads the store, and it first waits for input when the creation is done. A
// copy refused as the second one asks before it has that window.
int Start(Arguments arguments) {
    Process petarino = Process::Start(WindowsPathOf(arguments[0]));
    std::optional<MessageBoxView> refusal;
    const bool made = WaitFor(
        [&] {
            if (WaitForPropertiesWindow(petarino.Id(), 0)) return true;
            refusal = WaitForMessageBox(petarino.Id(), 0);
            return refusal.has_value();
        },
        kStartPatienceMs);
    if (refusal) {
        Say(L"petarino-remote: Petarino did not start: " + refusal->caption + L": " +
            refusal->text);
        return kFailed;
    }
    if (!made || !petarino.WaitUntilIdle(kStartPatienceMs)) {
        Say(L"petarino-remote: Petarino did not start");
        return kFailed;
    }
    petarino.Detach();
    return 0;
}

int ClearStore(Arguments) {
    DeleteStore();
    return 0;
}

int SetSync(Arguments arguments) {
    SetSyncFolder(WindowsPathOf(arguments[0]));
    return 0;
}

int WriteOneMemoFile(Arguments arguments) {
    const std::string id = arguments[1] == L"new" ? NewMemoId() : Utf8(arguments[1]);
    WriteMemoFile(WindowsPathOf(arguments[0]), id, arguments[2]);
    Print(std::wstring(id.begin(), id.end()));
    return 0;
}

int WriteOneOlderMemoFile(Arguments arguments) {
    const std::string id = arguments[1] == L"new" ? NewMemoId() : Utf8(arguments[1]);
    WriteOlderMemoFile(WindowsPathOf(arguments[0]), id, arguments[2]);
    Print(std::wstring(id.begin(), id.end()));
    return 0;
}

int EditOneMemoFile(Arguments arguments) {
    EditMemoFile(WindowsPathOf(arguments[0]), arguments[1]);
    return 0;
}

int DeleteOneMemoFile(Arguments arguments) {
    DeleteMemoFile(WindowsPathOf(arguments[0]));
    return 0;
}

int WriteMemoFiles(Arguments arguments) {
    const std::wstring folder = WindowsPathOf(arguments[0]);
    const int count = _wtoi(arguments[1].c_str());
    for (int number = 1; number <= count; ++number) {
        const std::string id = NewMemoId();
        WriteMemoFile(folder + L"\\" + std::wstring(id.begin(), id.end()) + L".json", id,
                      L"メモ " + std::to_wstring(number));
    }
    return 0;
}

int PrintMemos(Arguments) {
    const DWORD petarino = RunningPetarino();
    if (!petarino) return kFailed;
    for (const std::wstring& text : MemoTexts(petarino))
        Print(OneLine(text));
    return 0;
}

int PrintStoredMemos(Arguments) {
    const int maxForm = ReadMaxForm().value_or(-1);
    for (int slot = 0; slot <= maxForm; ++slot)
        if (const auto memo = ReadMemo(slot)) Print(memo->title + L"\t" + OneLine(memo->text));
    return 0;
}

int WaitMemos(Arguments arguments) {
    const DWORD petarino = RunningPetarino();
    if (!petarino) return kFailed;
    const unsigned long seconds = _wtoi(arguments[0].c_str());
    const std::wstring wanted = Listed({arguments.begin() + 1, arguments.end()});
    const ULONGLONG start = GetTickCount64();
    if (!WaitFor([&] { return Listed(MemoTexts(petarino)) == wanted; }, seconds * 1000)) {
        Say(L"petarino-remote: after " + std::to_wstring(seconds) + L" s the memos show" +
            Listed(MemoTexts(petarino)) + L", not" + wanted);
        return kFailed;
    }
    const ULONGLONG tenths = (GetTickCount64() - start) / 100;
    Print(L"after " + std::to_wstring(tenths / 10) + L"." + std::to_wstring(tenths % 10) + L" s");
    return 0;
}

int NewMemo(Arguments arguments) {
    const HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    const DWORD petarino = ProcessOf(properties);
    const std::vector<HWND> before = MemoWindows(petarino);
    PostTrayEvent(properties, WM_RBUTTONUP);
    // The window exists from the start of its making; it is shown once it is made.
    HWND made = nullptr;
    const bool seen = ChooseMenuItem(petarino, L'n', kPatienceMs) && WaitFor([&] {
                          for (HWND memo : VisibleMemoWindows(petarino))
                              if (std::find(before.begin(), before.end(), memo) == before.end())
                                  made = memo;
                          return made != nullptr;
                      });
    if (!seen) {
        Say(L"petarino-remote: the notification menu made no memo");
        return kFailed;
    }
    if (!TypeOver(TextAreaOf(made), arguments[0])) {
        Say(L"petarino-remote: the new memo does not show what was typed");
        return kFailed;
    }
    return 0;
}

int Type(Arguments arguments) {
    const DWORD petarino = RunningPetarino();
    if (!petarino) return kFailed;
    const HWND memo = MemoOrSay(petarino, arguments[0]);
    if (!memo) return kFailed;
    if (!TypeOver(TextAreaOf(memo), arguments[1])) {
        Say(L"petarino-remote: the memo does not show what was typed");
        return kFailed;
    }
    return 0;
}

// The menu from the keyboard's menu key, then "メモの破棄(&D)...", the last item of "編集(&E)".
int Destroy(Arguments arguments) {
    const DWORD petarino = RunningPetarino();
    if (!petarino) return kFailed;
    const HWND memo = MemoOrSay(petarino, arguments[0]);
    if (!memo) return kFailed;
    const HWND text = TextAreaOf(memo);
    PostMessageW(text, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), -1);
    if (!ChooseLastOfSubmenu(petarino, L'e', kPatienceMs)) {
        Say(L"petarino-remote: the memo's menu did not open");
        return kFailed;
    }
    const auto box = WaitForMessageBox(petarino, kPatienceMs);
    if (!box || box->caption != L"ペタリノの破棄") {
        Say(L"petarino-remote: Petarino did not ask before destroying the memo");
        return kFailed;
    }
    Answer(*box, IDYES);
    if (!WaitFor([&] { return !IsWindow(memo); })) {
        Say(L"petarino-remote: the memo stays");
        return kFailed;
    }
    return 0;
}

int SyncNow(Arguments) {
    const HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    const HWND button = OpenPage(properties, kSyncPage) ? SyncNowButton(properties) : nullptr;
    if (!button) {
        Say(L"petarino-remote: the page 同期 did not open");
        return kFailed;
    }
    PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
}

// The page shows the status as it was when shown or pressed last: it is shown again at every
// reading.
int WaitStatus(Arguments arguments) {
    const HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    const std::wstring& wanted = arguments[0];
    std::wstring status;
    const bool seen = WaitFor(
        [&] {
            if (!OpenPage(properties, kSyncPage)) return false;
            Sleep(200);
            status = TextOf(SyncStatusLine(properties));
            return status.starts_with(wanted);
        },
        static_cast<unsigned long>(_wtoi(arguments[1].c_str())) * 1000);
    if (!seen) {
        Say(L"petarino-remote: the page 同期 says [" + status + L"], not [" + wanted + L"...]");
        return kFailed;
    }
    Print(status);
    return 0;
}

// The box Petarino shows within the time, its caption and text printed.
std::optional<MessageBoxView> PrintedMessageBox() {
    const DWORD petarino = RunningPetarino();
    const auto box = petarino ? WaitForMessageBox(petarino, kPatienceMs) : std::nullopt;
    if (petarino && !box) Say(L"petarino-remote: Petarino shows no message box");
    if (box) Print(box->caption + L": " + OneLine(box->text));
    return box;
}

int WaitMessageBox(Arguments) {
    return PrintedMessageBox() ? 0 : kFailed;
}

int AnswerMessageBox(Arguments arguments) {
    const std::wstring button = arguments.empty() ? L"ok" : arguments[0];
    const int id = button == L"yes" ? IDYES : button == L"no" ? IDNO : IDOK;
    const auto box = PrintedMessageBox();
    return box && Answer(*box, id) ? 0 : kFailed;
}

int Exit(Arguments) {
    HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    const Process petarino = Process::Open(ProcessOf(properties));
    PostTrayEvent(properties, WM_RBUTTONUP);
    if (!ChooseMenuItem(petarino.Id(), L'x', kPatienceMs)) {
        Say(L"petarino-remote: the notification menu did not open");
        return kFailed;
    }
    for (;;) {
        std::optional<MessageBoxView> box;
        const bool seen = WaitFor([&] {
            if (!petarino.Running()) return true;
            box = WaitForMessageBox(petarino.Id(), 0);
            return box.has_value();
        });
        if (!petarino.Running()) return 0;
        if (!seen) {
            Say(L"petarino-remote: Petarino did not end");
            return kFailed;
        }
        if (box->caption == L"確認") {
            Answer(*box, IDYES);
            continue;
        }
        Say(box->caption + L": " + box->text);
        Answer(*box, IDOK);
        return kRefused;
    }
}

struct Command {
    std::wstring_view name;
    std::wstring_view arguments; // as the usage line names them
    size_t least;                // arguments required
    bool more;                   // and any number after them
    int (*run)(Arguments);
};

constexpr Command kCommands[] = {
    {L"seed-demo", L"", 0, false, SeedDemo},
    {L"wait-shown", L"", 0, false, WaitShown},
    {L"show-page", L"N", 1, false, ShowPage},
    {L"search", L"TEXT", 1, false, Search},
    {L"start", L"EXE", 1, false, Start},
    {L"clear-store", L"", 0, false, ClearStore},
    {L"set-sync", L"FOLDER", 1, false, SetSync},
    {L"memo-file", L"FILE ID TEXT", 3, false, WriteOneMemoFile},
    {L"older-memo-file", L"FILE ID TEXT", 3, false, WriteOneOlderMemoFile},
    {L"edit-memo-file", L"FILE TEXT", 2, false, EditOneMemoFile},
    {L"delete-memo-file", L"FILE", 1, false, DeleteOneMemoFile},
    {L"memo-files", L"FOLDER N", 2, false, WriteMemoFiles},
    {L"memos", L"", 0, false, PrintMemos},
    {L"stored-memos", L"", 0, false, PrintStoredMemos},
    {L"wait-memos", L"SECONDS [TEXT...]", 1, true, WaitMemos},
    {L"new-memo", L"TEXT", 1, false, NewMemo},
    {L"type", L"TEXT NEW", 2, false, Type},
    {L"destroy", L"TEXT", 1, false, Destroy},
    {L"sync-now", L"", 0, false, SyncNow},
    {L"wait-status", L"TEXT SECONDS", 2, false, WaitStatus},
    {L"wait-box", L"", 0, false, WaitMessageBox},
    {L"answer", L"[ok|yes|no]", 0, true, AnswerMessageBox},
    {L"exit", L"", 0, false, Exit},
};

int Usage() {
    std::wstring usage = L"usage: petarino-remote";
    for (const Command& command : kCommands) {
        usage += &command == kCommands ? L" " : L" | ";
        usage += command.name;
        if (!command.arguments.empty()) usage += L" " + std::wstring(command.arguments);
    }
    Say(usage);
    return kUsage;
}

} // namespace
} // namespace petarino::remote

int wmain(int argc, wchar_t** argv) {
    using namespace petarino::remote;
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const std::vector<std::wstring> arguments(argv + std::min(argc, 2), argv + argc);
    const std::wstring name = argc >= 2 ? argv[1] : L"";
    for (const Command& command : kCommands) {
        if (command.name != name) continue;
        if (arguments.size() < command.least || (!command.more && arguments.size() > command.least))
            return Usage();
        try {
            return command.run(arguments);
        } catch (const std::exception& error) {
            Say(L"petarino-remote: " + petarino::win32::ToWide(error.what()));
            return kFailed;
        }
    }
    return Usage();
}
