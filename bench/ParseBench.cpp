// The parse itself: the floor (reading the file and cutting it at line
// feeds, nothing else), SambaConfFile::Init with the model released as a
// request releases it (and once without timing the release), and the
// exported enumeration CLIGetSambaShares with a handler that only counts.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/BenchEnv.h"
#include "common/Paths.h"
#include "smbconf/SambaConfFile.h"

namespace {

// The floor: the whole file read into one buffer sized by fstat (not
// cleared first), then cut at every line feed with memchr into views of its
// lines. No parser that hands out the lines can do less.
struct Floor {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    std::vector<std::string_view> lines;
};

bool readWhole(const char* path, Floor& floor)
{
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    fstat(fd, &st);
    const size_t capacity = static_cast<size_t>(st.st_size);
    floor.bytes.reset(new char[capacity]);
    ssize_t got = 0;
    while (floor.size < capacity &&
           (got = read(fd, floor.bytes.get() + floor.size, capacity - floor.size)) > 0)
        floor.size += static_cast<size_t>(got);
    close(fd);
    return floor.size == capacity;
}

void splitLines(Floor& floor)
{
    const char* cursor = floor.bytes.get();
    const char* end = cursor + floor.size;
    while (cursor < end) {
        const void* found = std::memchr(cursor, '\n', static_cast<size_t>(end - cursor));
        const char* stop = found != nullptr ? static_cast<const char*>(found) : end;
        floor.lines.emplace_back(cursor, static_cast<size_t>(stop - cursor));
        cursor = stop + 1;
    }
}

void BM_Floor(benchmark::State& state)
{
    bench::installSmbConf(static_cast<int>(state.range(0)));
    const bench::FaultCounter faults(state);
    for (auto _ : state) {
        Floor floor;
        if (!readWhole(velmora::kSmbConfPath, floor))
            state.SkipWithError("cannot read smb.conf");
        splitLines(floor);
        benchmark::DoNotOptimize(floor.lines.data());
    }
}

// A model built, Init(), and released: one parse as a request pays for it.
void BM_Init(benchmark::State& state)
{
    bench::installSmbConf(static_cast<int>(state.range(0)));
    const bench::FaultCounter faults(state);
    for (auto _ : state) {
        SambaConfFile conf;
        benchmark::DoNotOptimize(conf.Init());
        benchmark::DoNotOptimize(conf.sections.size());
    }
}

// Init alone: the model is released outside the timing, which shows how much
// of a request's parse is spent giving the model's memory back.
void BM_InitUnreleased(benchmark::State& state)
{
    bench::installSmbConf(static_cast<int>(state.range(0)));
    const bench::FaultCounter faults(state);
    for (auto _ : state) {
        auto conf = std::make_unique<SambaConfFile>();
        benchmark::DoNotOptimize(conf->Init());
        state.PauseTiming();
        conf.reset();
        state.ResumeTiming();
    }
}

int countShare(const char* /*shareName*/, void* context)
{
    ++*static_cast<size_t*>(context);
    return 0;
}

void BM_CLIGetSambaShares(benchmark::State& state)
{
    const int shares = static_cast<int>(state.range(0));
    bench::installSmbConf(shares);
    const bench::FaultCounter faults(state);
    for (auto _ : state) {
        size_t count = 0;
        bench::shareFunctions().getShares(countShare, &count);
        if (count != static_cast<size_t>(shares))
            state.SkipWithError("CLIGetSambaShares missed shares");
    }
}

}  // namespace

BENCHMARK(BM_Floor)->Apply(bench::everySize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Init)->Apply(bench::everySize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InitUnreleased)->Apply(bench::everySize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CLIGetSambaShares)->Apply(bench::everySize)->Unit(benchmark::kMicrosecond);
