// Test entry point. Under Wine the tests mean nothing unless the ANSI code
// page is 932, so a wrong environment stops the run at once.
#include <gtest/gtest.h>

#include <stdio.h>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    if (GetACP() != 932) {
        fprintf(stderr, "FATAL: ANSI code page is %u, not 932; run under LANG=ja_JP.UTF-8\n",
                GetACP());
        return 3;
    }
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
