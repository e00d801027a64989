#ifndef VELMORA_PROVIDER_QVX_SAMBAFILESHARE_H
#define VELMORA_PROVIDER_QVX_SAMBAFILESHARE_H

#include <string>
#include <vector>

#include "cmpi/CmpiBroker.h"
#include "cmpi/CmpiContext.h"
#include "cmpi/CmpiInstanceMI.h"
#include "cmpi/CmpiMethodMI.h"
#include "common/Export.h"

// One share as getShares collects it.
struct ShareData {
    std::string name;
};

// The provider of class QVX_SambaFileShare: one object serves both the
// instance and the method interface. Read operations check the caller's
// privilege (refusal: CMPI_RC_ERR_ACCESS_DENIED, no message) and that Samba
// is installed, then answer from /etc/samba/smb.conf as it is at that
// moment. Creating, deleting and invoking methods are refused with
// CMPI_RC_ERR_FAILED.
class VELMORA_EXPORT QVX_SambaFileShare : public CmpiInstanceMI, public CmpiMethodMI {
public:
    QVX_SambaFileShare(const CmpiBroker& broker, const CmpiContext& context);
    ~QVX_SambaFileShare() override;

    CmpiStatus enumInstanceNames(const CmpiContext& context, CmpiResult& result,
                                 const CmpiObjectPath& objectPath) override;
    CmpiStatus enumInstances(const CmpiContext& context, CmpiResult& result,
                             const CmpiObjectPath& objectPath, const char** properties) override;
    CmpiStatus getInstance(const CmpiContext& context, CmpiResult& result,
                           const CmpiObjectPath& objectPath, const char** properties) override;
    CmpiStatus createInstance(const CmpiContext& context, CmpiResult& result,
                              const CmpiObjectPath& objectPath, const CmpiInstance& instance) override;
    CmpiStatus deleteInstance(const CmpiContext& context, CmpiResult& result,
                              const CmpiObjectPath& objectPath) override;
    CmpiStatus invokeMethod(const CmpiContext& context, CmpiResult& result,
                            const CmpiObjectPath& objectPath, const char* method,
                            const CmpiArgs& in, CmpiArgs& out) override;

    // Helpers for other code that links the library; no privilege or Samba
    // check is made here.

    // Path in nameSpace with InstanceID "Samba:" + shareName.
    static CmpiObjectPath getObjectPath(const std::string& shareName, const std::string& nameSpace);
    // Path in nameSpace for the share named by objectPath's InstanceID, with
    // that same InstanceID and the share's directory as DirectoryName (a null
    // string when the share has no path line). Throws CmpiStatus
    // (CMPI_RC_ERR_INVALID_PARAMETER) for an InstanceID shorter than "Samba:".
    static CmpiObjectPath getCIMObjectPath(const std::string& nameSpace, CmpiObjectPath& objectPath);
    // One instance per share built on objectPath, then one done signal.
    static void localAssociatorResponse(CmpiResult& result, CmpiObjectPath& objectPath);
    // One QVX_SambaFileShare path per share in nameSpace, then one done signal.
    static void localAssociatorNamesResponse(CmpiResult& result, const char* nameSpace);
    // Replaces shares by the shares of smb.conf in file order: 0; -1 (and
    // no shares) when smb.conf is there but cannot be read.
    static int getShares(std::vector<ShareData>& shares);

private:
    CmpiBroker broker;
    CmpiContext creationContext;
};

#endif
