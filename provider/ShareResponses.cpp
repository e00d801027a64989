#include "common/Log.h"
#include "provider/ShareResponses.h"

#include <strings.h>
#include <syslog.h>

#include <optional>
#include <string_view>

#include "cmpi/CmpiData.h"
#include "cmpi/CmpiStatus.h"
#include "provider/CmpiText.h"
#include "common/Paths.h"
#include "provider/InstanceId.h"
#include "shares/SambaShares.h"
#include "shares/ShareWalk.h"
#include "smbconf/ConfRead.h"
#include "smbconf/IdentifyMemo.h"
#include "smbconf/SambaDialect.h"
#include "smbconf/SambaReading.h"

namespace {

constexpr CMPISint32 kProtocolCIFS = 3;

// The properties every share has, in the order clients see them.
void setIdentity(CmpiInstance& instance, const char* shareName)
{
    instance.setProperty("InstanceID", CmpiData(MakeSambaInstanceID(shareName)));
    instance.setProperty("FileSharingProtocol", CmpiData(kProtocolCIFS));
    instance.setProperty("ElementName", CmpiData(shareName));
}

// The four share properties as Samba reads them: the last setting of each
// parameter wins, under any of its names ('directory' is 'path',
// 'writeable = yes' is 'read only = no'); a boolean that is not one is
// passed over. Unset when no line of the share sets the parameter.
struct ShareProperties {
    std::optional<std::string_view> comment;
    std::optional<std::string_view> path;
    std::optional<bool> readOnly;
    std::optional<bool> inheritAcls;

    // id: Samba's identity of key.
    void note(std::string_view key, std::string_view value, const velmora::samba::ParameterId& id)
    {
        velmora::trace("property name is %.*s", static_cast<int>(key.size()), key.data());
        velmora::trace("property value is %.*s", static_cast<int>(value.size()), value.data());
        const std::string_view name = id.name;
        if (name == "comment")
            comment = value;
        else if (name == "path")
            path = value;
        else if (name == "readonly")
            noteBoolean(readOnly, id, value);
        else if (name == "inheritacls")
            noteBoolean(inheritAcls, id, value);
    }

    static void noteBoolean(std::optional<bool>& property, const velmora::samba::ParameterId& id,
                            std::string_view value)
    {
        if (const std::optional<bool> meaning = velmora::samba::BooleanValue(id, value))
            property = meaning;
    }

    // Texts as Samba reads them, runs of blanks squeezed.
    static std::string squeezed(std::string_view value)
    {
        std::string text;
        velmora::samba::AppendSqueezed(text, value);
        return text;
    }

    // PathName is always set ("" without a path line).
    void applyTo(CmpiInstance& instance) const
    {
        if (comment)
            instance.setProperty("Comment", CmpiData(squeezed(*comment)));
        instance.setProperty("PathName", CmpiData(squeezed(path.value_or(std::string_view()))));
        if (readOnly)
            instance.setProperty("ReadOnly", CmpiBooleanData(*readOnly));
        if (inheritAcls)
            instance.setProperty("InheritACLs", CmpiBooleanData(*inheritAcls));
    }
};

// Lines as CLIGetSambaShareInfo hands them: split as Samba splits them.
void mapParameters(CmpiInstance& instance, const std::vector<std::string>& lines)
{
    velmora::trace("Comimg to ShareParameterDisplayHandler .............");
    velmora::trace("size of paramInfo is %d", static_cast<int>(lines.size()));
    ShareProperties properties;
    for (const std::string& line : lines) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string_view key = velmora::samba::Trim(std::string_view(line).substr(0, eq));
        properties.note(key, velmora::samba::Trim(std::string_view(line).substr(eq + 1)),
                        velmora::samba::Identify(key));
    }
    properties.applyTo(instance);
}

// names: kept across the shares of one walk over reading.
void mapParameters(CmpiInstance& instance, const velmora::samba::Reading& reading,
                   const velmora::samba::Share& share, velmora::samba::IdentifyMemo& names)
{
    ShareProperties properties;
    velmora::samba::ForEachApplied(reading, share, [&](const velmora::samba::Parameter& parameter) {
        properties.note(parameter.key(), parameter.value(), names(parameter.key()));
    });
    properties.applyTo(instance);
}

ShareResponseContext& responseContext(void* context)
{
    return *static_cast<ShareResponseContext*>(context);
}

}  // namespace

void FailUnreadableSmbConf()
{
    const velmora::ConfStatus& status = velmora::LastConfStatus();
    const std::string message = status.state == velmora::ConfState::Unreadable
                                    ? status.Message()
                                    : std::string("Cannot read ") + velmora::kSmbConfPath;
    throw CmpiStatus(CMPI_RC_ERR_FAILED, message.c_str());
}

void utilEnumInstanceNamesResponse(const char* className, const std::string& nameSpace,
                                   CmpiResult& result)
{
    velmora::trace("Comimg to utilEnumInstanceNamesResponse .............");
    ShareResponseContext context{className, nameSpace, &result};
    if (CLIGetSambaShares(InstanceNamesHandler, &context) != 0)
        FailUnreadableSmbConf();
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
// CIMSambaShareHandler's, since both read the share as Samba does.
int utilEnumInstancesResponse(CmpiResult& result, const CmpiObjectPath& objectPath)
{
    velmora::trace("Comimg to utilEnumInstancesResponse .............");
    const std::string className = textOf(objectPath.getClassName());
    const std::string nameSpace = textOf(objectPath.getNameSpace());
    // Every instance is made from this one path: the broker gives each
    // instance its own copy of it.
    CmpiObjectPath path(nameSpace.c_str(), className.c_str());
    velmora::samba::IdentifyMemo names;
    velmora::forEachShare([&](const velmora::samba::Reading& reading, const velmora::samba::Share& share) {
        velmora::trace("coming to CIMSambaShareHandler..........");
        CmpiInstance instance(path);
        const std::string name(share.name);
        setIdentity(instance, name.c_str());
        mapParameters(instance, reading, share, names);
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
            FailUnreadableSmbConf();
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
