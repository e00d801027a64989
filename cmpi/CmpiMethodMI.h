#ifndef VELMORA_CMPI_CMPIMETHODMI_H
#define VELMORA_CMPI_CMPIMETHODMI_H

#include "cmpi/CmpiArgs.h"
#include "cmpi/CmpiBaseMI.h"
#include "cmpi/CmpiContext.h"
#include "cmpi/CmpiObjectPath.h"
#include "cmpi/CmpiResult.h"
#include "cmpi/CmpiStatus.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

// The method interface of a provider. The default invokeMethod answers
// CMPI_RC_ERR_NOT_SUPPORTED.
class VELMORA_EXPORT CmpiMethodMI : virtual public CmpiBaseMI {
public:
    CmpiMethodMI(const CmpiBroker& mb, const CmpiContext& ctx);

    virtual CmpiStatus invokeMethod(const CmpiContext& ctx, CmpiResult& result, const CmpiObjectPath& op,
                                    const char* method, const CmpiArgs& in, CmpiArgs& out);

    // The invokeMethod entry of CMPIMethodMIFT, with the same guarantees as
    // the drive functions of CmpiInstanceMI: never throws, NULL mi or hdl
    // answers CMPI_RC_ERR_INVALID_HANDLE.
    static CMPIStatus driveInvokeMethod(CMPIMethodMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                        const CMPIObjectPath* op, const char* method, const CMPIArgs* in,
                                        CMPIArgs* out);
};

#endif
