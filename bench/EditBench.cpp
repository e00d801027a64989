// The editing share functions on each size: every call takes the edit lock,
// parses the file, copies it to the backup with /bin/cp and replaces it
// atomically, so they are timed by the wall clock. Restoring the file
// between calls is not timed.
#include <benchmark/benchmark.h>

#include "bench/BenchEnv.h"
#include "bench/ConfGenerator.h"
#include "common/Paths.h"

namespace {

// Puts the generated file back, outside the timed region.
void restore(benchmark::State& state, int shares)
{
    state.PauseTiming();
    bench::invalidateSmbConf();
    bench::installSmbConf(shares);
    state.ResumeTiming();
}

void expectSuccess(benchmark::State& state, int result, const char* what)
{
    if (result != 0)
        state.SkipWithError(what);
}

// A new share on the directory that holds smb.conf: it exists, and the
// edit only examines it.
void BM_CreateShare(benchmark::State& state)
{
    const int shares = static_cast<int>(state.range(0));
    bench::installSmbConf(shares);
    for (auto _ : state) {
        const int result = bench::shareFunctions().createShare("benchnew", velmora::kSmbConfDir,
                                                               "Created by the benchmark");
        expectSuccess(state, result, "CLICreateSambaShare failed");
        restore(state, shares);
    }
}

// The last share's "read only" flips on every call, so that every call
// rewrites the file.
void BM_ModifyShare(benchmark::State& state)
{
    const int shares = static_cast<int>(state.range(0));
    bench::installSmbConf(shares);
    const std::string name = bench::shareName(shares - 1);
    bool readOnly = (shares - 1) % 2 == 0;  // the generated value; flipped below
    for (auto _ : state) {
        readOnly = !readOnly;
        const int result = bench::shareFunctions().modifyKeyValue(name.c_str(), "read only",
                                                                  readOnly ? "yes" : "no");
        expectSuccess(state, result, "CLIModifyKeyValuePair failed");
    }
    bench::invalidateSmbConf();
}

void BM_DeleteShare(benchmark::State& state)
{
    const int shares = static_cast<int>(state.range(0));
    bench::installSmbConf(shares);
    const std::string name = bench::shareName(shares - 1);
    for (auto _ : state) {
        expectSuccess(state, bench::shareFunctions().deleteShare(name.c_str()),
                      "CLIDeleteSambaShare failed");
        restore(state, shares);
    }
}

}  // namespace

BENCHMARK(BM_CreateShare)->Apply(bench::everySize)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ModifyShare)->Apply(bench::everySize)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteShare)->Apply(bench::everySize)->UseRealTime()->Unit(benchmark::kMicrosecond);
