// Sync through a folder as the tests of several PCs prepare it: a store that syncs from its
// next start, and memo files as other PCs write them, in the program's own file format.
#pragma once

#include <string>

namespace petarino::remote {

// The store syncs through the folder from the next start, as after joining it: the folder and
// its petarino-sync.json are made when missing, the folder's id is taken from it, and this
// PC's device id is kept, or made when the store has none.
void SetSyncFolder(const std::wstring& folder);

// A new memo id, as the program makes one.
std::string NewMemoId();

// A memo file at the path for the memo with the id: a shown memo holding the text, written by
// a PC of its own at its first change of the memo.
void WriteMemoFile(const std::wstring& path, const std::string& id, const std::wstring& text);
// The same as an older Petarino writes it: without the values it did not know, which a PC of
// today fills with its defaults when it takes the memo.
void WriteOlderMemoFile(const std::wstring& path, const std::string& id, const std::wstring& text);

// The PC that wrote the memo file last changes the memo again: its text, or its deletion. The
// file keeps the values it had, and lacks those it lacked.
void EditMemoFile(const std::wstring& path, const std::wstring& text);
void DeleteMemoFile(const std::wstring& path);

} // namespace petarino::remote
