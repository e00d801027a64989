#ifndef VELMORA_PROVIDER_SHARERESPONSES_H
#define VELMORA_PROVIDER_SHARERESPONSES_H

#include <string>
#include <vector>

#include "cmpi/CmpiInstance.h"
#include "cmpi/CmpiObjectPath.h"
#include "cmpi/CmpiResult.h"
#include "common/Export.h"

// The record an enumeration hands to its share handler: every object path
// gets className and nameSpace; every answer goes to result. It lives in
// the enumerating function's frame for one walk.
struct ShareResponseContext {
    const char* className;
    std::string nameSpace;
    CmpiResult* result;
};

// An smb.conf that is there but cannot be read fails the request: it is
// not a file without shares. Throws CmpiStatus(CMPI_RC_ERR_FAILED, "Cannot
// read /etc/samba/smb.conf: <reason>"); the reader has logged it already.
[[noreturn]] void FailUnreadableSmbConf();

// One object path per share (key InstanceID), then one done signal.
VELMORA_EXPORT void utilEnumInstanceNamesResponse(const char* className, const std::string& nameSpace,
                                                  CmpiResult& result);

// One full instance per share on a path of the request's class and
// namespace, then one done signal. Returns what the walk returns (0).
VELMORA_EXPORT int utilEnumInstancesResponse(CmpiResult& result, const CmpiObjectPath& objectPath);

// Share handlers; context points to a ShareResponseContext. Always 0.
VELMORA_EXPORT int InstanceNamesHandler(const char* shareName, void* context);
VELMORA_EXPORT int CIMSambaShareHandler(const char* shareName, void* context);

// The instance of one share built on objectPath. Throws a CmpiStatus
// (CMPI_RC_ERR_FAILED, "Samba share does not exist ") when no section has
// exactly this name.
VELMORA_EXPORT CmpiInstance MakeSambaFileShareInstance(const char* shareName,
                                                       const CmpiObjectPath& objectPath);

// Maps a share's parameter lines onto the CmpiInstance that context points
// to, as Samba reads them (the last setting wins, names by Samba's identity
// and synonyms, booleans as Samba reads them): comment -> Comment, path ->
// PathName (always set, "" when no line sets it), read only -> ReadOnly,
// inherit acls -> InheritACLs (unset when no line sets them to a boolean).
// Always 0.
VELMORA_EXPORT int ShareParameterDisplayHandler(const char* shareName, std::vector<std::string> lines,
                                                void* context);

#endif
