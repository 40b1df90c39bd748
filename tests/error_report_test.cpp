#include "platform/fake/fake_window_system.h"
#include "store/error_report.h"

#include <gtest/gtest.h>
#include <string>

namespace petarino {
namespace {

std::string Reported(std::string_view message) {
    platform::FakeWindowSystem windows;
    ReportGeneralError(windows, message);
    EXPECT_EQ(windows.Shown().size(), 1u);
    EXPECT_EQ(windows.Shown()[0].caption, "ペタリノ");
    EXPECT_EQ(windows.Shown()[0].style, platform::MessageBoxStyle::IconError);
    return windows.Shown()[0].text;
}

TEST(GeneralErrorReport, AddsAFullStopWhenTheLastCharacterSortsAfterIt) {
    EXPECT_EQ(Reported("'Width' のﾃﾞｰﾀ型が不正です"), "'Width' のﾃﾞｰﾀ型が不正です.");
    EXPECT_EQ(Reported("ｽﾄﾘｰﾑへの書き込みｴﾗｰ"), "ｽﾄﾘｰﾑへの書き込みｴﾗｰ.");
    EXPECT_EQ(Reported("終わり。"), "終わり。.");
    EXPECT_EQ(Reported("Error"), "Error.");
    EXPECT_EQ(Reported("Error 7"), "Error 7.");
    EXPECT_EQ(Reported("a/"), "a/.");
}

TEST(GeneralErrorReport, KeepsAMessageEndingAtOrBeforeAFullStop) {
    EXPECT_EQ(Reported("Done."), "Done.");
    EXPECT_EQ(Reported("Stop!"), "Stop!");
    EXPECT_EQ(Reported("(x)"), "(x)");
    EXPECT_EQ(Reported("a-"), "a-");
    EXPECT_EQ(Reported("line\r\n"), "line\r\n");
    EXPECT_EQ(Reported(""), "");
}

} // namespace
} // namespace petarino
