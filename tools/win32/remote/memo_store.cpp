#include "memo_store.h"

#include "registry_values.h"

#include <stdexcept>

namespace petarino::remote {
namespace {

std::string Ascii(const wchar_t* name) {
    std::string ascii;
    for (const wchar_t* c = name; *c; ++c)
        ascii += static_cast<char>(*c);
    return ascii;
}

DWORD Number(const std::wstring& key, const wchar_t* name) {
    if (auto value = ReadNumber(key, name)) return *value;
    throw std::runtime_error("no number " + Ascii(name) + " in the store");
}

int Signed(const std::wstring& key, const wchar_t* name) {
    return static_cast<int>(Number(key, name));
}

bool Flag(const std::wstring& key, const wchar_t* name) {
    return Number(key, name) != 0;
}

std::wstring Text(const std::wstring& key, const wchar_t* name) {
    if (auto value = ReadText(key, name)) return *value;
    throw std::runtime_error("no text " + Ascii(name) + " in the store");
}

void WriteSigned(const std::wstring& key, const wchar_t* name, int value) {
    WriteNumber(key, name, static_cast<DWORD>(value));
}

} // namespace

std::wstring MemoKey(int slot) {
    return kProgramKey + L"\\Memo" + std::to_wstring(slot);
}

void DeleteStore() {
    DeleteKeyTree(kProgramKey);
}

void WriteStore(const StoredSettings& settings, const std::vector<StoredMemo>& memos) {
    DeleteStore();
    WriteSigned(kProgramKey, L"MaxForm", static_cast<int>(memos.size()) - 1);
    WriteSigned(kProgramKey, L"Total", settings.total);
    WriteSigned(kProgramKey, L"Exec", settings.exec);
    WriteNumber(kProgramKey, L"Saving", settings.saving);
    WriteSigned(kProgramKey, L"SaveTiming", settings.saveTiming);
    WriteNumber(kProgramKey, L"cbText", settings.exportText);
    WriteNumber(kProgramKey, L"Alart", settings.confirmExit);
    for (size_t slot = 0; slot < memos.size(); ++slot) {
        const StoredMemo& memo = memos[slot];
        const std::wstring key = MemoKey(static_cast<int>(slot));
        WriteSigned(key, L"Top", memo.top);
        WriteSigned(key, L"Left", memo.left);
        WriteSigned(key, L"Width", memo.width);
        WriteSigned(key, L"Height", memo.height);
        WriteText(key, L"Title", memo.title);
        WriteSigned(key, L"TitleBar", memo.titleBar);
        WriteNumber(key, L"TitleText", memo.titleText);
        WriteNumber(key, L"TitleBackGround", memo.titleBackground);
        WriteText(key, L"Text", memo.text);
        WriteNumber(key, L"WordWrap", memo.wordWrap);
        WriteNumber(key, L"Visible", memo.visible);
        WriteText(key, L"FontName", memo.fontName);
        WriteNumber(key, L"Color", memo.color);
        WriteSigned(key, L"FontStyle", memo.fontStyle);
        WriteNumber(key, L"FontColor", memo.fontColor);
        WriteSigned(key, L"FontSize", memo.fontSize);
    }
}

std::optional<StoredSettings> ReadSettings() {
    if (!KeyExists(kProgramKey)) return {};
    return StoredSettings{.total = Signed(kProgramKey, L"Total"),
                          .exec = Signed(kProgramKey, L"Exec"),
                          .saving = Flag(kProgramKey, L"Saving"),
                          .saveTiming = Signed(kProgramKey, L"SaveTiming"),
                          .exportText = Flag(kProgramKey, L"cbText"),
                          .confirmExit = Flag(kProgramKey, L"Alart")};
}

std::optional<int> ReadMaxForm() {
    if (!KeyExists(kProgramKey)) return {};
    return Signed(kProgramKey, L"MaxForm");
}

std::optional<StoredMemo> ReadMemo(int slot) {
    const std::wstring key = MemoKey(slot);
    if (!KeyExists(key)) return {};
    return StoredMemo{.top = Signed(key, L"Top"),
                      .left = Signed(key, L"Left"),
                      .width = Signed(key, L"Width"),
                      .height = Signed(key, L"Height"),
                      .title = Text(key, L"Title"),
                      .titleBar = Signed(key, L"TitleBar"),
                      .titleText = Number(key, L"TitleText"),
                      .titleBackground = Number(key, L"TitleBackGround"),
                      .text = Text(key, L"Text"),
                      .wordWrap = Flag(key, L"WordWrap"),
                      .visible = Flag(key, L"Visible"),
                      .fontName = Text(key, L"FontName"),
                      .color = Number(key, L"Color"),
                      .fontStyle = Signed(key, L"FontStyle"),
                      .fontColor = Number(key, L"FontColor"),
                      .fontSize = Signed(key, L"FontSize")};
}

} // namespace petarino::remote
