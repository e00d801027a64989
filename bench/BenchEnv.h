#ifndef VELMORA_BENCH_BENCHENV_H
#define VELMORA_BENCH_BENCHENV_H

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/Host.h"
#include "shares/SambaShares.h"

// What every benchmark stands on, inside the sandbox (see BenchMain.cpp):
// the generated smb.conf of the size under test at the library's fixed
// path, Samba "installed", the fake rights library granting root, a host
// with libvelmora.so.0 loaded, and the library's exported share functions.
namespace bench {

// The share counts every operation is measured on.
inline constexpr int kSizes[] = {10, 100, 1000, 10000};

// The fastest of a benchmark's repetitions, reported as the statistic
// "min" beside the median: on a shared machine other work only ever adds
// time, so the fastest repetition is the least disturbed one.
inline double fastest(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

// Registers every size of kSizes as an argument of benchmark b. The work
// in this process is timed by its CPU time, which other programs running on
// the machine disturb far less than the wall clock; the benchmarks that wait
// for the disk or another process say how they are timed themselves.
inline void everySize(benchmark::internal::Benchmark* b)
{
    for (int shares : kSizes)
        b->Arg(shares);
    b->ComputeStatistics("min", fastest);
}

// Reports the page faults per iteration of the benchmark it lives in as
// the counter "faults": a parse that makes the allocator give its memory
// back to the system and fault it in again on the next request shows here.
class FaultCounter {
public:
    explicit FaultCounter(benchmark::State& state);
    ~FaultCounter();
    FaultCounter(const FaultCounter&) = delete;
    FaultCounter& operator=(const FaultCounter&) = delete;

private:
    benchmark::State& state_;
    long start_;
};

// Installs Samba's stub and the rights library; false with a reason when the
// library cannot be loaded. Call once, inside the sandbox, before any
// benchmark.
bool prepareEnvironment(std::string& error);

// Makes /etc/samba/smb.conf the generated file of shares shares. Rewrites
// the file only when it may differ from that (another size, or an edit
// benchmark changed it since).
void installSmbConf(int shares);

// Marks the installed file as changed, so that the next installSmbConf
// writes it afresh.
void invalidateSmbConf();

// The generated content of shares shares (made once per size).
const std::string& smbConfText(int shares);

// The host with libvelmora.so.0 loaded and the principal "root" set.
vhost::Host& host();

// The library's exported share functions, looked up with dlsym.
struct ShareFunctions {
    decltype(&::CLIGetSambaShares) getShares = nullptr;
    decltype(&::CLICreateSambaShare) createShare = nullptr;
    decltype(&::CLIModifyKeyValuePair) modifyKeyValue = nullptr;
    decltype(&::CLIDeleteSambaShare) deleteShare = nullptr;
};
const ShareFunctions& shareFunctions();

}  // namespace bench

#endif
