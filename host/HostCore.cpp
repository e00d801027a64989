#include "host/HostCore.h"

#include <type_traits>

#include "host/RcNames.h"
#include "host/broker/ContextObject.h"
#include "host/broker/InstanceObject.h"
#include "host/broker/ObjectPathObject.h"
#include "host/broker/ResultObject.h"
#include "host/broker/Status.h"
#include "host/broker/StringObject.h"

namespace vhost {
namespace {

// The text of status.msg, read while the call's arena is still open.
std::optional<std::string> messageOf(const CMPIString* msg)
{
    if (msg == nullptr)
        return std::nullopt;
    const auto* text = broker::find<broker::StringObject>(msg);
    if (text == nullptr)
        return std::string("(status.msg is not a live CMPIString of this broker)");
    return text->text().value_or("");
}

const char* kindText(MiRegistry::Kind kind)
{
    return kind == MiRegistry::Kind::Instance ? "instance" : "method";
}

}  // namespace

CMPIObjectPath* HostCore::Frame::pinPath(const ObjectPath& path)
{
    return state.pin(arena, broker::ObjectPathObject::fromModel(state, path))->cmpi();
}

CMPIInstance* HostCore::Frame::pinInstance(const Instance& instance)
{
    return state.pin(arena, broker::InstanceObject::fromModel(state, instance))->cmpi();
}

broker::ArgsObject* HostCore::Frame::pinArgs(const std::vector<std::pair<std::string, Value>>& args)
{
    auto object = std::make_unique<broker::ArgsObject>(state);
    object->args = broker::NamedValues::fromModel(state, args);
    return state.pin(arena, std::move(object));
}

HostCore::HostCore(std::string libraryPath, Options options)
    : state_(options.sparse), options_(std::move(options)), libraryPath_(std::move(libraryPath))
{
}

HostCore::~HostCore()
{
    for (const MiRegistry::Record& record : mis_.live())
        callCleanup(record, true);
}

bool HostCore::load(std::string* error)
{
    std::lock_guard<std::mutex> lock(loadMutex_);
    if (!library_.isOpen() && !library_.open(libraryPath_, options_.providerName, options_.strict, loadError_)) {
        if (error != nullptr)
            *error = loadError_;
        return false;
    }
    return true;
}

template <typename MI, typename Factory>
MI* HostCore::callFactory(Factory factory, MiRegistry::Kind kind, CMPIStatus* factoryStatus)
{
    CMPIStatus rc = {CMPI_RC_OK, nullptr};
    MI* mi = nullptr;
    {
        broker::Arena arena(state_);
        auto* context = state_.pin(arena, std::make_unique<broker::ContextObject>(state_));
        try {
            mi = factory(state_.broker(), context->cmpi(), &rc);
        } catch (...) {
            mi = nullptr;
            rc.rc = CMPI_RC_ERR_FAILED;
        }
    }
    if (factoryStatus != nullptr)
        *factoryStatus = CMPIStatus{rc.rc, nullptr};
    if (mi == nullptr || rc.rc != CMPI_RC_OK)
        return nullptr;  // refused: never called again, never cleaned up
    mis_.add(kind, mi);
    return mi;
}

CMPIInstanceMI* HostCore::instanceMI(CMPIStatus* factoryStatus)
{
    if (!load(nullptr)) {
        broker::report(factoryStatus, CMPI_RC_ERR_FAILED);
        return nullptr;
    }
    return callFactory<CMPIInstanceMI>(library_.instanceFactory(), MiRegistry::Kind::Instance, factoryStatus);
}

CMPIMethodMI* HostCore::methodMI(CMPIStatus* factoryStatus)
{
    if (!load(nullptr)) {
        broker::report(factoryStatus, CMPI_RC_ERR_FAILED);
        return nullptr;
    }
    return callFactory<CMPIMethodMI>(library_.methodFactory(), MiRegistry::Kind::Method, factoryStatus);
}

// Like OpenPegasus: the first request of a kind makes the MI, under a lock
// so that simultaneous first requests share one factory call.
template <typename MI>
MI* HostCore::liveOrNew(MiRegistry::Kind kind, CallResult& refusal)
{
    std::lock_guard<std::mutex> lock(lazyMutex_);
    if (void* mi = mis_.first(kind))
        return static_cast<MI*>(mi);
    std::string error;
    if (!load(&error)) {
        refusal.rc = CMPI_RC_ERR_FAILED;
        refusal.message = error;
        return nullptr;
    }
    CMPIStatus factoryStatus = {CMPI_RC_OK, nullptr};
    MI* mi = nullptr;
    if constexpr (std::is_same_v<MI, CMPIInstanceMI>)
        mi = instanceMI(&factoryStatus);
    else
        mi = methodMI(&factoryStatus);
    if (mi != nullptr)
        return mi;
    const bool nullMi = factoryStatus.rc == CMPI_RC_OK;
    refusal.rc = nullMi ? CMPI_RC_ERR_FAILED : factoryStatus.rc;
    refusal.message = "the provider's " + std::string(kindText(kind)) + " factory refused (" +
                      (nullMi ? std::string("it returned NULL") : rcName(factoryStatus.rc)) + ")";
    return nullptr;
}

CallResult HostCore::onInstanceMI(broker::Operation operation, const std::string& nameSpace,
                                  const std::function<CMPIStatus(CMPIInstanceMI*, Frame&)>& body)
{
    CallResult refusal;
    CMPIInstanceMI* mi = liveOrNew<CMPIInstanceMI>(MiRegistry::Kind::Instance, refusal);
    if (mi == nullptr)
        return refusal;
    return run(operation, nameSpace, [&](Frame& frame) { return body(mi, frame); });
}

CallResult HostCore::onMethodMI(const std::string& nameSpace,
                                const std::function<CMPIStatus(CMPIMethodMI*, Frame&)>& body)
{
    CallResult refusal;
    CMPIMethodMI* mi = liveOrNew<CMPIMethodMI>(MiRegistry::Kind::Method, refusal);
    if (mi == nullptr)
        return refusal;
    return run(broker::Operation::InvokeMethod, nameSpace, [&](Frame& frame) { return body(mi, frame); });
}

CallResult HostCore::run(broker::Operation operation, const std::string& nameSpace, const Body& body)
{
    broker::Recorder recorder(operation, options_.strict);
    CallResult& result = recorder.result();
    {
        broker::Arena arena(state_);
        Frame frame{state_, arena, recorder, nullptr, nullptr};
        frame.context = state_.pin(arena, settings_.build(state_, nameSpace))->cmpi();
        frame.result = state_.pin(arena, std::make_unique<broker::ResultObject>(state_, recorder))->cmpi();
        try {
            const CMPIStatus status = body(frame);
            result.rc = status.rc;
            result.message = messageOf(status.msg);
        } catch (...) {
            result.rc = CMPI_RC_ERR_FAILED;
            result.message = "(a C++ exception left the provider)";
            result.threw = true;
        }
    }
    return std::move(result);
}

CMPIrc HostCore::callCleanup(const MiRegistry::Record& record, bool terminating)
{
    broker::Arena arena(state_);
    const CMPIContext* context = state_.pin(arena, std::make_unique<broker::ContextObject>(state_))->cmpi();
    const CMPIBoolean flag = terminating ? 1 : 0;
    try {
        if (record.kind == MiRegistry::Kind::Instance) {
            auto* mi = static_cast<CMPIInstanceMI*>(record.mi);
            return mi->ft->cleanup(mi, context, flag).rc;
        }
        auto* mi = static_cast<CMPIMethodMI*>(record.mi);
        return mi->ft->cleanup(mi, context, flag).rc;
    } catch (...) {
        return CMPI_RC_ERR_FAILED;
    }
}

CMPIStatus HostCore::cleanup(MiRegistry::Kind kind, bool terminating)
{
    const std::optional<MiRegistry::Record> record = mis_.newest(kind);
    if (!record)
        return CMPIStatus{CMPI_RC_ERR_NOT_FOUND, nullptr};
    if (record->neverUnload && !terminating)
        return CMPIStatus{CMPI_RC_NEVER_UNLOAD, nullptr};
    const CMPIrc answer = callCleanup(*record, terminating);
    mis_.settle(kind, record->mi, answer, terminating);
    return CMPIStatus{answer, nullptr};
}

}  // namespace vhost
