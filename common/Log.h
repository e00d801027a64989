#ifndef VELMORA_COMMON_LOG_H
#define VELMORA_COMMON_LOG_H

#include <syslog.h>

// Diagnostics go to syslog under the identity "VELMORA". The mask 15 lets
// emergency to error pass; the many trace lines at LOG_INFO are dropped by
// syslog itself before any formatting, so they cost one mask test.
namespace velmora {

inline void openVelmoraLog() { openlog("VELMORA", LOG_PID, LOG_DAEMON); }

inline void openVelmoraLogMasked()
{
    openVelmoraLog();
    setlogmask(15);
}

}  // namespace velmora

#endif
