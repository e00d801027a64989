// The read-only share functions: enumeration and one-share lookups. Each
// call parses smb.conf afresh into its own model and releases it before
// returning, also when a handler throws.
#include <syslog.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "common/Log.h"
#include "shares/ExportGuard.h"
#include "shares/SambaShares.h"
#include "smbconf/ConfRead.h"
#include "smbconf/SambaConfFile.h"

static int getShares(SambaShareHandler handler, void* context)
{
    velmora::trace("coming to CLIGetSambaShares ..............");
    SambaConfFile conf;
    if (conf.InitSections() != 0 && velmora::LastConfStatus().state == velmora::ConfState::Unreadable)
        return -1;
    if (handler == nullptr)
        return 0;
    for (const velmora::samba::Share& share : conf.Samba().Shares()) {
        if (share.global)
            continue;
        const std::string name(share.name);  // the handler's own copy
        velmora::callHandler(handler, name.c_str(), context);
    }
    return 0;
}

int CLIGetSambaShares(SambaShareHandler handler, void* context)
{
    return velmora::guardExport(__func__, -1, [&] { return getShares(handler, context); });
}

static int getShareInfo(SambaShareInfoHandler handler, const char* shareName, void* context)
{
    velmora::trace("coming to CLIGetSambaShareInfo ..............");
    SambaConfFile conf;
    conf.InitSections();
    std::vector<std::string> lines;
    const velmora::samba::Share* share = shareName != nullptr ? conf.Samba().Find(shareName) : nullptr;
    if (share != nullptr) {
        velmora::samba::ForEachApplied(conf.Samba(), *share, [&](const velmora::samba::Parameter& parameter) {
            lines.push_back(velmora::samba::SambaText(parameter));
        });
    }
    velmora::trace("printing sectionInformation");
    for (const std::string& line : lines)
        velmora::trace("%s", line.c_str());
    if (handler != nullptr)
        velmora::callHandler(handler, shareName, std::move(lines), context);
    return 0;
}

int CLIGetSambaShareInfo(SambaShareInfoHandler handler, const char* shareName, void* context)
{
    return velmora::guardExport(__func__, -1, [&] { return getShareInfo(handler, shareName, context); });
}

static int sharePathName(const char* shareName, char** out)
{
    velmora::trace("comimg to CLISambaSharePathName ..............");
    if (shareName == nullptr)
        return -1;
    SambaConfFile conf;
    conf.InitSections();
    const velmora::samba::Share* share = conf.Samba().Find(shareName);
    const velmora::samba::Parameter* path = share != nullptr ? velmora::samba::LastSetting(conf.Samba(), *share, "path") : nullptr;
    if (path == nullptr || out == nullptr)
        return -1;
    const std::string value = velmora::samba::SambaValue(*path);
    char* copy = static_cast<char*>(std::malloc(value.size() + 1));
    if (copy == nullptr)
        return -1;
    std::memcpy(copy, value.data(), value.size());
    copy[value.size()] = '\0';
    *out = copy;
    return 0;
}

int CLISambaSharePathName(const char* shareName, char** out)
{
    return velmora::guardExport(__func__, -1, [&] { return sharePathName(shareName, out); });
}

static int isValidShare(const char* shareName)
{
    velmora::trace("comimg to CLIIsValidSambaShare ..............");
    if (shareName == nullptr)
        return 1;
    SambaConfFile conf;
    conf.InitSections();
    const velmora::samba::Share* share = conf.Samba().Find(shareName);
    return share != nullptr && conf.Samba().NamedExactly(*share, shareName) ? 0 : 1;
}

int CLIIsValidSambaShare(const char* shareName)
{
    return velmora::guardExport(__func__, 1, [&] { return isValidShare(shareName); });
}
