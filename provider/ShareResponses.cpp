#include "common/Log.h"
#include "provider/ShareResponses.h"

#include <strings.h>
#include <syslog.h>

#include <string_view>

#include "cmpi/CmpiData.h"
#include "cmpi/CmpiStatus.h"
#include "provider/CmpiText.h"
#include "common/Paths.h"
#include "provider/InstanceId.h"
#include "shares/SambaShares.h"
#include "shares/ShareWalk.h"
#include "smbconf/ConfRead.h"
#include "smbconf/TextView.h"

namespace {

constexpr CMPISint32 kProtocolCIFS = 3;

bool isYes(std::string_view value)
{
    return value.size() == 3 && strncasecmp(value.data(), "yes", 3) == 0;
}

// The properties every share has, in the order clients see them.
void setIdentity(CmpiInstance& instance, const char* shareName)
{
    instance.setProperty("InstanceID", CmpiData(MakeSambaInstanceID(shareName)));
    instance.setProperty("FileSharingProtocol", CmpiData(kProtocolCIFS));
    instance.setProperty("ElementName", CmpiData(shareName));
}

// One parameter line onto the instance; true when it was a "path" line.
// Only the values that become properties are copied out of the line.
bool mapParameter(CmpiInstance& instance, const std::string& line)
{
    std::string_view key;
    std::string_view value;
    if (!velmora::splitView(line, key, value))
        return false;
    velmora::trace("property name is %.*s", static_cast<int>(key.size()), key.data());
    velmora::trace("property value is %.*s", static_cast<int>(value.size()), value.data());
    if (key == "comment")
        instance.setProperty("Comment", CmpiData(std::string(value)));
    else if (key == "path")
        instance.setProperty("PathName", CmpiData(std::string(value)));
    else if (key == "read only")
        instance.setProperty("ReadOnly", CmpiBooleanData(isYes(value)));
    else if (key == "inherit acls")
        instance.setProperty("InheritACLs", CmpiBooleanData(isYes(value)));
    return key == "path";
}

void mapParameters(CmpiInstance& instance, const std::vector<std::string>& lines)
{
    velmora::trace("Comimg to ShareParameterDisplayHandler .............");
    velmora::trace("size of paramInfo is %d", static_cast<int>(lines.size()));
    bool pathSeen = false;
    for (const std::string& line : lines)
        pathSeen = mapParameter(instance, line) || pathSeen;
    if (!pathSeen)
        instance.setProperty("PathName", CmpiData(""));
}

// An smb.conf that is there but cannot be read fails the request: it is
// not a file without shares. The reader has logged it already.
[[noreturn]] void failUnreadable()
{
    const velmora::ConfStatus& status = velmora::LastConfStatus();
    const std::string message = status.state == velmora::ConfState::Unreadable
                                    ? status.Message()
                                    : std::string("Cannot read ") + velmora::kSmbConfPath;
    throw CmpiStatus(CMPI_RC_ERR_FAILED, message.c_str());
}

ShareResponseContext& responseContext(void* context)
{
    return *static_cast<ShareResponseContext*>(context);
}

}  // namespace

void utilEnumInstanceNamesResponse(const char* className, const std::string& nameSpace,
                                   CmpiResult& result)
{
    velmora::trace("Comimg to utilEnumInstanceNamesResponse .............");
    ShareResponseContext context{className, nameSpace, &result};
    if (CLIGetSambaShares(InstanceNamesHandler, &context) != 0)
        failUnreadable();
    result.returnDone();
}

int InstanceNamesHandler(const char* shareName, void* context)
{
    velmora::trace("Comimg to InstanceNamesHandler .............");
    ShareResponseContext& record = responseContext(context);
    CmpiObjectPath path(record.nameSpace.c_str(), record.className);
    path.setKey("InstanceID", CmpiData(MakeSambaInstanceID(shareName)));
    record.result->returnData(path);
    path.release();
    return 0;
}

// Builds every instance from the one parse the walk holds instead of reading
// the file twice more per share; the answer is the same as
// CIMSambaShareHandler's, since each share's parameters come from the first
// section matching its name ignoring case, as CLIGetSambaShareInfo finds it.
int utilEnumInstancesResponse(CmpiResult& result, const CmpiObjectPath& objectPath)
{
    velmora::trace("Comimg to utilEnumInstancesResponse .............");
    const std::string className = textOf(objectPath.getClassName());
    const std::string nameSpace = textOf(objectPath.getNameSpace());
    // Every instance is made from this one path: the broker gives each
    // instance its own copy of it.
    CmpiObjectPath path(nameSpace.c_str(), className.c_str());
    velmora::forEachShare([&](const SambaSection& share, const SambaSection& parameters) {
        velmora::trace("coming to CIMSambaShareHandler..........");
        CmpiInstance instance(path);
        setIdentity(instance, share.name.c_str());
        mapParameters(instance, parameters.properties);
        result.returnData(instance);
        // The CIMOM has its copy; ours need not wait for the end of the call.
        instance.release();
    });
    path.release();
    result.returnDone();
    return 0;
}

int CIMSambaShareHandler(const char* shareName, void* context)
{
    velmora::trace("coming to CIMSambaShareHandler..........");
    ShareResponseContext& record = responseContext(context);
    CmpiObjectPath path(record.nameSpace.c_str(), record.className);
    record.result->returnData(MakeSambaFileShareInstance(shareName, path));
    return 0;
}

CmpiInstance MakeSambaFileShareInstance(const char* shareName, const CmpiObjectPath& objectPath)
{
    velmora::trace("Comimg to MakeSambaFileShareInstance .............");
    if (CLIIsValidSambaShare(shareName) != 0) {
        if (velmora::LastConfStatus().state == velmora::ConfState::Unreadable)
            failUnreadable();
        syslog(LOG_ERR, "Samba share %s does not exist", shareName);
        throw CmpiStatus(CMPI_RC_ERR_FAILED, "Samba share does not exist ");
    }
    CmpiInstance instance(objectPath);
    setIdentity(instance, shareName);
    CLIGetSambaShareInfo(ShareParameterDisplayHandler, shareName, &instance);
    return instance;
}

int ShareParameterDisplayHandler(const char* /*shareName*/, std::vector<std::string> lines,
                                 void* context)
{
    mapParameters(*static_cast<CmpiInstance*>(context), lines);
    return 0;
}
