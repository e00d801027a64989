#include "shares/ShareWalk.h"

#include "common/Log.h"
#include "smbconf/SambaConfFile.h"

namespace velmora {

void forEachShare(const std::function<void(const samba::Reading& reading, const samba::Share& share)>& visit)
{
    trace("coming to CLIGetSambaShares ..............");
    SambaConfFile conf;
    conf.InitSections();
    for (const samba::Share& share : conf.Samba().Shares()) {
        if (!share.global)
            visit(conf.Samba(), share);
    }
}

}  // namespace velmora
