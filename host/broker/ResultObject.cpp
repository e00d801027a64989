#include "host/broker/ResultObject.h"

#include "host/broker/InstanceObject.h"
#include "host/broker/ObjectFunctions.h"
#include "host/broker/ObjectPathObject.h"

namespace vhost::broker {
namespace {

CMPIStatus resultRelease(CMPIResult* rslt) { return releaseObject<ResultObject>(rslt); }

CMPIResult* resultClone(const CMPIResult* rslt, CMPIStatus* rc)
{
    report(rc, find<ResultObject>(rslt) != nullptr ? CMPI_RC_ERR_NOT_SUPPORTED : CMPI_RC_ERR_INVALID_HANDLE);
    return nullptr;
}

CMPIStatus resultReturnData(const CMPIResult* rslt, const CMPIValue* value, const CMPIType type)
{
    return guardedStatus([&] {
        ResultObject* result = find<ResultObject>(rslt);
        if (result == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        StoredValue stored;
        const CMPIrc rc = StoredValue::fromInput(result->state(), value, type, stored);
        if (rc != CMPI_RC_OK)
            return status(rc);
        Returned item;
        item.kind = Returned::Data;
        item.data = stored.toModel();
        return status(result->recorder().offer(std::move(item)));
    });
}

CMPIStatus resultReturnInstance(const CMPIResult* rslt, const CMPIInstance* inst)
{
    return guardedStatus([&] {
        ResultObject* result = find<ResultObject>(rslt);
        InstanceObject* instance = find<InstanceObject>(inst);
        if (result == nullptr || instance == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        return status(result->recorder().record(
            Returned::Instance, [&](Returned& item) { item.instance = instance->toModel(); }));
    });
}

CMPIStatus resultReturnObjectPath(const CMPIResult* rslt, const CMPIObjectPath* op)
{
    return guardedStatus([&] {
        ResultObject* result = find<ResultObject>(rslt);
        ObjectPathObject* path = find<ObjectPathObject>(op);
        if (result == nullptr || path == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        return status(result->recorder().record(
            Returned::Path, [&](Returned& item) { item.path = path->toModel(); }));
    });
}

CMPIStatus resultReturnDone(const CMPIResult* rslt)
{
    return guardedStatus([&] {
        ResultObject* result = find<ResultObject>(rslt);
        if (result == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        return status(result->recorder().offer(Returned{}));
    });
}

CMPIStatus resultReturnError(const CMPIResult* rslt, const CMPIError*)
{
    return status(find<ResultObject>(rslt) != nullptr ? CMPI_RC_ERR_NOT_SUPPORTED : CMPI_RC_ERR_INVALID_HANDLE);
}

CMPIResultFT fullTable = {CMPIVersion200, resultRelease, resultClone, resultReturnData, resultReturnInstance,
                          resultReturnObjectPath, resultReturnDone, resultReturnError};
// sfcb leaves the 2.0 addition returnError NULL.
CMPIResultFT sparseTable = {1, resultRelease, resultClone, resultReturnData, resultReturnInstance,
                            resultReturnObjectPath, resultReturnDone, nullptr};

}  // namespace

ResultObject::ResultObject(BrokerState& state, Recorder& recorder)
    : BrokerObject(state, Kind::Result, &face_), recorder_(recorder)
{
    face_.hdl = this;
    face_.ft = state.sparse() ? &sparseTable : &fullTable;
}

std::unique_ptr<ResultObject> ResultObject::copy() const
{
    return std::make_unique<ResultObject>(state(), recorder_);
}

}  // namespace vhost::broker
