#ifndef VELMORA_CMPI_CMPIINSTANCEMI_H
#define VELMORA_CMPI_CMPIINSTANCEMI_H

#include "cmpi/CmpiBaseMI.h"
#include "cmpi/CmpiContext.h"
#include "cmpi/CmpiInstance.h"
#include "cmpi/CmpiObjectPath.h"
#include "cmpi/CmpiResult.h"
#include "cmpi/CmpiStatus.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

// The instance interface of a provider. A provider overrides the operations
// it serves; the others answer CMPI_RC_ERR_NOT_SUPPORTED. An operation ends
// by returning its status or by throwing a CmpiStatus.
class VELMORA_EXPORT CmpiInstanceMI : virtual public CmpiBaseMI {
public:
    CmpiInstanceMI(const CmpiBroker& mb, const CmpiContext& ctx);

    virtual CmpiStatus enumInstanceNames(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op);
    virtual CmpiStatus enumInstances(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op,
                                     const char** properties);
    virtual CmpiStatus getInstance(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op,
                                   const char** properties);
    virtual CmpiStatus createInstance(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op,
                                      const CmpiInstance& inst);
    virtual CmpiStatus setInstance(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op,
                                   const CmpiInstance& inst, const char** properties);
    virtual CmpiStatus deleteInstance(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op);
    virtual CmpiStatus execQuery(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op,
                                 const char* language, const char* query);

    // The entries of CMPIInstanceMIFT. Each wraps its C arguments, calls the
    // operation of the provider object in mi->hdl and returns its status, with
    // any message made by that object's broker. Never throws: a thrown
    // CmpiStatus becomes the status, a std::exception CMPI_RC_ERR_FAILED with
    // what(), anything else CMPI_RC_ERR_FAILED with a fixed message. NULL mi
    // or hdl answers CMPI_RC_ERR_INVALID_HANDLE; a provider object without
    // this interface CMPI_RC_ERR_NOT_SUPPORTED.
    static CMPIStatus driveEnumInstanceNames(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                             const CMPIObjectPath* op);
    static CMPIStatus driveEnumInstances(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                         const CMPIObjectPath* op, const char** properties);
    static CMPIStatus driveGetInstance(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                       const CMPIObjectPath* op, const char** properties);
    static CMPIStatus driveCreateInstance(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                          const CMPIObjectPath* op, const CMPIInstance* inst);
    static CMPIStatus driveSetInstance(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                       const CMPIObjectPath* op, const CMPIInstance* inst, const char** properties);
    static CMPIStatus driveDeleteInstance(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                          const CMPIObjectPath* op);
    // The C entry passes query before language; the operation takes language first.
    static CMPIStatus driveExecQuery(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                     const CMPIObjectPath* op, const char* query, const char* lang);
};

#endif
