#ifndef VELMORA_HOST_HOSTCORE_H
#define VELMORA_HOST_HOSTCORE_H

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "host/CallResult.h"
#include "host/ContextSettings.h"
#include "host/Host.h"
#include "host/MiRegistry.h"
#include "host/ProviderLibrary.h"
#include "host/broker/ArgsObject.h"
#include "host/broker/Arena.h"
#include "host/broker/BrokerState.h"
#include "host/broker/Recorder.h"

namespace vhost {

// What Host does, behind its public face: loading, the factory calls, the
// call arena around every MI call, and the cleanups. See Host.h for the
// rules; this header adds the frame an MI call runs in.
class HostCore {
public:
    // One MI call in progress: its arena, its recorder, the context and
    // result handed in, and helpers that put further inputs into the arena
    // (all Pinned: the provider's release() of them is harmless).
    struct Frame {
        broker::BrokerState& state;
        broker::Arena& arena;
        broker::Recorder& recorder;
        CMPIContext* context;
        CMPIResult* result;

        CMPIObjectPath* pinPath(const ObjectPath& path);
        CMPIInstance* pinInstance(const Instance& instance);
        broker::ArgsObject* pinArgs(const std::vector<std::pair<std::string, Value>>& args);
    };
    using Body = std::function<CMPIStatus(Frame&)>;

    HostCore(std::string libraryPath, Options options);
    ~HostCore();

    bool load(std::string* error);
    CMPIInstanceMI* instanceMI(CMPIStatus* factoryStatus);
    CMPIMethodMI* methodMI(CMPIStatus* factoryStatus);

    // Runs body as one MI call on the live instance (method) MI, obtaining
    // one first when there is none.
    CallResult onInstanceMI(broker::Operation operation, const std::string& nameSpace,
                            const std::function<CMPIStatus(CMPIInstanceMI*, Frame&)>& body);
    CallResult onMethodMI(const std::string& nameSpace, const std::function<CMPIStatus(CMPIMethodMI*, Frame&)>& body);
    // Runs body as one MI call: arena, context, result, status and message.
    CallResult run(broker::Operation operation, const std::string& nameSpace, const Body& body);

    CMPIStatus cleanup(MiRegistry::Kind kind, bool terminating);

    ContextSettings& settings() { return settings_; }
    broker::BrokerState& state() { return state_; }

private:
    template <typename MI, typename Factory>
    MI* callFactory(Factory factory, MiRegistry::Kind kind, CMPIStatus* factoryStatus);
    template <typename MI>
    MI* liveOrNew(MiRegistry::Kind kind, CallResult& refusal);
    CMPIrc callCleanup(const MiRegistry::Record& record, bool terminating);

    // Declared first so that it goes last: a provider's static destructors,
    // run by dlclose, may still release objects it owns.
    broker::BrokerState state_;
    Options options_;
    std::string libraryPath_;
    std::mutex loadMutex_;
    std::string loadError_;
    ProviderLibrary library_;
    std::mutex lazyMutex_;
    MiRegistry mis_;
    ContextSettings settings_;
};

}  // namespace vhost

#endif
