// The editing share functions: create, modify and delete a share. Each one
// refuses unsafe text first (-4), then holds the edit lock while it reads
// smb.conf, checks, takes the backup and replaces the file. Result codes:
// shares/SambaShares.h.
#include <strings.h>
#include <sys/stat.h>
#include <syslog.h>

#include <string>

#include "common/Log.h"
#include "shares/ArgumentCheck.h"
#include "shares/EditLock.h"
#include "shares/ExportGuard.h"
#include "shares/SambaShares.h"
#include "smbconf/EditRecord.h"
#include "smbconf/SambaConfFile.h"
#include "smbconf/Text.h"

namespace {

// -2 when the path cannot be examined, -3 when it is a symbolic link, else
// 0: any other kind of file is accepted as the share's directory.
int checkSharePath(const char* path)
{
    struct stat st {};
    if (lstat(path, &st) != 0)
        return -2;
    return S_ISLNK(st.st_mode) ? -3 : 0;
}

// Callers' booleans in Samba's spelling: "false" in any case becomes "No",
// and "true" in lower case exactly becomes "Yes"; anything else stays.
std::string sambaBoolean(const std::string& value)
{
    if (strcasecmp(value.c_str(), "false") == 0)
        return "No";
    return value == "true" ? "Yes" : value;
}

// smb.conf read under the edit lock, which is held while this object lives
// (it is taken before the file is read and given back after the model):
// nothing can change the file between the reading and the replacing.
class LockedConf {
public:
    LockedConf()
    {
        velmora::StartEditRecord();
        if (lock_.Held())
            conf_.Init();
    }
    bool Held() const { return lock_.Held(); }
    SambaConfFile& Conf() { return conf_; }

private:
    const velmora::EditLock lock_;
    SambaConfFile conf_;
};

}  // namespace

static int createShare(const char* shareName, const char* path, const char* comment)
{
    velmora::trace("coming to CLICreateSambaShare ..............");
    if (!velmora::IsValidNewShare(shareName, path, comment))
        return -4;
    LockedConf locked;
    if (!locked.Held())
        return -1;
    SambaConfFile& conf = locked.Conf();
    if (conf.SectionExists(shareName))
        return -1;
    const int pathCheck = checkSharePath(path);
    if (pathCheck != 0)
        return pathCheck;
    return conf.WriteNewSection(shareName, path, comment);
}

int CLICreateSambaShare(const char* shareName, const char* path, const char* comment)
{
    return velmora::guardExport(__func__, -1, [&] { return createShare(shareName, path, comment); });
}

// The value is classified as given (trimmed) and written in Samba's boolean
// spelling, so 'false' against a stored 'No' still rewrites the line.
static int modifyKeyValuePair(const char* shareName, const char* key, const char* value)
{
    velmora::trace("comimg to CLIModifyKeyValuePair ..............");
    if (!velmora::IsValidParameter(shareName, key, value))
        return -4;
    LockedConf locked;
    if (!locked.Held())
        return -1;
    SambaConfFile& conf = locked.Conf();
    if (conf.FindSection(shareName) == nullptr)
        return -1;
    std::string keyText = key;
    std::string valueText = value;
    trim(keyText);
    trim(valueText);
    const PropertyExistence existence = conf.SamePropertyExists(shareName, keyText, valueText);
    valueText = sambaBoolean(valueText);
    if (existence == PropertySameValue)
        return 0;
    velmora::trace("%s property do not exists alredy thus adding", key);
    return conf.ModifySection(shareName, keyText, valueText, existence);
}

int CLIModifyKeyValuePair(const char* shareName, const char* key, const char* value)
{
    return velmora::guardExport(__func__, -1, [&] { return modifyKeyValuePair(shareName, key, value); });
}

// The section is found exactly here, but RemoveSection drops the first
// section matching without regard to case: with [Homes] before [homes],
// deleting 'homes' removes [Homes].
static int deleteShare(const char* shareName)
{
    velmora::trace("comimg to CLIDeleteSambaShare ..............");
    if (!velmora::IsValidShareName(shareName))
        return -4;
    LockedConf locked;
    if (!locked.Held())
        return -1;
    SambaConfFile& conf = locked.Conf();
    if (!conf.SectionExists(shareName)) {
        syslog(LOG_ERR, "Section %s does not exists", shareName);
        return -1;
    }
    return conf.RemoveSection(shareName);
}

int CLIDeleteSambaShare(const char* shareName)
{
    return velmora::guardExport(__func__, -1, [&] { return deleteShare(shareName); });
}
