// What the sync engine knows between runs, kept with the program's settings: without it a
// restart would decide differently than the run before would have. The files seen at the
// last look (so a look after a restart opens only what changed), each memo's own file as
// last read or written, when this PC made each version it holds (so both sides of a conflict
// pick the same winner), and the memos here at the last look (so one destroyed before the
// next is noted whenever that is).
#pragma once

#include "sync/version_vector.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace petarino::sync {

enum class SeenKind { Header, Memo, Foreign, Bad };

struct SeenFile {
    std::uint64_t size = 0;
    std::uint64_t modified = 0;
    SeenKind kind = SeenKind::Foreign;
    std::string id;     // a memo file's
    std::string detail; // a header's folder id, a bad file's reason
    bool own = false;   // named after its id
    int badLooks = 0;
    bool told = false;
    // It could not be opened: read again at the next look even when it has not changed.
    bool retry = false;
    friend bool operator==(const SeenFile&, const SeenFile&) = default;
};

// A memo's own file without its values: what decides whether it is news, and who wrote it when.
struct KnownFile {
    VersionVector versions;
    std::string device;
    std::string updated;
    bool deleted = false;
    std::string content;   // ContentFingerprint of its values
    VersionVector written; // as the file gives them
    VersionVector removed;
    friend bool operator==(const KnownFile&, const KnownFile&) = default;
};

// When this PC made a version of a memo: written into the file with it, the same on every PC.
struct Stamp {
    VersionVector versions;
    std::string updated;
    friend bool operator==(const Stamp&, const Stamp&) = default;
};

struct EngineState {
    std::string folderId;                 // of the sync folder all of it is about
    std::map<std::string, SeenFile> seen; // by file name
    std::map<std::string, KnownFile> known;
    std::map<std::string, Stamp> stamps;
    std::map<std::string, VersionVector> present;
    friend bool operator==(const EngineState&, const EngineState&) = default;
};

// Compact JSON; empty when there is nothing to keep.
std::string EngineStateText(const EngineState& state);
// What of the text is sound: anything of another form is dropped, and a file then is read
// again, which costs an opening and never a decision.
EngineState ParseEngineState(std::string_view text);

} // namespace petarino::sync
