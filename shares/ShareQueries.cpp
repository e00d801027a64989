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
#include "smbconf/TextView.h"

namespace {

// The first parameter line whose key is exactly "path"; its trimmed value.
bool findPathValue(const SambaSection& section, std::string_view& value)
{
    for (const std::string& line : section.properties) {
        std::string_view key;
        if (velmora::splitView(line, key, value) && key == "path")
            return true;
    }
    return false;
}

}  // namespace

static int getShares(SambaShareHandler handler, void* context)
{
    velmora::trace("coming to CLIGetSambaShares ..............");
    SambaConfFile conf;
    if (conf.InitSections() != 0 && velmora::LastConfStatus().state == velmora::ConfState::Unreadable)
        return -1;
    if (handler == nullptr)
        return 0;
    for (const SambaSection& section : conf.sections) {
        if (section.name == "global")
            continue;
        const std::string name = section.name;  // the handler's own copy
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
    if (shareName != nullptr)
        lines = conf.GetSectionByName(shareName).properties;
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
    const SambaSection* section = conf.FindSection(shareName);
    std::string_view value;
    if (section == nullptr || !findPathValue(*section, value) || out == nullptr)
        return -1;
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
    return conf.SectionExists(shareName) != 0 ? 0 : 1;
}

int CLIIsValidSambaShare(const char* shareName)
{
    return velmora::guardExport(__func__, 1, [&] { return isValidShare(shareName); });
}
