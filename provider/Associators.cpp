#include "common/Log.h"
#include "provider/Associators.h"

#include <syslog.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "cmpi/CmpiData.h"
#include "cmpi/CmpiStatus.h"
#include "provider/CmpiText.h"
#include "provider/InstanceId.h"
#include "provider/QVX_SambaFileShare.h"
#include "provider/ShareResponses.h"
#include "shares/SambaShares.h"

namespace {

const char* const kClassName = "QVX_SambaFileShare";

// Frees a CLISambaSharePathName text on every way out.
struct PathText {
    ~PathText() { std::free(text); }
    char* text = nullptr;
};

}  // namespace

CmpiObjectPath QVX_SambaFileShare::getObjectPath(const std::string& shareName,
                                                 const std::string& nameSpace)
{
    CmpiObjectPath path(nameSpace.c_str(), kClassName);
    path.setKey("InstanceID", CmpiData(MakeSambaInstanceID(shareName)));
    return path;
}

CmpiObjectPath QVX_SambaFileShare::getCIMObjectPath(const std::string& nameSpace,
                                                    CmpiObjectPath& objectPath)
{
    const std::string id = textOf(objectPath.getKey("InstanceID").getString());
    if (id.size() < kSambaInstanceIDPrefixLength) {
        const std::string message = "Invalid InstanceID \"" + id + "\": shorter than \"Samba:\"";
        throw CmpiStatus(CMPI_RC_ERR_INVALID_PARAMETER, message.c_str());
    }
    const std::string shareName = RemoveSambaInstanceIDPrefix(id);
    PathText directory;
    const bool found = CLISambaSharePathName(shareName.c_str(), &directory.text) == 0;
    CmpiObjectPath path(nameSpace.c_str(), kClassName);
    // The same identifier the caller's path carries, so both name one share.
    path.setKey("InstanceID", CmpiData(id));
    path.setKey("DirectoryName", found ? CmpiData(directory.text) : CmpiData::nullValue(CMPI_string));
    return path;
}

void QVX_SambaFileShare::localAssociatorResponse(CmpiResult& result, CmpiObjectPath& objectPath)
{
    std::unique_ptr<AssociatorContext> context(new (std::nothrow)
                                                   AssociatorContext{objectPath, result});
    if (!context)
        return;
    if (CLIGetSambaShares(LocalAssociatorShareHandler, context.get()) != 0)
        FailUnreadableSmbConf();
    result.returnDone();
}

void QVX_SambaFileShare::localAssociatorNamesResponse(CmpiResult& result, const char* nameSpace)
{
    utilLocalAssociatorNamesResponse(kClassName, result, nameSpace);
}

int QVX_SambaFileShare::getShares(std::vector<ShareData>& shares)
{
    shares.clear();
    // An unreadable smb.conf is a failure, not a file without shares.
    return CLIGetSambaShares(ShareNameHandler, &shares) == 0 ? 0 : -1;
}

void utilLocalAssociatorNamesResponse(const char* className, CmpiResult& result,
                                      const char* nameSpace)
{
    velmora::trace("Comimg to utilLocalAssociatorNamesResponse .............");
    ShareResponseContext context{className, nameSpace != nullptr ? nameSpace : "", &result};
    if (CLIGetSambaShares(InstanceNamesHandler, &context) != 0)
        FailUnreadableSmbConf();
    result.returnDone();
}

int LocalAssociatorShareHandler(const char* shareName, void* context)
{
    auto* record = static_cast<AssociatorContext*>(context);
    record->result.returnData(MakeSambaFileShareInstance(shareName, record->objectPath));
    return 0;
}

int ShareNameHandler(const char* shareName, void* context)
{
    static_cast<std::vector<ShareData>*>(context)->push_back(ShareData{shareName});
    return 0;
}
