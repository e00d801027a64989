// The benchmark binary enters the test sandbox before anything else: the
// library reads and writes the fixed path /etc/samba/smb.conf, and that
// must never be the host's file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/BenchEnv.h"
#include "tests/support/Sandbox.h"

int main(int argc, char** argv)
{
    std::string error;
    if (!sandbox::enter(error)) {
        std::fprintf(stderr, "velmora_bench: cannot enter the sandbox: %s\n", error.c_str());
        return 3;
    }
    if (!bench::prepareEnvironment(error)) {
        std::fprintf(stderr, "velmora_bench: %s\n", error.c_str());
        return 3;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
