#include "host/broker/ContextObject.h"

#include "host/broker/ObjectFunctions.h"
#include "host/broker/StringObject.h"

namespace vhost::broker {
namespace {

CMPIStatus ctxRelease(CMPIContext* ctx) { return releaseObject<ContextObject>(ctx); }

CMPIContext* ctxClone(const CMPIContext* ctx, CMPIStatus* rc) { return cloneObject<ContextObject>(ctx, rc); }

CMPIData ctxGetEntry(const CMPIContext* ctx, const char* name, CMPIStatus* rc)
{
    ContextObject* context = lookup<ContextObject>(ctx, rc);
    if (context == nullptr)
        return nullData();
    const StoredValue* value = name != nullptr ? context->entries.find(name) : nullptr;
    if (value == nullptr) {
        report(rc, name != nullptr ? CMPI_RC_ERR_NO_SUCH_PROPERTY : CMPI_RC_ERR_INVALID_PARAMETER);
        return nullData();
    }
    return value->data();
}

CMPIData ctxGetEntryAt(const CMPIContext* ctx, CMPICount index, CMPIString** name, CMPIStatus* rc)
{
    return guarded<CMPIData>(rc, nullData(), [&] {
        ContextObject* context = lookup<ContextObject>(ctx, rc);
        if (context == nullptr)
            return nullData();
        if (index >= context->entries.size()) {
            report(rc, CMPI_RC_ERR_NO_SUCH_PROPERTY);
            return nullData();
        }
        const auto& [entryName, value] = context->entries.at(index);
        if (name != nullptr)
            *name = StringObject::make(context->state(), entryName);
        return value.data();
    });
}

CMPICount ctxGetEntryCount(const CMPIContext* ctx, CMPIStatus* rc)
{
    ContextObject* context = lookup<ContextObject>(ctx, rc);
    return context != nullptr ? static_cast<CMPICount>(context->entries.size()) : 0;
}

CMPIStatus ctxAddEntry(const CMPIContext* ctx, const char* name, const CMPIValue* value, const CMPIType type)
{
    return guardedStatus([&] {
        ContextObject* context = find<ContextObject>(ctx);
        if (context == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        if (name == nullptr)
            return status(CMPI_RC_ERR_INVALID_PARAMETER);
        StoredValue stored;
        const CMPIrc rc = StoredValue::fromInput(context->state(), value, type, stored);
        if (rc == CMPI_RC_OK)
            context->entries.set(name, std::move(stored));
        return status(rc);
    });
}

CMPIContextFT fullTable = {CMPIVersion200, ctxRelease, ctxClone, ctxGetEntry, ctxGetEntryAt, ctxGetEntryCount, ctxAddEntry};
CMPIContextFT sparseTable = {1, ctxRelease, ctxClone, ctxGetEntry, ctxGetEntryAt, ctxGetEntryCount, ctxAddEntry};

}  // namespace

ContextObject::ContextObject(BrokerState& state) : BrokerObject(state, Kind::Context, &face_)
{
    face_.hdl = this;
    face_.ft = state.sparse() ? &sparseTable : &fullTable;
}

std::unique_ptr<ContextObject> ContextObject::copy() const
{
    auto out = std::make_unique<ContextObject>(state());
    out->entries = entries.copy();
    return out;
}

}  // namespace vhost::broker
