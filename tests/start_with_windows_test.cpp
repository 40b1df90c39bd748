// Whether Windows starts the program at sign-in: what the box shows, what a click writes, and
// the value that follows a program unpacked elsewhere.
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "store/start_with_windows.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace petarino::store {
namespace {

constexpr char kRun[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kApproved[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

platform::RegistryValue Approved(char first) {
    std::string data(12, '\0');
    data[0] = first;
    return {platform::RegistryType::Binary, data};
}

struct StartWithWindowsTest : ::testing::Test {
    std::optional<std::u16string> Run() {
        const auto access = registry.Access();
        return access->OpenKey(kRun, false) ? access->FindWideString("Petarino") : std::nullopt;
    }
    void SetRun(std::u16string_view value) {
        const auto access = registry.Access();
        access->OpenKey(kRun, true);
        access->WriteWideString("Petarino", value);
    }
    std::u16string Quoted(const platform::FilePath& path) { return u"\"" + path.units + u"\""; }

    platform::FakeRegistry registry;
    platform::FakeFiles files;
    StartWithWindows start{registry, files};
};

TEST(StartWithWindowsValue, TheProgramIsTheQuotedPathOrTheTextUpToItsExe) {
    const struct {
        std::u16string_view value;
        std::u16string_view program;
    } rows[] = {
        {u"\"C:\\Program Files\\ペタリノ\\petarino.exe\" --min",
         u"C:\\Program Files\\ペタリノ\\petarino.exe"},
        {u"C:\\Tools\\Petarino.EXE /background", u"C:\\Tools\\Petarino.EXE"},
        {u"\"C:\\unterminated", u"C:\\unterminated"},
        {u"C:\\no extension", u"C:\\no extension"},
        {u"", u""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ProgramOfRunValue(row.value), row.program);
}

// The box shows what Windows will do: Task Manager's "off" wins over the Run value.
TEST_F(StartWithWindowsTest, OnWhenTheRunValueIsThereAndTaskManagerHasNotTurnedItOff) {
    const struct {
        const char* what;
        bool run;
        std::optional<platform::RegistryValue> approved;
        bool on;
    } rows[] = {
        {"nothing", false, std::nullopt, false},
        {"the Run value", true, std::nullopt, true},
        {"turned on in Task Manager", true, Approved(2), true},
        {"turned off in Task Manager", true, Approved(3), false},
        {"turned off, but no Run value", false, Approved(3), false},
        {"an empty approval", true, platform::RegistryValue{platform::RegistryType::Binary, ""},
         true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        registry.Access()->DeleteKeyTree("\\Software");
        if (row.run) SetRun(u"\"C:\\petarino.exe\"");
        if (row.approved) registry.SetValue(kApproved, "Petarino", *row.approved);
        EXPECT_EQ(start.On(), row.on);
    }
}

TEST_F(StartWithWindowsTest, CheckedWritesThisProgramQuotedAndTurnsTaskManagersOffOn) {
    registry.SetValue(kApproved, "Petarino", Approved(3));
    start.Set(true);
    EXPECT_EQ(Run(), Quoted(files.ProgramFile()));
    EXPECT_EQ(registry.Value(kApproved, "Petarino"), Approved(2));
    EXPECT_TRUE(start.On());

    start.Set(false);
    EXPECT_EQ(Run(), std::nullopt);
    EXPECT_FALSE(start.On());
    start.Set(false);
    EXPECT_FALSE(start.On()) << "nothing to remove is no failure";
}

TEST_F(StartWithWindowsTest, AValueNamingAProgramNoLongerThereFollowsThisOne) {
    const platform::FilePath other = files.InFolder(files.ProgramFolder(), "copy.exe");
    files.WriteWhole(other, "MZ");
    const struct {
        const char* what;
        std::optional<std::u16string> before;
        std::optional<std::u16string> after;
    } rows[] = {
        {"none", std::nullopt, std::nullopt},
        {"the program moved", u"\"C:\\gone\\petarino.exe\"", Quoted(files.ProgramFile())},
        {"another copy that exists", Quoted(other), Quoted(other)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        registry.Access()->DeleteKeyTree("\\Software");
        if (row.before) SetRun(*row.before);
        start.FollowMovedProgram();
        EXPECT_EQ(Run(), row.after);
    }
}

} // namespace
} // namespace petarino::store
