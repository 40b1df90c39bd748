#include "store/export_name.h"

#include <gtest/gtest.h>
#include <string>

namespace petarino::store {
namespace {

TEST(ExportNameTest, PlainFilesOfTheFolderAndOfItsSubfoldersPass) {
    for (const std::string name :
         {"無題.txt", ".txt", "..txt", "...txt", "a..b.txt", "sub\\memo.txt", "sub/memo.txt",
          "a\\b\\c.txt",
          // ソ and 表 end in 5C, ポ in 7C: second bytes, not separators or bars.
          "ソ表.txt", "ポ.txt", "表..\\x.txt", "\x83/x.txt",
          // Names that only look like devices.
          "CONSOLE.txt", "COM10.txt", "LPT.txt", "COMA.txt", "NULL.txt", "xCON.txt",
          "sub\\CONx.txt", "ＣＯＮ.txt"})
        EXPECT_TRUE(NamesFileInFolder(name)) << name;
}

TEST(ExportNameTest, WaysOutOfTheFolderAreRefused) {
    for (const std::string name :
         {"..\\..\\x.txt", "..\\x.txt", "../x.txt", "sub\\..\\..\\x.txt", "ソ\\..\\x.txt",
          ".\\x.txt", "...\\x.txt", "sub\\.. \\x.txt", "C:\\x.txt", "C:x.txt", "c:/x.txt",
          "\\x.txt", "/x.txt", "\\\\server\\share\\x.txt", "//server/share/x.txt",
          "\\\\?\\C:\\x.txt", "\\\\.\\COM1", "sub\\\\x.txt"})
        EXPECT_FALSE(NamesFileInFolder(name)) << name;
}

TEST(ExportNameTest, StreamsAndCharactersNoFileNameHoldsAreRefused) {
    for (const std::string& name : std::initializer_list<std::string>{
             "a:b.txt", "a::$DATA.txt", "a?b.txt", "a*b.txt", "a<b.txt", "a>b.txt", "a\"b.txt",
             "a|b.txt", "a\tb.txt", "\x83:x.txt", std::string("a\0b.txt", 7)})
        EXPECT_FALSE(NamesFileInFolder(name)) << name;
}

TEST(ExportNameTest, DevicesAreRefusedInAnyFolderCaseAndExtension) {
    for (const std::string name :
         {"CON.txt",    "con.txt",     "Nul.txt",      "PRN.txt",    "AUX.txt",
          "COM1.txt",   "com9.txt",    "COM0.txt",     "LPT1.txt",   "lpt9.txt",
          "CONIN$.txt", "conout$.txt", "CLOCK$.txt",   "CON .txt",   "CON   .txt",
          "CON. .txt",  "CON.log.txt", "sub\\NUL.txt", "NUL\\x.txt", "a/aux/x.txt"})
        EXPECT_FALSE(NamesFileInFolder(name)) << name;
}

} // namespace
} // namespace petarino::store
