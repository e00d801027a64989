#include "provider/QVX_SambaFileShare.h"

#include <syslog.h>

#include "cmpi/CmpiData.h"
#include "cmpi/CmpiStatus.h"
#include "common/Log.h"
#include "provider/Checks.h"
#include "provider/CmpiText.h"
#include "provider/InstanceId.h"
#include "provider/ShareResponses.h"

namespace {

const char* const kClassName = "QVX_SambaFileShare";

// The principal of the request, when the context carries one as a string
// with text. A CIMOM without authentication may hand over a string whose
// text is NULL; like a missing or non-string entry, that names nobody.
bool principalOf(const CmpiContext& context, std::string& principal)
{
    try {
        const CmpiData entry = context.getEntry(CMPIPrincipal);
        if (entry.isNullValue() || !entry.isString())
            return false;
        const char* text = entry.getString().charPtr();
        if (text == nullptr)
            return false;
        principal = text;
        return true;
    } catch (const CmpiStatus&) {
        return false;
    }
}

// The prologue of every read operation: false means access denied. Throws
// when Samba is missing or the rights library cannot be used.
bool mayRead(const CmpiContext& context)
{
    std::string principal;
    if (!principalOf(context, principal))
        return false;
    velmora::trace("principal is %s", principal.c_str());
    if (!ReadEffectiveUID(principal.c_str()))
        return false;
    return HasSamba();
}

// The share name an InstanceID key names. Identifiers shorter than the
// "Samba:" prefix name nothing and end the operation with a clear status.
std::string shareNameOf(const CmpiObjectPath& objectPath)
{
    const CmpiData key = objectPath.getKey("InstanceID");
    // A key of another type: the bindings' CMPI_RC_ERR_TYPE_MISMATCH.
    const CmpiString text = key.getString();
    if (key.isNullValue())
        throw CmpiStatus(CMPI_RC_ERR_INVALID_PARAMETER, "InstanceID is not a string");
    const std::string id = textOf(text);
    if (id.size() < kSambaInstanceIDPrefixLength) {
        const std::string message = "Invalid InstanceID \"" + id + "\": shorter than \"Samba:\"";
        throw CmpiStatus(CMPI_RC_ERR_INVALID_PARAMETER, message.c_str());
    }
    return RemoveSambaInstanceIDPrefix(id);
}

}  // namespace

QVX_SambaFileShare::QVX_SambaFileShare(const CmpiBroker& mb, const CmpiContext& context)
    : CmpiBaseMI(mb, context),
      CmpiInstanceMI(mb, context),
      CmpiMethodMI(mb, context),
      broker(mb),
      creationContext(context)
{
    velmora::openVelmoraLogMasked();
}

QVX_SambaFileShare::~QVX_SambaFileShare()
{
    closelog();
}

CmpiStatus QVX_SambaFileShare::enumInstanceNames(const CmpiContext& context, CmpiResult& result,
                                                 const CmpiObjectPath& objectPath)
{
    if (!mayRead(context))
        return CmpiStatus(CMPI_RC_ERR_ACCESS_DENIED);
    // Paths always name this class, whatever class the request names.
    utilEnumInstanceNamesResponse(kClassName, textOf(objectPath.getNameSpace()), result);
    return CmpiStatus(CMPI_RC_OK);
}

CmpiStatus QVX_SambaFileShare::enumInstances(const CmpiContext& context, CmpiResult& result,
                                             const CmpiObjectPath& objectPath,
                                             const char** /*properties*/)
{
    if (!mayRead(context))
        return CmpiStatus(CMPI_RC_ERR_ACCESS_DENIED);
    utilEnumInstancesResponse(result, objectPath);
    return CmpiStatus(CMPI_RC_OK);
}

CmpiStatus QVX_SambaFileShare::getInstance(const CmpiContext& context, CmpiResult& result,
                                           const CmpiObjectPath& objectPath,
                                           const char** /*properties*/)
{
    if (!mayRead(context))
        return CmpiStatus(CMPI_RC_ERR_ACCESS_DENIED);
    const std::string shareName = shareNameOf(objectPath);
    result.returnData(MakeSambaFileShareInstance(shareName.c_str(), objectPath));
    result.returnDone();
    return CmpiStatus(CMPI_RC_OK);
}

CmpiStatus QVX_SambaFileShare::createInstance(const CmpiContext&, CmpiResult&,
                                              const CmpiObjectPath&, const CmpiInstance&)
{
    throw CmpiStatus(CMPI_RC_ERR_FAILED, "Provider does not support createInstance ");
}

CmpiStatus QVX_SambaFileShare::deleteInstance(const CmpiContext&, CmpiResult&,
                                              const CmpiObjectPath&)
{
    throw CmpiStatus(CMPI_RC_ERR_FAILED, "Provider does not support deleteInstance ");
}

CmpiStatus QVX_SambaFileShare::invokeMethod(const CmpiContext&, CmpiResult&, const CmpiObjectPath&,
                                            const char*, const CmpiArgs&, CmpiArgs&)
{
    throw CmpiStatus(CMPI_RC_ERR_FAILED, "Provider does not support invokeMetod ");
}
