#include "host/broker/ArgsObject.h"

#include "host/broker/ObjectFunctions.h"
#include "host/broker/StringObject.h"

namespace vhost::broker {
namespace {

CMPIStatus argsRelease(CMPIArgs* as) { return releaseObject<ArgsObject>(as); }

CMPIArgs* argsClone(const CMPIArgs* as, CMPIStatus* rc) { return cloneObject<ArgsObject>(as, rc); }

CMPIStatus argsAddArg(const CMPIArgs* as, const char* name, const CMPIValue* value, const CMPIType type)
{
    return guardedStatus([&] {
        ArgsObject* args = find<ArgsObject>(as);
        if (args == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        if (name == nullptr)
            return status(CMPI_RC_ERR_INVALID_PARAMETER);
        StoredValue stored;
        const CMPIrc rc = StoredValue::fromInput(args->state(), value, type, stored);
        if (rc == CMPI_RC_OK)
            args->args.set(name, std::move(stored));
        return status(rc);
    });
}

CMPIData argsGetArg(const CMPIArgs* as, const char* name, CMPIStatus* rc)
{
    ArgsObject* args = lookup<ArgsObject>(as, rc);
    if (args == nullptr)
        return nullData();
    const StoredValue* value = name != nullptr ? args->args.find(name) : nullptr;
    if (value == nullptr) {
        report(rc, name != nullptr ? CMPI_RC_ERR_NO_SUCH_PROPERTY : CMPI_RC_ERR_INVALID_PARAMETER);
        return nullData();
    }
    return value->data();
}

CMPIData argsGetArgAt(const CMPIArgs* as, CMPICount index, CMPIString** name, CMPIStatus* rc)
{
    return guarded<CMPIData>(rc, nullData(), [&] {
        ArgsObject* args = lookup<ArgsObject>(as, rc);
        if (args == nullptr)
            return nullData();
        if (index >= args->args.size()) {
            report(rc, CMPI_RC_ERR_NO_SUCH_PROPERTY);
            return nullData();
        }
        const auto& [argName, value] = args->args.at(index);
        if (name != nullptr)
            *name = StringObject::make(args->state(), argName);
        return value.data();
    });
}

CMPICount argsGetArgCount(const CMPIArgs* as, CMPIStatus* rc)
{
    ArgsObject* args = lookup<ArgsObject>(as, rc);
    return args != nullptr ? static_cast<CMPICount>(args->args.size()) : 0;
}

CMPIArgsFT fullTable = {CMPIVersion200, argsRelease, argsClone, argsAddArg, argsGetArg, argsGetArgAt, argsGetArgCount};
CMPIArgsFT sparseTable = {1, argsRelease, argsClone, argsAddArg, argsGetArg, argsGetArgAt, argsGetArgCount};

}  // namespace

ArgsObject::ArgsObject(BrokerState& state) : BrokerObject(state, Kind::Args, &face_)
{
    face_.hdl = this;
    face_.ft = state.sparse() ? &sparseTable : &fullTable;
}

std::unique_ptr<ArgsObject> ArgsObject::copy() const
{
    auto out = std::make_unique<ArgsObject>(state());
    out->args = args.copy();
    return out;
}

}  // namespace vhost::broker
