#ifndef VELMORA_CMPI_CMPIBASEMI_H
#define VELMORA_CMPI_CMPIBASEMI_H

#include "cmpi/CmpiBroker.h"
#include "cmpi/CmpiContext.h"
#include "cmpi/CmpiStatus.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

class CmpiProviderBase;

// The common part of every provider object, shared (as a virtual base) by
// its instance and method interfaces. The MI records the factories return
// hold a pointer to this part in their hdl.
class VELMORA_EXPORT CmpiBaseMI {
public:
    // Registers mb as the broker of the value classes (CmpiBroker::setCurrent).
    CmpiBaseMI(const CmpiBroker& mb, const CmpiContext& ctx);
    // Withdraws the registered broker when it is still this MI's.
    virtual ~CmpiBaseMI();

    CmpiBaseMI(const CmpiBaseMI&) = delete;
    CmpiBaseMI& operator=(const CmpiBaseMI&) = delete;

    // Called by the factory after construction; default: OK.
    virtual CmpiStatus initialize(const CmpiContext& ctx);
    // Called once, when the last MI using this object is cleaned up, right
    // before the object is deleted; default: OK. A non-OK answer while the
    // CIMOM is not terminating keeps the object loaded.
    virtual CmpiStatus cleanup(CmpiContext& ctx);
    // 0 makes a non-terminating cleanup answer CMPI_RC_DO_NOT_UNLOAD; default: 1.
    virtual int isUnloadable() const;

    void setProviderBase(CmpiProviderBase* base);
    CmpiProviderBase* getProviderBase() const;
    const CmpiBroker& getBroker() const;

    // The cleanup entry of both function tables. Never throws.
    // - NULL mi or hdl: CMPI_RC_ERR_INVALID_HANDLE.
    // - Not terminating and not unloadable: CMPI_RC_DO_NOT_UNLOAD, nothing changes.
    // - Otherwise the provider base's use count goes down; while other MIs
    //   still use the object the answer is OK. At 0, cleanup() runs; its
    //   status is the answer. Not terminating and cleanup() not OK: the object
    //   stays, with its use count restored. Otherwise the object is deleted and
    //   the base's MI cleared (even when cleanup failed: a terminating CIMOM
    //   drops the MI whatever it answers).
    // - A record's hdl stays while the object lives (the CIMOM may hand one
    //   record to several users). When the object is deleted this record's
    //   hdl and every record noted in the provider base (addRecord) are set
    //   to NULL, so that a stray later call answers INVALID_HANDLE instead of
    //   touching freed memory.
    // - An MI without a provider base is treated as the object's only user.
    static CMPIStatus driveBaseCleanup(CMPIInstanceMI* mi, const CMPIContext* ctx, CMPIBoolean terminating);
    static CMPIStatus driveBaseCleanup(CMPIMethodMI* mi, const CMPIContext* ctx, CMPIBoolean terminating);

private:
    CmpiBroker broker_;
    CmpiProviderBase* providerBase_;
};

#endif
