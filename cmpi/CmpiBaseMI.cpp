#include "cmpi/CmpiBaseMI.h"

#include <exception>
#include <mutex>

#include "cmpi/CmpiProviderBase.h"
#include "cmpi/DriveGuard.h"

using namespace cmpi_detail;

namespace {

// The provider's own cleanup; a failure becomes its status so that a
// terminating CIMOM still gets the object deleted.
CmpiStatus runCleanup(CmpiBaseMI& mi, const CMPIContext* ctx)
{
    CmpiContext context(ctx);
    try {
        return mi.cleanup(context);
    } catch (const CmpiStatus& status) {
        return status;
    } catch (const std::exception& e) {
        return CmpiStatus(CMPI_RC_ERR_FAILED, e.what());
    } catch (...) {
        return CmpiStatus(CMPI_RC_ERR_FAILED, kUnknownFailure);
    }
}

// Ends one MI's use of the shared provider object (see driveBaseCleanup in
// the header). Sets released when this MI is done and its record must forget
// the object.
CmpiStatus endUse(CmpiBaseMI* mi, const CMPIContext* ctx, bool terminating, bool& released)
{
    if (!terminating && !mi->isUnloadable())
        return CmpiStatus(CMPI_RC_DO_NOT_UNLOAD);
    CmpiProviderBase* base = mi->getProviderBase();
    std::unique_lock<std::mutex> lock;
    if (base != nullptr) {
        lock = std::unique_lock<std::mutex>(base->factoryMutex());
        // Other users remain: the record (which the CIMOM may have handed
        // to them as well) keeps pointing at the object.
        if (base->decUseCount() > 0)
            return CmpiStatus();
    }
    CmpiStatus status = runCleanup(*mi, ctx);
    if (!terminating && status.rc() != CMPI_RC_OK) {
        if (base != nullptr)
            base->incUseCount();
        return status;
    }
    if (base != nullptr && base->getBaseMI() == mi) {
        base->setBaseMI(nullptr);
        base->clearRecords();
    }
    delete mi;
    released = true;
    return status;
}

template <class MIRecord>
CMPIStatus cleanupRecord(MIRecord* mi, const CMPIContext* ctx, CMPIBoolean terminating)
{
    CmpiBaseMI* provider = providerOf(mi);
    if (provider == nullptr)
        return CMPIStatus{CMPI_RC_ERR_INVALID_HANDLE, nullptr};
    // Copied first: the provider object may be gone when the status is made.
    const CMPIBroker* mb = provider->getBroker().getEnc();
    bool released = false;
    CMPIStatus status = guard(mb, [&] { return endUse(provider, ctx, terminating != 0, released); });
    if (released)
        mi->hdl = nullptr;
    return status;
}

}  // namespace

CmpiBaseMI::CmpiBaseMI(const CmpiBroker& mb, const CmpiContext& /*ctx*/) : broker_(mb), providerBase_(nullptr)
{
    CmpiBroker::setCurrent(mb.getEnc());
}

CmpiBaseMI::~CmpiBaseMI()
{
    CmpiBroker::clearCurrent(broker_.getEnc());
}

CmpiStatus CmpiBaseMI::initialize(const CmpiContext& /*ctx*/)
{
    return CmpiStatus();
}

CmpiStatus CmpiBaseMI::cleanup(CmpiContext& /*ctx*/)
{
    return CmpiStatus();
}

int CmpiBaseMI::isUnloadable() const
{
    return 1;
}

void CmpiBaseMI::setProviderBase(CmpiProviderBase* base)
{
    providerBase_ = base;
}

CmpiProviderBase* CmpiBaseMI::getProviderBase() const
{
    return providerBase_;
}

const CmpiBroker& CmpiBaseMI::getBroker() const
{
    return broker_;
}

CMPIStatus CmpiBaseMI::driveBaseCleanup(CMPIInstanceMI* mi, const CMPIContext* ctx, CMPIBoolean terminating)
{
    return cleanupRecord(mi, ctx, terminating);
}

CMPIStatus CmpiBaseMI::driveBaseCleanup(CMPIMethodMI* mi, const CMPIContext* ctx, CMPIBoolean terminating)
{
    return cleanupRecord(mi, ctx, terminating);
}
