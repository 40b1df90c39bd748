// The store over the real registry under Wine: what a save leaves, as Wine's own reg.exe
// exports it; what the load makes of a store that reg.exe imported; and two running copies
// saving at once.
#include "platform/fake/fake_registry.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/unique_handle.h"
#include "registry_value_printer.h"
#include "store/store_layout.h"
#include "testing/desk_world.h"

#include <windows.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace petarino {
namespace {

using UniqueHandle = win32::UniqueHandle<HANDLE, CloseHandle>;
// Key path, then value name, then the value as the file writes it.
using RegFile = std::map<std::wstring, std::map<std::wstring, std::wstring>>;

constexpr wchar_t kExportedKey[] = L"HKEY_CURRENT_USER\\Software\\Mivora\\Petarino";
constexpr wchar_t kHeader[] = L"Windows Registry Editor Version 5.00";

void DeleteStore() {
    RegDeleteTreeW(HKEY_CURRENT_USER, win32::ToWide(store::kProgramKey.substr(1)).c_str());
}

std::filesystem::path TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, folder);
    return std::filesystem::path(folder) / name;
}

// Runs reg.exe with the arguments and waits for it; its exit code.
DWORD RunReg(std::wstring arguments) {
    std::wstring commandLine = L"reg.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process))
        return GetLastError();
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle thread(process.hThread);
    WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle.get(), &exitCode);
    return exitCode;
}

std::wstring ReadUtf16(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

void WriteUtf16(const std::filesystem::path& path, const std::wstring& text) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(text.data()),
              static_cast<std::streamsize>(text.size() * sizeof(wchar_t)));
}

// A .reg file as keys with their values; the first line, after the byte-order mark, is the
// header.
RegFile ParseRegFile(const std::wstring& text, std::wstring& header) {
    RegFile file;
    std::wstring key;
    size_t start = 0;
    for (bool first = true; start < text.size(); first = false) {
        size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring line = text.substr(start, end - start);
        start = end + 2;
        if (first) {
            header = line;
        } else if (line.starts_with(L"[")) {
            key = line.substr(1, line.size() - 2);
            file[key];
        } else if (line.starts_with(L"\"")) {
            const size_t nameEnd = line.find(L"\"=");
            file[key][line.substr(1, nameEnd - 1)] = line.substr(nameEnd + 2);
        }
    }
    return file;
}

std::wstring Dword(uint32_t value) {
    wchar_t text[16];
    swprintf(text, 16, L"dword:%08x", value);
    return text;
}

// The store of the three memos below, as a .reg file has it.
RegFile ThreeMemos() {
    const std::wstring program = kExportedKey;
    return {
        {program,
         {{L"MaxForm", Dword(2)},
          {L"Total", Dword(123456)},
          {L"Exec", Dword(42)},
          {L"Saving", Dword(1)},
          {L"SaveTiming", Dword(25)},
          {L"cbText", Dword(1)},
          {L"Alart", Dword(0)},
          {L"HotKeyNewMemo", Dword(0x064E)},
          {L"HotKeyFront", Dword(0)},
          {L"HotKeySearch", Dword(0)}}},
        {program + L"\\Memo0",
         {{L"Top", Dword(20)},
          {L"Left", Dword(10)},
          {L"Width", Dword(300)},
          {L"Height", Dword(120)},
          {L"Title", L"\"日付\""},
          {L"TitleBar", Dword(2)},
          {L"TitleText", Dword(0x80000009)},
          {L"TitleBackGround", Dword(0x80000002)},
          {L"Text", L"\"今年はN#{yyyy#}年\\r\\n\\\"引用\\\" \\\\ ｶﾅ\""},
          {L"WordWrap", Dword(1)},
          {L"Visible", Dword(1)},
          {L"FontName", L"\"ＭＳ Ｐゴシック\""},
          {L"Color", Dword(0x8000000F)},
          {L"FontStyle", Dword(0)},
          {L"FontColor", Dword(0)},
          {L"FontSize", Dword(9)},
          {L"StayOnTop", Dword(0)},
          {L"AlarmAt", L"\"\""},
          {L"AlarmRepeat", Dword(0)},
          {L"AlarmSound", Dword(0)},
          {L"Id", L"\"00000000-0000-4000-8000-000000000001\""}}},
        {program + L"\\Memo1",
         {{L"Top", Dword(400)},
          {L"Left", Dword(0xFFFFFFFB)},
          {L"Width", Dword(265)},
          {L"Height", Dword(113)},
          {L"Title", L"\"隠し\""},
          {L"TitleBar", Dword(2)},
          {L"TitleText", Dword(0x80000009)},
          {L"TitleBackGround", Dword(0x80000002)},
          {L"Text", L"\"\""},
          {L"WordWrap", Dword(1)},
          {L"Visible", Dword(0)},
          {L"FontName", L"\"ＭＳ Ｐゴシック\""},
          {L"Color", Dword(0x8000000F)},
          {L"FontStyle", Dword(0)},
          {L"FontColor", Dword(0)},
          {L"FontSize", Dword(9)},
          {L"StayOnTop", Dword(0)},
          {L"AlarmAt", L"\"\""},
          {L"AlarmRepeat", Dword(0)},
          {L"AlarmSound", Dword(0)},
          {L"Id", L"\"00000000-0000-4000-8000-000000000002\""}}},
        {program + L"\\Memo2",
         {{L"Top", Dword(0)},
          {L"Left", Dword(0)},
          {L"Width", Dword(326)},
          {L"Height", Dword(101)},
          {L"Title", L"\"色とフォント\""},
          {L"TitleBar", Dword(5)},
          {L"TitleText", Dword(0x00FFFF00)},
          {L"TitleBackGround", Dword(0x00008000)},
          {L"Text", L"\"本文\""},
          {L"WordWrap", Dword(0)},
          {L"Visible", Dword(1)},
          {L"FontName", L"\"ＭＳ 明朝\""},
          {L"Color", Dword(0x00FFFFFF)},
          {L"FontStyle", Dword(3)},
          {L"FontColor", Dword(0x000000FF)},
          {L"FontSize", Dword(12)},
          {L"StayOnTop", Dword(1)},
          {L"AlarmAt", L"\"2027-03-01T06:30\""},
          {L"AlarmRepeat", Dword(4)},
          {L"AlarmSound", Dword(1)},
          {L"Id", L"\"00000000-0000-4000-8000-000000000003\""}}},
    };
}

class StoreWin32Test : public ::testing::Test {
protected:
    StoreWin32Test() { DeleteStore(); }
    ~StoreWin32Test() override {
        DeleteStore();
        std::filesystem::remove(file_);
    }

    win32::Win32Registry registry_;
    const std::filesystem::path file_ = TempFile(L"petarino-store-test.reg");
};

// The program as it stands before the save of the three memos: one in macro mode, one
// hidden, one with a font and colours of its own.
void MakeThreeMemos(DeskWorld& run) {
    run.clock.SetTotalAtStart(123456);
    run.clock.CountThisStart(41);
    run.autosave.SetEnabled(true);
    run.autosave.SetPeriod(25);
    run.exitSettings.SetExportAtExit(true);
    Memo& macro = run.CreateMacro("日付", "今年はN#{yyyy#}年\r\n\"引用\" \\ ｶﾅ");
    macro.SetBounds(10, 20, 300, 120);
    run.macro.expander.ExpandMacros(macro, run.clock);
    Memo& hidden = run.Create("隠し");
    hidden.SetBounds(-5, 400, 265, 113);
    hidden.SetVisible(false);
    Memo& styled = run.Create("色とフォント", "本文");
    styled.SetTitleBar(5);
    styled.SetTitleTextColor(0x00FFFF00);
    styled.SetWindowColor(0x00008000);
    styled.SetWordWrap(false);
    styled.SetMemoColor(clWhite);
    Font font;
    font.SetName("ＭＳ 明朝");
    font.style = fsBold | fsItalic;
    font.color = 0x000000FF;
    font.height = -16;
    styled.SetMemoFont(font);
    styled.SetStayOnTop(true);
    styled.SetAlarm({WallMinute{{2027, 3, 1}, 6, 30}, AlarmRepeat::Yearly, true});
    run.hotkeys.SetKey(GlobalHotkey::NewMemo, 0x064E);
}

TEST_F(StoreWin32Test, ASaveOfThreeMemosIsExportedAsTheLayoutHasIt) {
    DeskWorld run(registry_);
    run.store.LoadAtStart();
    MakeThreeMemos(run);
    run.store.SaveDatas();

    ASSERT_EQ(RunReg(L"export HKCU\\Software\\Mivora\\Petarino \"" + file_.wstring() + L"\" /y"),
              0u);
    const std::wstring text = ReadUtf16(file_);
    ASSERT_TRUE(text.starts_with(L"\xFEFF")) << "UTF-16 with its byte-order mark";
    std::wstring header;
    const RegFile exported = ParseRegFile(text.substr(1), header);
    EXPECT_EQ(header, kHeader);
    EXPECT_EQ(exported, ThreeMemos());
}

TEST_F(StoreWin32Test, TheLoadRestoresEveryFieldOfAnImportedStore) {
    std::wstring text = L"\xFEFF" + std::wstring(kHeader) + L"\r\n";
    for (const auto& [key, values] : ThreeMemos()) {
        text += L"\r\n[" + key + L"]\r\n";
        for (const auto& [name, value] : values)
            text += L"\"" + name + L"\"=" + value + L"\r\n";
    }
    WriteUtf16(file_, text);
    ASSERT_EQ(RunReg(L"import \"" + file_.wstring() + L"\""), 0u);

    DeskWorld run(registry_);
    run.store.LoadAtStart();
    EXPECT_TRUE(run.macro.windows.Shown().empty());
    EXPECT_EQ(run.clock.TotalAtStart(), 123456);
    EXPECT_EQ(run.clock.Exec(), 43);
    EXPECT_TRUE(run.autosave.Enabled());
    EXPECT_EQ(run.autosave.Period(), 25);
    EXPECT_TRUE(run.exitSettings.ExportAtExit());
    EXPECT_FALSE(run.exitSettings.AskBeforeExit());
    EXPECT_EQ(run.hotkeys.Key(GlobalHotkey::NewMemo), 0x064E);

    platform::FakeRegistry unused;
    DeskWorld saved(unused);
    MakeThreeMemos(saved);
    saved.store.SaveDatas(); // gives the ids the imported store holds
    ASSERT_EQ(run.table.MaxForm(), saved.table.MaxForm());
    for (int slot = 0; slot <= saved.table.MaxForm(); ++slot) {
        EXPECT_EQ(StoredFields(run.table.Memos(slot)), StoredFields(saved.table.Memos(slot)));
        EXPECT_EQ(run.table.Memos(slot).Tag(), slot);
    }
}

// Two copies save their own memos again and again while a third starts over and over:
// every start sees one copy's store whole, never a mix, and no save or load meets the
// half-written or half-removed keys of another.
TEST_F(StoreWin32Test, TwoCopiesSavingAtOnceNeverInterleave) {
    constexpr int kRounds = 40;
    std::vector<std::string> failures[3];
    const auto saver = [this](const std::string& name, int memos,
                              std::vector<std::string>& failed) {
        DeskWorld run(registry_);
        for (int i = 0; i < memos; ++i)
            run.Create(name + std::to_string(i), name);
        for (int round = 0; round < kRounds; ++round) {
            try {
                run.store.SaveDatas();
            } catch (const std::exception& error) {
                failed.push_back(error.what());
            }
        }
    };
    std::thread first(saver, "A", 3, std::ref(failures[0]));
    std::thread second(saver, "B", 5, std::ref(failures[1]));
    std::thread observer([&] {
        for (int round = 0; round < kRounds; ++round) {
            DeskWorld run(registry_);
            run.store.LoadAtStart();
            std::string titles;
            for (int slot = 0; slot <= run.table.MaxForm(); ++slot)
                titles += run.table.Memos(slot).Hint();
            if (titles != "" && titles != "A0A1A2" && titles != "B0B1B2B3B4")
                failures[2].push_back(titles);
            for (const auto& shown : run.macro.windows.Shown())
                failures[2].push_back(shown.text);
        }
    });
    first.join();
    second.join();
    observer.join();
    for (const auto& failed : failures)
        EXPECT_EQ(failed, std::vector<std::string>{});
}

} // namespace
} // namespace petarino
