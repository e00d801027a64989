#include "bench/BenchEnv.h"

#include <dlfcn.h>
#include <sys/resource.h>

#include <map>
#include <memory>

#include "bench/ConfGenerator.h"
#include "tests/support/Files.h"

namespace bench {
namespace {

int installedShares = -1;

long minorFaults()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

std::unique_ptr<vhost::Host>& hostSlot()
{
    static std::unique_ptr<vhost::Host> slot;
    return slot;
}

ShareFunctions& functionSlot()
{
    static ShareFunctions functions;
    return functions;
}

template <typename F>
bool bind(void* library, F& slot, const char* name, std::string& error)
{
    slot = reinterpret_cast<F>(dlsym(library, name));
    if (slot == nullptr)
        error = std::string("libvelmora does not export ") + name;
    return slot != nullptr;
}

bool bindShareFunctions(std::string& error)
{
    void* library = dlopen(VELMORA_LIBRARY_PATH, RTLD_NOW);
    if (library == nullptr) {
        error = dlerror();
        return false;
    }
    ShareFunctions& f = functionSlot();
    return bind(library, f.getShares, "CLIGetSambaShares", error) &&
           bind(library, f.createShare, "CLICreateSambaShare", error) &&
           bind(library, f.modifyKeyValue, "CLIModifyKeyValuePair", error) &&
           bind(library, f.deleteShare, "CLIDeleteSambaShare", error);
}

}  // namespace

FaultCounter::FaultCounter(benchmark::State& state) : state_(state), start_(minorFaults()) {}

FaultCounter::~FaultCounter()
{
    state_.counters["faults"] = benchmark::Counter(static_cast<double>(minorFaults() - start_),
                                                   benchmark::Counter::kAvgIterations);
}

bool prepareEnvironment(std::string& error)
{
    testfs::installSmbd();
    testfs::installRights(testfs::Rights::Fake);
    testfs::setFakeRights(0, 0x10);
    hostSlot() = std::make_unique<vhost::Host>(VELMORA_LIBRARY_PATH);
    if (!hostSlot()->load(&error))
        return false;
    hostSlot()->setPrincipal("root");
    return bindShareFunctions(error);
}

const std::string& smbConfText(int shares)
{
    static std::map<int, std::string> texts;
    auto found = texts.find(shares);
    if (found == texts.end())
        found = texts.emplace(shares, generateSmbConf(shares)).first;
    return found->second;
}

void installSmbConf(int shares)
{
    if (installedShares == shares)
        return;
    testfs::writeSmbConf(smbConfText(shares));
    installedShares = shares;
}

void invalidateSmbConf() { installedShares = -1; }

vhost::Host& host() { return *hostSlot(); }

const ShareFunctions& shareFunctions() { return functionSlot(); }

}  // namespace bench
