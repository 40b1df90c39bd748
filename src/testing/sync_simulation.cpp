#include "testing/sync_simulation.h"

#include "platform/fake/fake_files.h"
#include "platform/fake/fake_kernel.h"
#include "platform/fake/fake_registry.h"
#include "platform/registry_value.h"
#include "sync/memo_file.h"
#include "sync/version_vector.h"
#include "testing/faulty_files.h"
#include "testing/synced_pc.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <vector>

namespace petarino {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kConflictPrefix = "競合: ";

std::optional<std::string> BytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names three sync engines give the loser of two writes that did not meet.
std::string ConflictName(std::string_view name, int style, int pc) {
    const std::string stem(name.substr(0, name.size() - 5));
    switch (style) {
    case 0: return stem + " (PC" + std::to_string(pc) + "'s conflicted copy).json";
    case 1: return stem + "-PC" + std::to_string(pc) + ".json";
    default: return stem + ".sync-conflict-20261209-00000" + std::to_string(pc) + ".json";
    }
}

// One of each for every PC, indexed by the PC's number.
template <typename T> struct PerPc : std::vector<T> {
    typename std::vector<T>::reference operator[](int pc) {
        return std::vector<T>::operator[](static_cast<std::size_t>(pc));
    }
};

class World {
public:
    World(std::uint64_t seed, int actions, std::ostream* trace)
        : rng_(seed), crashes_(~seed), actions_(actions), trace_(trace) {
        run_.seed = seed;
        run_.pcs = 2 + static_cast<int>(rng_() % 3);
        for (int pc = 0; pc < run_.pcs; ++pc) {
            disks_.push_back(std::make_unique<platform::FakeFiles>());
            faulty_.push_back(std::make_unique<FaultyFiles>(*disks_.back()));
            faulty_.back()->listingOrder.seed(seed * 8 + static_cast<std::uint64_t>(pc));
            pcs_.push_back(MakeSyncedPc(*faulty_.back(), pc + 1));
            base_.emplace_back();
            away_.push_back(false);
            on_.push_back(false);
        }
        // The first PC makes the sync folder; the engine brings its header to the others.
        disks_[0]->CreateFolder(pcs_[0]->Folder());
        on_[0] = pcs_[0]->Join();
        Upload(0);
        for (int pc = 1; pc < run_.pcs; ++pc) {
            disks_[pc]->CreateFolder(pcs_[pc]->Folder());
            DownloadAll(pc);
            on_[pc] = pcs_[pc]->Join();
        }
    }

    SimulationRun Run() {
        for (int step = 0; step < actions_ && run_.broken.empty(); ++step) {
            step_ = step;
            ++run_.actions;
            if (Chance(35))
                EngineStep();
            else
                UserStep(Pick(run_.pcs));
        }
        if (run_.broken.empty()) Quiesce();
        if (run_.broken.empty()) Check();
        if (trace_)
            for (int pc = 0; pc < run_.pcs; ++pc) {
                Say(pc, "at the end");
                for (const ShownMemo& memo : pcs_[pc]->Memos())
                    *trace_ << "  " << memo.id << ' ' << memo.title << '=' << memo.text << ' '
                            << memo.versions << '\n';
                for (const std::string& text : pcs_[pc]->Told())
                    *trace_ << "  told: " << text << '\n';
                for (const std::string& text : pcs_[pc]->Questions())
                    *trace_ << "  asked: " << text << '\n';
            }
        return run_;
    }

private:
    void Say(int pc, const std::string& what) {
        if (!trace_) return;
        *trace_ << step_ << " PC" << pc + 1 << ": " << what << " |";
        for (const ShownMemo& memo : pcs_[pc]->Memos())
            *trace_ << ' ' << (memo.id.empty() ? "-" : memo.id.substr(32)) << '=' << memo.text;
        *trace_ << '\n';
    }
    bool Chance(int percent) { return static_cast<int>(rng_() % 1000) < percent * 10; }
    int Pick(int count) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(count)); }
    std::string Token() { return "t" + std::to_string(++tokens_); }
    fs::path FolderOf(int pc) { return disks_[pc]->Native(pcs_[pc]->Folder()); }
    void Seconds(int pc, int count) {
        pcs_[pc]->Seconds(count);
        run_.pcSeconds += count;
    }

    // What the folder of a PC holds at its top, as the engine sees it.
    std::map<std::string, std::string> Local(int pc) {
        std::map<std::string, std::string> files;
        if (away_[pc]) return files;
        std::error_code failed;
        for (const auto& entry : fs::directory_iterator(FolderOf(pc), failed))
            if (entry.is_regular_file())
                if (auto bytes = BytesOf(entry.path()))
                    files[entry.path().filename().string()] = std::move(*bytes);
        return files;
    }
    void Place(int pc, const std::string& name, const std::string& bytes) {
        const fs::path path = FolderOf(pc) / name;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        // A stamp of its own for every write the engine makes, years before any write a PC
        // makes now, so no two are ever alike.
        fs::last_write_time(path, firstStamp_ +
                                      fs::file_time_type::duration(++stamps_ * 1'000'000'000LL));
    }

    // What a memo file holds, for the trace: its text, its counters, whether it is deleted.
    static std::string Summary(const std::string& bytes) {
        platform::FakeKernel kernel;
        const sync::MemoFileRead read = sync::ReadMemoFile(bytes, kernel);
        if (read.kind != sync::MemoFileKind::Memo) return {};
        std::string text;
        for (const auto& value : read.memo.values)
            if (value.name == "Text") text = platform::StringOf(value.name, value.value);
        return (read.memo.deleted ? "deleted " : "") + text + ' ' +
               sync::VersionsText(read.memo.versions);
    }

    // The PC's changes go up; two writes that did not meet make a conflict copy or the later
    // one is kept.
    void Upload(int pc) {
        if (away_[pc]) return;
        auto& base = base_[pc];
        const auto local = Local(pc);
        for (const auto& [name, bytes] : local) {
            const auto known = base.find(name);
            if (known != base.end() && known->second == bytes) continue;
            const auto there = server_.find(name);
            const bool unchanged = there == server_.end()
                                       ? known == base.end()
                                       : known != base.end() && known->second == there->second;
            if (trace_)
                *trace_ << "  up from PC" << pc + 1 << ": " << name
                        << (unchanged ? "" : " over another write") << ' ' << Summary(bytes)
                        << '\n';
            if (unchanged || there->second == bytes || Chance(50)) {
                server_[name] = bytes;
                base[name] = bytes;
                continue;
            }
            const std::string copy = ConflictName(name, Pick(3), pc + 1);
            if (trace_) *trace_ << "  conflict copy " << copy << '\n';
            server_[copy] = bytes;
            Place(pc, copy, bytes);
            Place(pc, name, there->second);
            base[copy] = bytes;
            base[name] = there->second;
        }
        for (auto known = base.begin(); known != base.end();) {
            if (local.contains(known->first)) {
                ++known;
                continue;
            }
            if (const auto there = server_.find(known->first);
                there != server_.end() && there->second == known->second)
                server_.erase(there);
            known = base.erase(known);
        }
    }
    // One file comes down, unless the PC changed it meanwhile; now and then half of it first,
    // which the PC may look at.
    void Download(int pc, const std::string& name) {
        if (away_[pc]) return;
        auto& base = base_[pc];
        const auto local = BytesOf(FolderOf(pc) / name);
        const auto known = base.find(name);
        if (local != (known == base.end() ? std::nullopt : std::optional(known->second))) return;
        const auto there = server_.find(name);
        if (there == server_.end()) {
            if (local) fs::remove(FolderOf(pc) / name);
            base.erase(name);
            return;
        }
        if (local == there->second) return;
        if (Chance(5)) {
            Place(pc, name, there->second.substr(0, there->second.size() / 2));
            Seconds(pc, 1 + Pick(3));
        }
        Place(pc, name, there->second);
        base[name] = there->second;
        if (trace_) *trace_ << "  down to PC" << pc + 1 << ": " << name << '\n';
    }
    void DownloadAll(int pc) {
        std::set<std::string> names;
        for (const auto& [name, bytes] : server_)
            names.insert(name);
        for (const auto& [name, bytes] : base_[pc])
            names.insert(name);
        for (const std::string& name : names)
            Download(pc, name);
    }

    void EngineStep() {
        const int pc = Pick(run_.pcs);
        const int what = Pick(100);
        if (trace_ && what >= 80)
            *trace_ << step_ << " engine at PC" << pc + 1 << ": " << what << '\n';
        if (what < 40) return Upload(pc);
        if (what < 80) {
            std::vector<std::string> names;
            for (const auto& [name, bytes] : server_)
                names.push_back(name);
            for (const auto& [name, bytes] : base_[pc])
                names.push_back(name);
            if (names.empty()) return;
            for (int count = 1 + Pick(4); count > 0; --count)
                Download(pc, names[static_cast<std::size_t>(Pick(static_cast<int>(names.size())))]);
            return;
        }
        if (what < 86) return ToggleAway(pc);
        if (what < 91) {
            const auto local = Local(pc);
            if (local.empty()) return;
            auto at = local.begin();
            std::advance(at, Pick(static_cast<int>(local.size())));
            faulty_[pc]->missingFromNextListing.insert(at->first);
            return;
        }
        if (what < 95) {
            if (!faulty_[pc]->refusedReads.empty() || server_.empty()) {
                faulty_[pc]->refusedReads.clear();
                return;
            }
            auto at = server_.begin();
            std::advance(at, Pick(static_cast<int>(server_.size())));
            faulty_[pc]->refusedReads.insert(at->first);
            return;
        }
        if (what < 98) return AddForeign();
        AddNewer();
    }
    void ToggleAway(int pc) {
        const fs::path folder = FolderOf(pc);
        const fs::path aside = folder.string() + "-away";
        if (away_[pc])
            fs::rename(aside, folder);
        else
            fs::rename(folder, aside);
        away_[pc] = !away_[pc];
    }
    // Files that are no memos of this PC's: left alone by every PC, whatever they say.
    void AddForeign() {
        const int which = Pick(3);
        const std::string name =
            which == 0   ? "desktop.ini"
            : which == 1 ? "~$t" + std::to_string(stamps_) + ".tmp"
                         : "notes.sync-conflict-20261209-" + std::to_string(stamps_) + ".json";
        const std::string bytes = which == 2 ? R"({"list": [1, 2]})" : "[.ShellClassInfo]";
        server_[name] = bytes;
        fixed_[name] = bytes;
    }
    void AddNewer() {
        platform::FakeKernel kernel;
        kernel.SetGuidSpace(0xFFF);
        for (int i = 0; i < static_cast<int>(stamps_ % 7); ++i)
            kernel.NewGuid();
        const sync::MemoFile memo{.id = kernel.NewGuid(),
                                  .versions = {{"ffffffff-ffff-4fff-8fff-ffffffffffff", 1}},
                                  .device = "ffffffff-ffff-4fff-8fff-ffffffffffff",
                                  .updated = "2026-12-09T00:00:00Z",
                                  .deleted = false,
                                  .values = {{"Text", platform::WrittenText("新しい版")}}};
        std::string bytes = sync::MemoFileText(memo, kernel);
        bytes.replace(bytes.find("\"version\": 1"), 12, "\"version\": 7");
        server_[memo.id + ".json"] = bytes;
        fixed_[memo.id + ".json"] = bytes;
    }

    void Supersede(const std::string& text) { superseded_.insert(text); }
    void Edit(int pc) {
        const auto memos = pcs_[pc]->Memos();
        if (memos.empty()) return;
        const auto at = static_cast<std::size_t>(Pick(static_cast<int>(memos.size())));
        Supersede(memos[at].text);
        pcs_[pc]->Edit(at, Token());
    }
    // A restore or an import replaces every memo here, and wins over every version of them
    // made before it; so does what the user typed while its question was open. One cut by a
    // crash may have replaced them.
    void Replace(int pc, bool restore) {
        if (!on_[pc] || away_[pc]) return;
        const std::vector<ShownMemo> before = pcs_[pc]->Memos();
        const long tokensBefore = tokens_;
        try {
            if (!(restore ? pcs_[pc]->RestoreBackup()
                          : pcs_[pc]->Import(*pcs_[(pc + 1 + Pick(run_.pcs - 1)) % run_.pcs])))
                return;
        } catch (const platform::SimulatedCrash&) {
            Replaced(pc, before, tokensBefore);
            throw;
        }
        Replaced(pc, before, tokensBefore);
    }
    void Replaced(int pc, const std::vector<ShownMemo>& before, long tokensBefore) {
        for (const ShownMemo& memo : before)
            Supersede(memo.text);
        for (long token = tokensBefore + 1; token <= tokens_; ++token)
            Supersede("t" + std::to_string(token));
        std::set<std::string> brought;
        for (const ShownMemo& memo : pcs_[pc]->Memos())
            brought.insert(memo.id);
        brought_.insert(brought.begin(), brought.end());
        for (const auto& [token, id] : Holders())
            if (brought.contains(id)) Supersede(token);
    }
    // Which memo holds each text, on the PCs, in their folders and in the engine's copy.
    std::multimap<std::string, std::string> Holders() {
        std::multimap<std::string, std::string> holders;
        for (const auto& pc : pcs_)
            for (const ShownMemo& memo : pc->Memos())
                holders.emplace(memo.text, memo.id);
        platform::FakeKernel kernel;
        const auto inFiles = [&](const std::map<std::string, std::string>& files) {
            for (const auto& [name, bytes] : files) {
                const sync::MemoFileRead read = sync::ReadMemoFile(bytes, kernel);
                if (read.kind != sync::MemoFileKind::Memo) continue;
                for (const auto& value : read.memo.values)
                    if (value.name == "Text")
                        holders.emplace(platform::StringOf(value.name, value.value), read.memo.id);
            }
        };
        inFiles(server_);
        for (int pc = 0; pc < run_.pcs; ++pc)
            inFiles(Local(pc));
        return holders;
    }

    bool Create(int pc, std::string_view prefix) {
        const std::string text = Token();
        if (pcs_[pc]->Create(std::string(prefix) + text, text)) return true;
        Supersede(text); // never made
        return false;
    }

    // Now and then the power goes in the middle of what the user does: at a write of a file
    // (between the new file's write and its rename), at any call of a save, or right after.
    // Its own random numbers, so a seed gives the same users and engine with crashes or not.
    void UserStep(int pc) {
        const std::vector<ShownMemo> before = pcs_[pc]->Memos();
        const long tokensBefore = tokens_;
        const int crash = static_cast<int>(crashes_() % 100);
        if (crash == 0) faulty_[pc]->crashAtWrite = 1 + static_cast<int>(crashes_() % 4);
        if (crash == 1) pcs_[pc]->CrashAtStoreCall(1 + static_cast<int>(crashes_() % 3000));
        try {
            Act(pc);
            if (crash == 2) {
                Say(pc, "power off");
                throw platform::SimulatedCrash{};
            }
        } catch (const platform::SimulatedCrash&) {
            pcs_[pc]->Crash();
            Say(pc, "power lost, started again");
            AfterCrash(pc, before, tokensBefore);
        }
        faulty_[pc]->crashAtWrite.reset();
        pcs_[pc]->CrashAtStoreCall(0);
    }
    // What the last save did not hold is gone with the power, unless it had left the PC: a
    // text only here, and a destruction here that no tombstone in a file has seen.
    void AfterCrash(int pc, const std::vector<ShownMemo>& before, long tokensBefore) {
        on_[pc] = pcs_[pc]->SyncOn();
        std::set<std::string> kept;
        for (const auto& [text, id] : Holders())
            kept.insert(text);
        for (const ShownMemo& memo : before)
            if (!kept.contains(memo.text)) Supersede(memo.text);
        for (long token = tokensBefore + 1; token <= tokens_; ++token)
            if (!kept.contains("t" + std::to_string(token))) Supersede("t" + std::to_string(token));
        std::multimap<std::string, sync::VersionVector> tombstones;
        platform::FakeKernel kernel;
        const auto inFiles = [&](const std::map<std::string, std::string>& files) {
            for (const auto& [name, bytes] : files)
                if (const sync::MemoFileRead read = sync::ReadMemoFile(bytes, kernel);
                    read.kind == sync::MemoFileKind::Memo && read.memo.deleted)
                    tombstones.emplace(read.memo.id, read.memo.versions);
        };
        inFiles(server_);
        for (int other = 0; other < run_.pcs; ++other)
            inFiles(Local(other));
        std::erase_if(destroyed_, [&](const auto& gone) {
            const auto destroyed = sync::ParseVersions(gone.second.versions);
            const auto [first, last] = tombstones.equal_range(gone.first);
            return gone.second.pc == pc && std::none_of(first, last, [&](const auto& tombstone) {
                       return destroyed &&
                              sync::Compare(tombstone.second, *destroyed) == sync::Order::After;
                   });
        });
    }

    void Act(int pc) {
        SyncedPc& user = *pcs_[pc];
        const int what = Pick(1000);
        if (what < 150) {
            Create(pc, "T");
            Say(pc, "create");
        } else if (what < 400) {
            Edit(pc);
            Say(pc, "edit");
        } else if (what < 480) {
            const auto memos = user.Memos();
            if (memos.empty()) return;
            const auto at = static_cast<std::size_t>(Pick(static_cast<int>(memos.size())));
            Supersede(memos[at].text);
            // With sync off the PC no longer knows the folder: a memo destroyed then is one
            // the folder may bring back when it joins again.
            if (!memos[at].id.empty() && on_[pc])
                destroyed_[memos[at].id] = {memos[at].text, step_, pc, memos[at].versions};
            user.Destroy(at);
            Say(pc, "destroy " + memos[at].text);
        } else if (what < 740) {
            const int seconds = 1 + Pick(90);
            Seconds(pc, seconds);
            Say(pc, std::to_string(seconds) + " s");
        } else if (what < 790) {
            if (on_[pc]) user.LookNow();
            Say(pc, "look now");
        } else if (what < 830) {
            user.Restart();
            Say(pc, "restart");
        } else if (what < 860) {
            user.KeepBackup();
            Say(pc, "keep a backup");
        } else if (what < 880) {
            Replace(pc, true);
            Say(pc, "restore");
        } else if (what < 890) {
            Replace(pc, false);
            Say(pc, "import");
        } else if (what < 910) {
            if (on_[pc]) user.Stop();
            on_[pc] = false;
            Say(pc, "sync off");
        } else if (what < 940) {
            if (!on_[pc] && !away_[pc]) {
                DownloadAll(pc);
                on_[pc] = user.Join();
                Say(pc, "sync on");
            }
        } else if (what < 970) {
            const bool yes = Chance(60);
            const bool meanwhile = Chance(50);
            user.AnswerNextQuestion(yes, [this, pc, meanwhile] {
                if (meanwhile) Edit(pc);
            });
            Say(pc, std::string("the next question: ") + (yes ? "yes" : "no") +
                        (meanwhile ? ", an edit meanwhile" : ""));
        } else if (what < 990) {
            const int days = Chance(50) ? 1 : -1;
            user.MoveClock(days);
            Say(pc, "clock " + std::to_string(days) + " day");
        } else if (what < 993) {
            while (Create(pc, "F")) {
            }
            Say(pc, "table filled");
        } else {
            Seconds(pc, 1);
        }
    }

    // Everything delivered, every fault gone, sync on everywhere, and every PC looks until
    // nothing changes any more.
    void Quiesce() {
        for (int pc = 0; pc < run_.pcs; ++pc) {
            faulty_[pc]->refusedReads.clear();
            faulty_[pc]->missingFromNextListing.clear();
            if (away_[pc]) ToggleAway(pc);
        }
        for (int pc = 0; pc < run_.pcs; ++pc)
            if (!on_[pc]) {
                Upload(pc);
                DownloadAll(pc);
                on_[pc] = pcs_[pc]->Join();
                Say(pc, "sync on to settle");
            }
        std::vector<std::vector<ShownMemo>> before;
        for (int round = 0; round < 12; ++round) {
            const auto serverBefore = server_;
            for (int pc = 0; pc < run_.pcs; ++pc) {
                Upload(pc);
                for (int other = 0; other < run_.pcs; ++other)
                    DownloadAll(other);
                Seconds(pc, 3);
                pcs_[pc]->LookNow();
                Say(pc, "settling");
                Upload(pc);
            }
            for (int pc = 0; pc < run_.pcs; ++pc)
                DownloadAll(pc);
            std::vector<std::vector<ShownMemo>> now;
            for (const auto& pc : pcs_)
                now.push_back(pc->Memos());
            if (round >= 2 && now == before && server_ == serverBefore) return;
            before = std::move(now);
        }
        run_.broken = "the PCs did not settle";
    }

    void Fail(std::string what) {
        if (run_.broken.empty()) run_.broken = std::move(what);
    }

    void Check() {
        PerPc<std::vector<ShownMemo>> shown;
        bool full = false;
        for (const auto& pc : pcs_) {
            auto memos = pc->Memos();
            std::sort(memos.begin(), memos.end());
            full |= memos.size() >= 101;
            std::set<std::string> ids;
            std::set<std::pair<std::string, std::string>> copies;
            for (const ShownMemo& memo : memos) {
                if (!ids.insert(memo.id).second) Fail("two memos with the id " + memo.id);
                if (memo.title.starts_with(kConflictPrefix) &&
                    !copies.emplace(memo.title, memo.text).second)
                    Fail("two copies of one conflict: " + memo.text);
            }
            shown.push_back(std::move(memos));
        }
        const auto sameValues = [](const std::vector<ShownMemo>& a,
                                   const std::vector<ShownMemo>& b) {
            return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                              [](const ShownMemo& x, const ShownMemo& y) {
                                  return x.id == y.id && x.content == y.content;
                              });
        };
        if (!full)
            for (int pc = 1; pc < run_.pcs; ++pc)
                if (!sameValues(shown[pc], shown[0])) {
                    std::string differ;
                    for (int side : {0, pc})
                        for (const ShownMemo& memo : shown[side])
                            if (std::none_of(
                                    shown[side ? 0 : pc].begin(), shown[side ? 0 : pc].end(),
                                    [&](const ShownMemo& other) {
                                        return other.id == memo.id && other.content == memo.content;
                                    }))
                                differ += " PC" + std::to_string(side + 1) + ":" + memo.id + "=" +
                                          memo.text + memo.versions;
                    Fail("PC " + std::to_string(pc + 1) + " shows other memos than PC 1:" + differ);
                    if (trace_) {
                        platform::FakeKernel kernel;
                        for (const ShownMemo& memo : shown[pc])
                            for (int side = 0; side < run_.pcs; ++side) {
                                const auto bytes = BytesOf(FolderOf(side) / (memo.id + ".json"));
                                const auto read = sync::ReadMemoFile(bytes.value_or(""), kernel);
                                *trace_ << memo.id << " in PC" << side + 1
                                        << "'s folder: " << static_cast<int>(read.kind) << ' '
                                        << sync::VersionsText(read.memo.versions) << ' '
                                        << read.memo.deleted << '\n';
                            }
                    }
                }
        // Every edit is on every PC, or in the folder when a table is full, unless something
        // after it replaced it.
        const auto holders = Holders();
        for (long token = 1; token <= tokens_; ++token) {
            const std::string text = "t" + std::to_string(token);
            if (superseded_.contains(text)) continue;
            if (full ? !holders.contains(text)
                     : std::none_of(shown[0].begin(), shown[0].end(),
                                    [&](const ShownMemo& memo) { return memo.text == text; }))
                Fail("the edit " + text + " is lost");
        }
        // A restore or an import is an edit of every memo it brought: a deletion made apart
        // from it does not win.
        for (const auto& [id, gone] : destroyed_)
            for (const ShownMemo& memo : shown[0])
                if (memo.id == id && memo.text == gone.text && !brought_.contains(id))
                    Fail("the destroyed memo " + gone.text + " is back");
        for (int pc = 0; pc < run_.pcs; ++pc)
            for (const auto& [name, bytes] : fixed_)
                if (BytesOf(FolderOf(pc) / name) != bytes) Fail(name + " was touched");
    }

    struct Gone {
        std::string text;
        long at = 0;
        int pc = 0;
        std::string versions; // of the memo destroyed
    };

    std::mt19937_64 rng_;
    std::mt19937_64 crashes_;
    int actions_;
    std::ostream* trace_;
    SimulationRun run_;
    long step_ = 0;
    long tokens_ = 0;
    long long stamps_ = 0;
    const fs::file_time_type firstStamp_ =
        fs::file_time_type::clock::now() -
        fs::file_time_type::duration(10LL * 365 * 86400 * 1'000'000'000LL);
    PerPc<std::unique_ptr<platform::FakeFiles>> disks_;
    PerPc<std::unique_ptr<FaultyFiles>> faulty_;
    PerPc<std::unique_ptr<SyncedPc>> pcs_;
    PerPc<std::map<std::string, std::string>> base_; // each PC's folder as last in step
    std::map<std::string, std::string> server_;
    PerPc<bool> away_;
    PerPc<bool> on_;
    std::set<std::string> superseded_;
    std::map<std::string, Gone> destroyed_;
    std::set<std::string> brought_; // by a restore or an import
    std::map<std::string, std::string> fixed_;
};

} // namespace

SimulationRun Simulate(std::uint64_t seed, int actions, std::ostream* trace) {
    return World(seed, actions, trace).Run();
}

} // namespace petarino
