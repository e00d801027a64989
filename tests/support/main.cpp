#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/Sandbox.h"

// Every test binary enters its sandbox here, before any test runs, and
// refuses to run at all when that fails: a failed isolation check inside a
// test case would still let the other cases run against the host's files.
// Listing the tests (CTest discovery) touches nothing and needs no sandbox.
int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    if (!listing) {
        std::string error;
        if (!sandbox::enter(error)) {
            std::fprintf(stderr, "velmora tests: cannot enter the sandbox: %s\n", error.c_str());
            return 3;
        }
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
