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
#include "smbconf/SambaDialect.h"
#include "smbconf/Text.h"

namespace {

// -2 when the path cannot be examined, -3 when it is a symbolic link, else
// 0: any other kind of file is accepted as the share's directory. Final
// slashes are set aside first: lstat of '/srv/link/' follows the link.
int checkSharePath(const char* path)
{
    std::string examined = path;
    while (examined.size() > 1 && examined.back() == '/')
        examined.pop_back();
    struct stat st {};
    if (lstat(examined.c_str(), &st) != 0)
        return -2;
    return S_ISLNK(st.st_mode) ? -3 : 0;
}

// Callers' booleans in Samba's spelling: "false" in any case becomes "No",
// and "true" in lower case exactly becomes "Yes"; anything else stays. Only
// for boolean parameters: a comment 'true' stays 'true'.
std::string sambaBoolean(const std::string& key, const std::string& value)
{
    if (!velmora::samba::IsBoolean(velmora::samba::Identify(key)))
        return value;
    if (strcasecmp(value.c_str(), "false") == 0)
        return "No";
    return value == "true" ? "Yes" : value;
}

// The share Samba takes name for, found only when one of its headers is
// exactly name.
bool existsExactly(const SambaConfFile& conf, const char* name)
{
    const velmora::samba::Share* share = conf.Samba().Find(name);
    return share != nullptr && conf.Samba().NamedExactly(*share, name);
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
    // Held, and Samba has a share of that name (ignoring case).
    bool HasShare(const char* name) const { return Held() && conf_.Samba().Find(name) != nullptr; }

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
    // Samba would merge a section named alike into the existing share.
    if (conf.Samba().Find(shareName) != nullptr)
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

// The value is classified as given (trimmed) against Samba's value, as
// Samba compares values, and written in Samba's boolean spelling.
static int modifyKeyValuePair(const char* shareName, const char* key, const char* value)
{
    velmora::trace("comimg to CLIModifyKeyValuePair ..............");
    if (!velmora::IsValidParameter(shareName, key, value))
        return -4;
    LockedConf locked;
    if (!locked.HasShare(shareName))
        return -1;
    SambaConfFile& conf = locked.Conf();
    std::string keyText = key;
    std::string valueText = value;
    trim(keyText);
    trim(valueText);
    const PropertyExistence existence = conf.SamePropertyExists(shareName, keyText, valueText);
    valueText = sambaBoolean(keyText, valueText);
    if (existence == PropertySameValue)
        return 0;
    velmora::trace("%s property do not exists alredy thus adding", key);
    return conf.ModifySection(shareName, keyText, valueText, existence);
}

int CLIModifyKeyValuePair(const char* shareName, const char* key, const char* value)
{
    return velmora::guardExport(__func__, -1, [&] { return modifyKeyValuePair(shareName, key, value); });
}

static int removeKeyValuePair(const char* shareName, const char* key)
{
    velmora::trace("comimg to CLIRemoveKeyValuePair ..............");
    if (!velmora::IsValidKey(shareName, key))
        return -4;
    LockedConf locked;
    if (!locked.HasShare(shareName))
        return -1;
    std::string keyText = key;
    trim(keyText);
    return locked.Conf().RemoveProperty(shareName, keyText);
}

int CLIRemoveKeyValuePair(const char* shareName, const char* key)
{
    return velmora::guardExport(__func__, -1, [&] { return removeKeyValuePair(shareName, key); });
}

// The name must be exactly a header's; then every section of the share
// goes ([Homes] and [homes] are one share for Samba).
static int deleteShare(const char* shareName)
{
    velmora::trace("comimg to CLIDeleteSambaShare ..............");
    if (!velmora::IsValidShareName(shareName))
        return -4;
    LockedConf locked;
    if (!locked.Held())
        return -1;
    SambaConfFile& conf = locked.Conf();
    if (!existsExactly(conf, shareName)) {
        syslog(LOG_ERR, "Section %s does not exists", shareName);
        return -1;
    }
    return conf.RemoveSection(shareName);
}

int CLIDeleteSambaShare(const char* shareName)
{
    return velmora::guardExport(__func__, -1, [&] { return deleteShare(shareName); });
}
