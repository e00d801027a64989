// The host's own share of an enumeration, without the provider: one call
// that makes, fills and returns n instances shaped like the provider's
// (a new object path, a new instance on it, the seven properties of a
// share) through the broker's function tables, as the provider's bindings
// do. What enumInstances costs beyond this is the provider's.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchEnv.h"
#include "bench/ConfGenerator.h"
#include "cmpi/cmpift.h"

namespace {

void setText(const CMPIInstance* instance, const char* name, const std::string& text)
{
    instance->ft->setProperty(instance, name, reinterpret_cast<const CMPIValue*>(text.c_str()),
                              CMPI_chars);
}

void setFlag(const CMPIInstance* instance, const char* name, bool flag)
{
    CMPIValue value {};
    value.boolean = flag ? 1 : 0;
    instance->ft->setProperty(instance, name, &value, CMPI_boolean);
}

// One share's instance, made and handed to the result.
void returnShare(const vhost::Host::CallEnv& env, int index)
{
    const std::string name = bench::shareName(index);
    CMPIStatus rc {};
    CMPIObjectPath* path = env.broker->eft->newObjectPath(env.broker, "root/cimv2",
                                                          "QVX_SambaFileShare", &rc);
    CMPIInstance* instance = env.broker->eft->newInstance(env.broker, path, &rc);
    setText(instance, "InstanceID", "Samba:" + name);
    CMPIValue protocol {};
    protocol.sint32 = 3;
    instance->ft->setProperty(instance, "FileSharingProtocol", &protocol, CMPI_sint32);
    setText(instance, "ElementName", name);
    setText(instance, "Comment", "Project share " + std::to_string(index));
    setText(instance, "PathName", "/srv/shares/" + name);
    setFlag(instance, "ReadOnly", index % 2 != 0);
    setFlag(instance, "InheritACLs", index % 5 != 0);
    env.result->ft->returnInstance(env.result, instance);
}

void BM_HostAlone(benchmark::State& state)
{
    const int shares = static_cast<int>(state.range(0));
    const bench::FaultCounter faults(state);
    for (auto _ : state) {
        const vhost::CallResult result = bench::host().call([&](vhost::Host::CallEnv& env) {
            for (int i = 0; i < shares; ++i)
                returnShare(env, i);
            env.result->ft->returnDone(env.result);
            return CMPIStatus{CMPI_RC_OK, nullptr};
        });
        if (result.sequence.size() != static_cast<size_t>(shares) + 1)
            state.SkipWithError("the host did not take every instance");
    }
}

}  // namespace

BENCHMARK(BM_HostAlone)->Apply(bench::everySize)->Unit(benchmark::kMicrosecond);
