// The three read operations as a CIMOM drives them: through the host, which
// loads libvelmora.so.0 with dlopen and calls the instance MI's function
// table, with the rights check and the Samba check of every request.
#include <benchmark/benchmark.h>

#include "bench/BenchEnv.h"
#include "bench/ConfGenerator.h"

namespace {

vhost::ObjectPath classPath()
{
    return vhost::ObjectPath("root/cimv2", "QVX_SambaFileShare");
}

// A failed or short answer ends the benchmark with an error instead of a
// time that measures something else.
void check(benchmark::State& state, const vhost::CallResult& result, size_t expected)
{
    if (result.rc != CMPI_RC_OK)
        state.SkipWithError(result.statusText().c_str());
    else if (result.sequence.size() != expected)
        state.SkipWithError("unexpected number of returned objects");
}

void BM_EnumInstanceNames(benchmark::State& state)
{
    const int shares = static_cast<int>(state.range(0));
    bench::installSmbConf(shares);
    const vhost::ObjectPath path = classPath();
    const bench::FaultCounter faults(state);
    for (auto _ : state)
        check(state, bench::host().enumInstanceNames(path), static_cast<size_t>(shares) + 1);
}

void BM_EnumInstances(benchmark::State& state)
{
    const int shares = static_cast<int>(state.range(0));
    bench::installSmbConf(shares);
    const vhost::ObjectPath path = classPath();
    const bench::FaultCounter faults(state);
    for (auto _ : state)
        check(state, bench::host().enumInstances(path), static_cast<size_t>(shares) + 1);
}

// The last share: a lookup that has to pass over every other section.
void BM_GetInstance(benchmark::State& state)
{
    const int shares = static_cast<int>(state.range(0));
    bench::installSmbConf(shares);
    vhost::ObjectPath path = classPath();
    path.addKey("InstanceID", vhost::Value::string("Samba:" + bench::shareName(shares - 1)));
    const bench::FaultCounter faults(state);
    for (auto _ : state)
        check(state, bench::host().getInstance(path), 2);
}

}  // namespace

BENCHMARK(BM_EnumInstanceNames)->Apply(bench::everySize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnumInstances)->Apply(bench::everySize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetInstance)->Apply(bench::everySize)->Unit(benchmark::kMicrosecond);
