// Samba's own parser as the yardstick: one whole `testparm -s` run on the
// same file, as an administrator would check it. Each run is a new process,
// so the benchmark takes single runs and reports their median, each timed
// by the CPU time of the testparm process (user and system, from wait4),
// like the work in this process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchEnv.h"
#include "common/Paths.h"

extern char** environ;

namespace {

// This process's environment without GLIBC_TUNABLES: the allocator
// settings scripts/bench gives the benchmark process are for the library,
// and Samba's own program runs as it would anywhere.
std::vector<char*> testparmEnvironment()
{
    std::vector<char*> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "GLIBC_TUNABLES=", 15) != 0)
            entries.push_back(*entry);
    }
    entries.push_back(nullptr);
    return entries;
}

// Runs testparm -s on smb.conf with every stream on /dev/null; its exit
// status, or -1 when it could not be started. seconds gets the CPU time the
// run took.
int runTestparm(double& seconds)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    char program[] = "testparm";
    char option[] = "-s";
    std::string file = velmora::kSmbConfPath;
    char* argv[] = {program, option, file.data(), nullptr};
    pid_t pid = -1;
    std::vector<char*> environment = testparmEnvironment();
    const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid)
        return -1;
    seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
              static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_Testparm(benchmark::State& state)
{
    bench::installSmbConf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        double seconds = 0;
        if (runTestparm(seconds) != 0)
            state.SkipWithError("testparm -s failed or is not installed");
        state.SetIterationTime(seconds);
    }
}

}  // namespace

BENCHMARK(BM_Testparm)
    ->Apply(bench::everySize)
    ->Iterations(1)
    ->Repetitions(7)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
