#include "store/backup_folder.h"

#include "macro/date_time.h"
#include "store/backup_file.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace petarino::store {
namespace {

constexpr std::string_view kFolderBelowLocal = "Petarino\\Backups\\";
constexpr std::string_view kPrefix = "petarino-";
constexpr std::string_view kExtension = ".json";
// How each kind marks its file's name, after the time, and its row in the list.
struct KindMarks {
    BackupKind kind;
    std::string_view name;
    std::string_view row;
};
constexpr KindMarks kKindMarks[] = {
    {BackupKind::Automatic, "", ""},
    {BackupKind::BeforeRestore, "-before", "（復元前）"},
    {BackupKind::BeforeSync, "-sync", "（同期前）"},
};

const KindMarks& MarksOf(BackupKind kind) {
    return *std::ranges::find(kKindMarks, kind, &KindMarks::kind);
}

std::string NameOf(const platform::LocalTime& t, BackupKind kind) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", t.year % 10000, t.month, t.day,
                  t.hour, t.minute, t.second);
    return std::string(kPrefix) + stamp + std::string(MarksOf(kind).name) + std::string(kExtension);
}

auto Order(const platform::LocalTime& t) {
    return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

platform::LocalTime NextSecond(platform::LocalTime t) {
    if (++t.second < 60) return t;
    t.second = 0;
    if (++t.minute < 60) return t;
    t.minute = 0;
    if (++t.hour < 24) return t;
    t.hour = 0;
    const CivilDate next = DateFromDayNumber(DayNumber({t.year, t.month, t.day}) + 1);
    t.year = next.year;
    t.month = next.month;
    t.day = next.day;
    return t;
}

std::string RowOf(const BackupName& backup, std::optional<int> memos) {
    const platform::LocalTime& t = backup.time;
    char row[64];
    std::snprintf(row, sizeof row, "%04d/%02d/%02d %02d:%02d:%02d - ", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return row + (memos ? std::to_string(*memos) : std::string("?")) + " 枚" +
           std::string(MarksOf(backup.kind).row);
}

} // namespace

std::optional<BackupName> BackupNameOf(std::string_view name) {
    constexpr size_t kDigitsEnd = kPrefix.size() + 15; // "YYYYMMDD-HHMMSS"
    if (name.size() < kDigitsEnd || !name.starts_with(kPrefix) || name[kPrefix.size() + 8] != '-')
        return std::nullopt;
    const std::string_view rest = name.substr(kDigitsEnd);
    const auto named = std::ranges::find_if(kKindMarks, [&](const KindMarks& marks) {
        return rest.size() == marks.name.size() + kExtension.size() &&
               rest.starts_with(marks.name) && rest.ends_with(kExtension);
    });
    if (named == std::ranges::end(kKindMarks)) return std::nullopt;
    const BackupKind kind = named->kind;
    size_t at = kPrefix.size();
    const auto number = [&](size_t digits) -> std::optional<int> {
        int value = 0;
        for (size_t end = at + digits; at < end; ++at) {
            if (name[at] < '0' || name[at] > '9') return std::nullopt;
            value = value * 10 + (name[at] - '0');
        }
        return value;
    };
    const auto year = number(4), month = number(2), day = number(2);
    ++at;
    const auto hour = number(2), minute = number(2), second = number(2);
    if (!year || !month || !day || !hour || !minute || !second ||
        !CivilDate{*year, *month, *day}.ok() || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return BackupName{.time = {.year = *year,
                               .month = *month,
                               .day = *day,
                               .hour = *hour,
                               .minute = *minute,
                               .second = *second},
                      .kind = kind};
}

platform::FilePath BackupFolder::Folder() {
    return files_.InFolder(files_.LocalAppDataFolder(), kFolderBelowLocal);
}

std::vector<BackupFolder::Named> BackupFolder::Names() {
    std::vector<Named> names;
    for (std::string& name : files_.FileNames(Folder(), kExtension))
        if (const auto backup = BackupNameOf(name))
            names.push_back({std::move(name), backup->time, backup->kind});
    std::ranges::sort(names, [](const Named& a, const Named& b) {
        return std::tuple_cat(Order(a.time), std::tie(a.name)) <
               std::tuple_cat(Order(b.time), std::tie(b.name));
    });
    return names;
}

platform::FilePath BackupFolder::Write(std::string_view text, const platform::LocalTime& at,
                                       BackupKind kind,
                                       const std::optional<platform::FilePath>& spared) {
    files_.CreateFolder(Folder());
    platform::LocalTime time = at;
    // A clock set back must not make the new backup the oldest, the first to be removed.
    if (const std::vector<Named> names = Names();
        !names.empty() && Order(time) <= Order(names.back().time))
        time = NextSecond(names.back().time);
    const platform::FilePath written = files_.InFolder(Folder(), NameOf(time, kind));
    files_.WriteWhole(written, text);

    std::vector<Named> names = Names();
    std::erase_if(names, [&](const Named& named) { return named.kind != kind; });
    for (size_t i = 0; i + kKept < names.size(); ++i) {
        const platform::FilePath path = files_.InFolder(Folder(), names[i].name);
        if (path != written && path != spared) files_.RemoveFile(path);
    }
    return written;
}

std::vector<BackupEntry> BackupFolder::List() {
    std::vector<BackupEntry> entries;
    const std::vector<Named> names = Names();
    for (auto named = names.rbegin(); named != names.rend(); ++named) {
        platform::FilePath path = files_.InFolder(Folder(), named->name);
        std::optional<int> memos;
        try {
            memos = BackupHeaderMemoCount(files_.ReadStart(path, kBackupHeaderBytes));
            if (!memos) memos = BackupMemoCount(files_.ReadWhole(path, platform::kMostBytesRead));
        } catch (const std::exception&) {
            // listed all the same: choosing it tells what is wrong
        }
        entries.push_back({std::move(path), RowOf({named->time, named->kind}, memos)});
    }
    return entries;
}

} // namespace petarino::store
