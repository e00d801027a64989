#include "shares/ShareWalk.h"

#include <stdexcept>

#include "common/Log.h"
#include "smbconf/ConfRead.h"
#include "smbconf/SambaConfFile.h"

namespace velmora {

void forEachShare(const std::function<void(const samba::Reading& reading, const samba::Share& share)>& visit)
{
    trace("coming to CLIGetSambaShares ..............");
    SambaConfFile conf;
    // An unreadable file is a failure, not a file without shares.
    if (conf.InitSections() != 0 && LastConfStatus().state == ConfState::Unreadable)
        throw std::runtime_error(LastConfStatus().Message());
    conf.Samba().ReadAllParameters();  // every share's are wanted
    for (const samba::Share& share : conf.Samba().Shares()) {
        if (!share.global)
            visit(conf.Samba(), share);
    }
}

}  // namespace velmora
