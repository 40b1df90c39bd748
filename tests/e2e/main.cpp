// The end-to-end tests: the real petarino.exe, named by the last argument, run under Wine and
// driven from outside.
#include "petarino_test.h"

#include <cstdio>
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fputs("usage: e2e_tests [GoogleTest options] PETARINO.EXE\n", stderr);
        return 64;
    }
    petarino::e2e::SetProgramUnderTest(argv[1]);
    return RUN_ALL_TESTS();
}
