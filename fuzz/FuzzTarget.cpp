#include "fuzz/FuzzTarget.h"

#include <cstdio>
#include <cstdlib>

#include "fuzz/FuzzEnvironment.h"
#include "tests/support/Sandbox.h"

namespace fuzztarget {

void Enter()
{
    std::string error;
    if (!sandbox::enter(error)) {
        std::fprintf(stderr, "velmora fuzz: cannot enter the sandbox: %s\n", error.c_str());
        std::exit(3);
    }
    fuzzenv::Prepare();
}

void Require(const std::string& failure)
{
    if (failure.empty())
        return;
    std::fprintf(stderr, "velmora fuzz: %s\n", failure.c_str());
    std::abort();
}

}  // namespace fuzztarget
