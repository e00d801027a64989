#include "cmpi/CmpiMethodMI.h"

#include "cmpi/DriveGuard.h"

CmpiMethodMI::CmpiMethodMI(const CmpiBroker& mb, const CmpiContext& ctx) : CmpiBaseMI(mb, ctx) {}

CmpiStatus CmpiMethodMI::invokeMethod(const CmpiContext&, CmpiResult&, const CmpiObjectPath&, const char*,
                                      const CmpiArgs&, CmpiArgs&)
{
    return CmpiStatus(CMPI_RC_ERR_NOT_SUPPORTED);
}

CMPIStatus CmpiMethodMI::driveInvokeMethod(CMPIMethodMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                           const CMPIObjectPath* op, const char* method, const CMPIArgs* in,
                                           CMPIArgs* out)
{
    return cmpi_detail::driveAs<CmpiMethodMI>(mi, [&](CmpiMethodMI& provider) {
        CmpiResult result(rslt);
        CmpiArgs outArgs(out);
        return provider.invokeMethod(CmpiContext(ctx), result, CmpiObjectPath(op), method, CmpiArgs(in), outArgs);
    });
}
