#include "cmpi/CmpiInstanceMI.h"

#include "cmpi/DriveGuard.h"

using cmpi_detail::driveAs;

CmpiInstanceMI::CmpiInstanceMI(const CmpiBroker& mb, const CmpiContext& ctx) : CmpiBaseMI(mb, ctx) {}

CmpiStatus CmpiInstanceMI::enumInstanceNames(const CmpiContext&, CmpiResult&, const CmpiObjectPath&)
{
    return CmpiStatus(CMPI_RC_ERR_NOT_SUPPORTED);
}

CmpiStatus CmpiInstanceMI::enumInstances(const CmpiContext&, CmpiResult&, const CmpiObjectPath&, const char**)
{
    return CmpiStatus(CMPI_RC_ERR_NOT_SUPPORTED);
}

CmpiStatus CmpiInstanceMI::getInstance(const CmpiContext&, CmpiResult&, const CmpiObjectPath&, const char**)
{
    return CmpiStatus(CMPI_RC_ERR_NOT_SUPPORTED);
}

CmpiStatus CmpiInstanceMI::createInstance(const CmpiContext&, CmpiResult&, const CmpiObjectPath&,
                                          const CmpiInstance&)
{
    return CmpiStatus(CMPI_RC_ERR_NOT_SUPPORTED);
}

CmpiStatus CmpiInstanceMI::setInstance(const CmpiContext&, CmpiResult&, const CmpiObjectPath&, const CmpiInstance&,
                                       const char**)
{
    return CmpiStatus(CMPI_RC_ERR_NOT_SUPPORTED);
}

CmpiStatus CmpiInstanceMI::deleteInstance(const CmpiContext&, CmpiResult&, const CmpiObjectPath&)
{
    return CmpiStatus(CMPI_RC_ERR_NOT_SUPPORTED);
}

CmpiStatus CmpiInstanceMI::execQuery(const CmpiContext&, CmpiResult&, const CmpiObjectPath&, const char*,
                                     const char*)
{
    return CmpiStatus(CMPI_RC_ERR_NOT_SUPPORTED);
}

CMPIStatus CmpiInstanceMI::driveEnumInstanceNames(CMPIInstanceMI* mi, const CMPIContext* ctx,
                                                  const CMPIResult* rslt, const CMPIObjectPath* op)
{
    return driveAs<CmpiInstanceMI>(mi, [&](CmpiInstanceMI& provider) {
        CmpiResult result(rslt);
        return provider.enumInstanceNames(CmpiContext(ctx), result, CmpiObjectPath(op));
    });
}

CMPIStatus CmpiInstanceMI::driveEnumInstances(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                              const CMPIObjectPath* op, const char** properties)
{
    return driveAs<CmpiInstanceMI>(mi, [&](CmpiInstanceMI& provider) {
        CmpiResult result(rslt);
        return provider.enumInstances(CmpiContext(ctx), result, CmpiObjectPath(op), properties);
    });
}

CMPIStatus CmpiInstanceMI::driveGetInstance(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                            const CMPIObjectPath* op, const char** properties)
{
    return driveAs<CmpiInstanceMI>(mi, [&](CmpiInstanceMI& provider) {
        CmpiResult result(rslt);
        return provider.getInstance(CmpiContext(ctx), result, CmpiObjectPath(op), properties);
    });
}

CMPIStatus CmpiInstanceMI::driveCreateInstance(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                               const CMPIObjectPath* op, const CMPIInstance* inst)
{
    return driveAs<CmpiInstanceMI>(mi, [&](CmpiInstanceMI& provider) {
        CmpiResult result(rslt);
        return provider.createInstance(CmpiContext(ctx), result, CmpiObjectPath(op), CmpiInstance(inst));
    });
}

CMPIStatus CmpiInstanceMI::driveSetInstance(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                            const CMPIObjectPath* op, const CMPIInstance* inst,
                                            const char** properties)
{
    return driveAs<CmpiInstanceMI>(mi, [&](CmpiInstanceMI& provider) {
        CmpiResult result(rslt);
        return provider.setInstance(CmpiContext(ctx), result, CmpiObjectPath(op), CmpiInstance(inst), properties);
    });
}

CMPIStatus CmpiInstanceMI::driveDeleteInstance(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                               const CMPIObjectPath* op)
{
    return driveAs<CmpiInstanceMI>(mi, [&](CmpiInstanceMI& provider) {
        CmpiResult result(rslt);
        return provider.deleteInstance(CmpiContext(ctx), result, CmpiObjectPath(op));
    });
}

CMPIStatus CmpiInstanceMI::driveExecQuery(CMPIInstanceMI* mi, const CMPIContext* ctx, const CMPIResult* rslt,
                                          const CMPIObjectPath* op, const char* query, const char* lang)
{
    return driveAs<CmpiInstanceMI>(mi, [&](CmpiInstanceMI& provider) {
        CmpiResult result(rslt);
        return provider.execQuery(CmpiContext(ctx), result, CmpiObjectPath(op), lang, query);
    });
}
