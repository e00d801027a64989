#include "host/Host.h"

#include "host/HostCore.h"
#include "host/broker/InstanceObject.h"
#include "host/broker/ObjectPathObject.h"

namespace vhost {

using broker::Operation;
using Frame = HostCore::Frame;

Host::Host(std::string libraryPath, Options options)
    : impl_(std::make_unique<HostCore>(std::move(libraryPath), std::move(options)))
{
}

Host::~Host() = default;

bool Host::load(std::string* error) { return impl_->load(error); }
CMPIInstanceMI* Host::instanceMI(CMPIStatus* factoryStatus) { return impl_->instanceMI(factoryStatus); }
CMPIMethodMI* Host::methodMI(CMPIStatus* factoryStatus) { return impl_->methodMI(factoryStatus); }

void Host::setPrincipal(const std::string& user)
{
    impl_->settings().setPrincipal(ContextSettings::Principal::User, user);
}

void Host::clearPrincipal() { impl_->settings().setPrincipal(ContextSettings::Principal::Absent); }
void Host::setNullPrincipal() { impl_->settings().setPrincipal(ContextSettings::Principal::NullText); }
void Host::setContextEntry(const std::string& name, const Value& v) { impl_->settings().setEntry(name, v); }

CallResult Host::enumInstanceNames(const ObjectPath& classPath)
{
    return impl_->onInstanceMI(Operation::EnumInstanceNames, classPath.nameSpace,
                               [&](CMPIInstanceMI* mi, Frame& f) {
                                   return mi->ft->enumerateInstanceNames(mi, f.context, f.result, f.pinPath(classPath));
                               });
}

CallResult Host::enumInstances(const ObjectPath& classPath, const char** properties)
{
    return impl_->onInstanceMI(Operation::EnumInstances, classPath.nameSpace, [&](CMPIInstanceMI* mi, Frame& f) {
        return mi->ft->enumerateInstances(mi, f.context, f.result, f.pinPath(classPath), properties);
    });
}

CallResult Host::getInstance(const ObjectPath& instPath, const char** properties)
{
    return impl_->onInstanceMI(Operation::GetInstance, instPath.nameSpace, [&](CMPIInstanceMI* mi, Frame& f) {
        return mi->ft->getInstance(mi, f.context, f.result, f.pinPath(instPath), properties);
    });
}

CallResult Host::createInstance(const ObjectPath& classPath, const Instance& inst)
{
    return impl_->onInstanceMI(Operation::CreateInstance, classPath.nameSpace, [&](CMPIInstanceMI* mi, Frame& f) {
        return mi->ft->createInstance(mi, f.context, f.result, f.pinPath(classPath), f.pinInstance(inst));
    });
}

CallResult Host::modifyInstance(const ObjectPath& instPath, const Instance& inst, const char** properties)
{
    return impl_->onInstanceMI(Operation::ModifyInstance, instPath.nameSpace, [&](CMPIInstanceMI* mi, Frame& f) {
        return mi->ft->modifyInstance(mi, f.context, f.result, f.pinPath(instPath), f.pinInstance(inst), properties);
    });
}

CallResult Host::deleteInstance(const ObjectPath& instPath)
{
    return impl_->onInstanceMI(Operation::DeleteInstance, instPath.nameSpace, [&](CMPIInstanceMI* mi, Frame& f) {
        return mi->ft->deleteInstance(mi, f.context, f.result, f.pinPath(instPath));
    });
}

CallResult Host::execQuery(const ObjectPath& classPath, const std::string& query, const std::string& lang)
{
    return impl_->onInstanceMI(Operation::ExecQuery, classPath.nameSpace, [&](CMPIInstanceMI* mi, Frame& f) {
        return mi->ft->execQuery(mi, f.context, f.result, f.pinPath(classPath), query.c_str(), lang.c_str());
    });
}

// The out arguments are copied before the call's arena goes.
CallResult Host::invokeMethod(const ObjectPath& path, const std::string& method,
                              const std::vector<std::pair<std::string, Value>>& in)
{
    return impl_->onMethodMI(path.nameSpace, [&](CMPIMethodMI* mi, Frame& f) {
        broker::ArgsObject* out = f.pinArgs({});
        const CMPIStatus status =
            mi->ft->invokeMethod(mi, f.context, f.result, f.pinPath(path), method.c_str(), f.pinArgs(in)->cmpi(),
                                 out->cmpi());
        f.recorder.result().outArgs = out->args.toModel();
        return status;
    });
}

CMPIStatus Host::cleanupInstanceMI(bool terminating) { return impl_->cleanup(MiRegistry::Kind::Instance, terminating); }
CMPIStatus Host::cleanupMethodMI(bool terminating) { return impl_->cleanup(MiRegistry::Kind::Method, terminating); }

CMPIObjectPath* Host::CallEnv::makePath(const ObjectPath& p)
{
    broker::BrokerState* state = broker::BrokerState::of(broker);
    return state->adopt(broker::ObjectPathObject::fromModel(*state, p))->cmpi();
}

CMPIInstance* Host::CallEnv::makeInstance(const Instance& inst)
{
    broker::BrokerState* state = broker::BrokerState::of(broker);
    return state->adopt(broker::InstanceObject::fromModel(*state, inst))->cmpi();
}

CallResult Host::call(const std::function<CMPIStatus(CallEnv&)>& fn)
{
    return impl_->run(Operation::Any, "", [&](Frame& f) {
        CallEnv env{f.state.broker(), f.context, f.result};
        return fn(env);
    });
}

size_t Host::liveObjects() const { return impl_->state().liveObjects(); }
const CMPIBroker* Host::broker() const { return impl_->state().broker(); }
std::vector<LogRecord> Host::logRecords() const { return impl_->state().logRecords(); }

}  // namespace vhost
