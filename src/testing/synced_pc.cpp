#include "testing/synced_pc.h"

#include "memos/sync_mark.h"
#include "sync/memo_values.h"
#include "sync/travelling_values.h"
#include "testing/memo_texts.h"
#include "testing/sync_world.h"

#include <optional>

namespace petarino {
namespace {

// The clock starts at one moment and goes on with the uptime, a day moved either way when
// asked: files of this PC carry its stamps.
platform::LocalTime ClockAt(std::int64_t seconds) {
    // Days since 1970-01-01 to a civil date.
    std::int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const std::int64_t ofDay = seconds - days * 86400;
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    platform::LocalTime t;
    t.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(ofDay / 3600);
    t.minute = static_cast<int>(ofDay / 60 % 60);
    t.second = static_cast<int>(ofDay % 60);
    return t;
}

constexpr std::int64_t kStart = 1'796'774'400; // 2026-12-09 00:00:00

class SyncPcDriver final : public SyncedPc {
public:
    SyncPcDriver(platform::Files& files, int pc) : files_(&files), pc_(pc) { Run(); }

    bool Create(std::string_view title, std::string_view text) override {
        Memo* memo = Pc().world.table.CreateMemo();
        if (!memo) return false;
        memo->SetHint(AsMemoText(title));
        memo->SetText(AsMemoText(text));
        Pc().sync.MemoChanged();
        return true;
    }
    void Edit(std::size_t memo, std::string_view text) override {
        MemoAt(memo).SetText(AsMemoText(text));
        Pc().sync.MemoChanged();
    }
    void Destroy(std::size_t memo) override {
        Memo& gone = MemoAt(memo);
        for (int slot = 0; slot <= Pc().world.table.MaxForm(); ++slot)
            if (&Pc().world.table.Memos(slot) == &gone) return Pc().world.table.DestForm(slot);
    }
    bool Join() override {
        Pc().files.CreateFolder(Folder());
        Pc().sync.Join(Folder());
        return Pc().sync.On();
    }
    void Stop() override { Pc().sync.Stop(); }
    void LookNow() override { Pc().sync.LookNow(); }
    void KeepBackup() override { kept_ = Export("kept"); }
    bool RestoreBackup() override { return kept_ && Pc().world.desk.RestoreBackup(*kept_); }
    bool Import(SyncedPc& from) override {
        const platform::FilePath there = static_cast<SyncPcDriver&>(from).Export("export");
        const platform::FilePath here = Path("brought");
        files_->WriteWhole(here, static_cast<SyncPcDriver&>(from).files_->ReadWhole(
                                     there, platform::kMostBytesRead));
        Pc().world.choosers.AnswerLoad(here);
        return Pc().world.desk.ImportBackup();
    }
    void AnswerNextQuestion(bool yes, std::function<void()> meanwhile) override {
        Pc().world.macro.windows.ScriptAnswer(
            yes ? platform::DialogResult::Yes : platform::DialogResult::No, std::move(meanwhile));
    }

    void Seconds(int count) override {
        for (int i = 0; i < count; ++i) {
            ++seconds_;
            SetClock();
            Pc().Seconds(1);
        }
    }
    void Restart() override {
        Pc().world.desk.CloseQuery();
        Pc().world.desk.Closed();
        Run();
    }
    void Crash() override { Run(); }
    void CrashAtStoreCall(int calls) override {
        if (calls == 0)
            registry_.Restart();
        else
            registry_.StopAtCall(registry_.Calls() + static_cast<std::uint64_t>(calls));
    }
    void MoveClock(int days) override {
        clockDays_ += days;
        SetClock();
    }

    std::vector<ShownMemo> Memos() const override {
        std::vector<ShownMemo> shown;
        for (const Memo* memo : Pc().Memos())
            shown.push_back(
                {memo->Sync().id, AsCp932(memo->Hint()), AsCp932(memo->Text()),
                 sync::ContentFingerprint(sync::MemoKeyValues(*memo, 96, Pc().world.macro.kernel)),
                 memo->Sync().versions});
        return shown;
    }
    bool SyncOn() const override { return Pc().sync.On(); }
    std::vector<std::string> Told() const override {
        std::vector<std::string> told = told_;
        const std::vector<std::string> now = Pc().Told();
        told.insert(told.end(), now.begin(), now.end());
        return told;
    }
    std::vector<std::string> Questions() const override {
        std::vector<std::string> asked = questions_;
        for (const auto& box : Pc().world.macro.windows.Shown())
            asked.push_back(box.text);
        return asked;
    }
    platform::FilePath Folder() override { return Pc().Folder(); }

private:
    SyncPc& Pc() const { return *run_; }
    Memo& MemoAt(std::size_t index) { return const_cast<Memo&>(*Pc().Memos().at(index)); }
    void SetClock() {
        Pc().world.macro.kernel.SetNow(ClockAt(kStart + seconds_ + clockDays_ * 86400));
    }
    // A file of this PC's own beside its folder, named for what it holds.
    platform::FilePath Path(std::string_view what) {
        return files_->InFolder(files_->LocalAppDataFolder(),
                                std::string(what) + "-pc" + std::to_string(pc_) + ".json");
    }
    // The memos written out where the user picks, as "書き出し..." does.
    platform::FilePath Export(std::string_view what) {
        const platform::FilePath path = Path(what);
        Pc().world.choosers.AnswerSave(path);
        Pc().world.desk.ExportBackup();
        return path;
    }
    // The next run of this PC: its own ids, its store as the last run left it.
    void Run() {
        if (run_) Collect();
        ++runs_;
        const auto space = static_cast<std::uint16_t>((pc_ << 10) + runs_);
        run_.reset();
        registry_.Restart();
        run_ = std::make_unique<SyncPc>(*files_, space, &registry_);
        SetClock();
        run_->world.macro.kernel.SetUptimeMilliseconds(1);
        run_->world.desk.Start();
        // The first start's welcome is no notice of sync.
        if (runs_ == 1) run_->world.view.balloons.clear();
    }
    // What the last run told and asked.
    void Collect() {
        const std::vector<std::string> told = run_->Told();
        told_.insert(told_.end(), told.begin(), told.end());
        for (const auto& box : run_->world.macro.windows.Shown())
            questions_.push_back(box.text);
    }

    platform::Files* files_;
    int pc_;
    int runs_ = 0;
    std::int64_t seconds_ = 0;
    int clockDays_ = 0;
    platform::FakeRegistry registry_;
    std::unique_ptr<SyncPc> run_;
    std::optional<platform::FilePath> kept_;
    std::vector<std::string> told_;
    std::vector<std::string> questions_;
};

} // namespace

std::unique_ptr<SyncedPc> MakeSyncedPc(platform::Files& files, int pc) {
    return std::make_unique<SyncPcDriver>(files, pc);
}

} // namespace petarino
