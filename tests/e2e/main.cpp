// The end-to-end tests: the real petarino.exe, named by the last argument, run under Wine and
// driven from outside.
#include "address_recorder.h"
#include "petarino_test.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string_view>

int wmain(int argc, wchar_t** argv) {
    // Run by the shell as the tests' stand-in for a web browser or a mail program.
    if (argc == 4 && std::wstring_view(argv[1]) == petarino::e2e::kRecordAddress)
        return petarino::e2e::RecordAddress(argv[2], argv[3]);
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fputs("usage: e2e_tests [GoogleTest options] PETARINO.EXE\n", stderr);
        return 64;
    }
    petarino::e2e::SetProgramUnderTest(argv[1]);
    return RUN_ALL_TESTS();
}
