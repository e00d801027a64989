// The library's entry points for a CIMOM: the provider base, the two MI
// records with their function tables, and the two factories.
#include <syslog.h>

#include <memory>
#include <mutex>

#include "cmpi/CmpiBaseMI.h"
#include "cmpi/CmpiProviderBase.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"
#include "provider/QVX_SambaFileShare.h"

extern "C" {
// Holds the one provider object both MIs share, and its use count.
VELMORA_EXPORT CmpiProviderBase basevelmora;
}

namespace {

CMPIInstanceMIFT instanceTable = {
    CMPIVersion200, CMPIVersion200, "instancevelmora",
    CmpiBaseMI::driveBaseCleanup,
    CmpiInstanceMI::driveEnumInstanceNames,
    CmpiInstanceMI::driveEnumInstances,
    CmpiInstanceMI::driveGetInstance,
    CmpiInstanceMI::driveCreateInstance,
    CmpiInstanceMI::driveSetInstance,
    CmpiInstanceMI::driveDeleteInstance,
    CmpiInstanceMI::driveExecQuery,
};

CMPIMethodMIFT methodTable = {
    CMPIVersion200, CMPIVersion200, "methodvelmora",
    CmpiBaseMI::driveBaseCleanup,
    CmpiMethodMI::driveInvokeMethod,
};

CMPIInstanceMI instanceRecord = {nullptr, &instanceTable};
CMPIMethodMI methodRecord = {nullptr, &methodTable};

// The shared provider object, created by the first factory call. The mutex
// makes two simultaneous first calls create exactly one.
CmpiBaseMI* sharedProvider(const CMPIBroker* mb, const CmpiContext& context)
{
    CmpiBaseMI* base = basevelmora.getBaseMI();
    if (base != nullptr)
        return base;
    auto provider = std::make_unique<QVX_SambaFileShare>(CmpiBroker(mb), context);
    base = provider.get();
    base->setProviderBase(&basevelmora);
    base->initialize(context);
    basevelmora.setBaseMI(base);
    provider.release();
    return base;
}

// Fills record for table; nullptr and FAILED in *rc when the provider
// cannot be made (nothing may escape into the CIMOM).
template <typename Record, typename Table>
Record* create(Record& record, Table* table, const CMPIBroker* mb, const CMPIContext* ctx,
               CMPIStatus* rc)
{
    try {
        const CmpiContext context(ctx);
        std::lock_guard<std::mutex> lock(basevelmora.factoryMutex());
        record.ft = table;
        record.hdl = sharedProvider(mb, context);
        basevelmora.addRecord(&record.hdl);
        basevelmora.incUseCount();
        return &record;
    } catch (...) {
        syslog(LOG_ERR, "The provider %s could not be created", table->miName);
        if (rc != nullptr)
            *rc = CMPIStatus{CMPI_RC_ERR_FAILED, nullptr};
        return nullptr;
    }
}

}  // namespace

extern "C" {

VELMORA_EXPORT CMPIInstanceMI* velmora_Create_InstanceMI(const CMPIBroker* mb,
                                                         const CMPIContext* ctx, CMPIStatus* rc)
{
    return create(instanceRecord, &instanceTable, mb, ctx, rc);
}

VELMORA_EXPORT CMPIMethodMI* velmora_Create_MethodMI(const CMPIBroker* mb, const CMPIContext* ctx,
                                                     CMPIStatus* rc)
{
    return create(methodRecord, &methodTable, mb, ctx, rc);
}

}
