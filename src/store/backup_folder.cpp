#include "store/backup_folder.h"

#include "macro/date_time.h"
#include "store/backup_file.h"

#include <algorithm>
#include <cstdio>

namespace petarino::store {
namespace {

constexpr std::string_view kFolderBelowLocal = "Petarino\\Backups\\";
constexpr std::string_view kExtension = ".json";

std::string NameOf(const platform::LocalTime& t) {
    char name[40];
    std::snprintf(name, sizeof name, "petarino-%04d%02d%02d-%02d%02d%02d.json", t.year % 10000,
                  t.month, t.day, t.hour, t.minute, t.second);
    return name;
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

std::string RowOf(const platform::LocalTime& t, std::optional<int> memos) {
    char row[64];
    std::snprintf(row, sizeof row, "%04d/%02d/%02d %02d:%02d:%02d - ", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return row + (memos ? std::to_string(*memos) : std::string("?")) + " 枚";
}

} // namespace

std::optional<platform::LocalTime> BackupTimeOf(std::string_view name) {
    constexpr std::string_view kPrefix = "petarino-";
    constexpr size_t kDigitsEnd = kPrefix.size() + 15; // "YYYYMMDD-HHMMSS"
    if (name.size() != kDigitsEnd + kExtension.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kExtension) || name[kPrefix.size() + 8] != '-')
        return std::nullopt;
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
    return platform::LocalTime{.year = *year,
                               .month = *month,
                               .day = *day,
                               .hour = *hour,
                               .minute = *minute,
                               .second = *second};
}

platform::FilePath BackupFolder::Folder() {
    return files_.InFolder(files_.LocalAppDataFolder(), kFolderBelowLocal);
}

std::vector<std::string> BackupFolder::Names() {
    std::vector<std::string> names = files_.FileNames(Folder(), kExtension);
    std::erase_if(names, [](const std::string& name) { return !BackupTimeOf(name); });
    std::ranges::sort(names); // the names sort as their times
    return names;
}

platform::FilePath BackupFolder::Write(std::string_view text, const platform::LocalTime& at) {
    files_.CreateFolder(Folder());
    const std::vector<std::string> taken = Names();
    platform::LocalTime time = at;
    while (std::ranges::binary_search(taken, NameOf(time)))
        time = NextSecond(time);
    const platform::FilePath path = files_.InFolder(Folder(), NameOf(time));
    files_.WriteWhole(path, text);

    std::vector<std::string> names = Names();
    for (size_t i = 0; i + kKept < names.size(); ++i)
        files_.RemoveFile(files_.InFolder(Folder(), names[i]));
    return path;
}

std::vector<BackupEntry> BackupFolder::List() {
    std::vector<BackupEntry> entries;
    const std::vector<std::string> names = Names();
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        platform::FilePath path = files_.InFolder(Folder(), *name);
        std::optional<int> memos;
        try {
            memos = BackupMemoCount(files_.ReadWhole(path, platform::kMostBytesRead));
        } catch (const std::exception&) {
            // listed all the same: choosing it tells what is wrong
        }
        entries.push_back({std::move(path), RowOf(*BackupTimeOf(*name), memos)});
    }
    return entries;
}

} // namespace petarino::store
