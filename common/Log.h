#ifndef VELMORA_COMMON_LOG_H
#define VELMORA_COMMON_LOG_H

#include <syslog.h>

#include <atomic>

// Diagnostics go to syslog under the identity "VELMORA". The mask 15 lets
// emergency to error pass and drops the many trace lines at LOG_INFO.
//
// glibc takes its syslog lock before it tests the mask, so even a dropped
// line costs a lock and an unlock; a parse writes one trace line per line of
// the file. trace() therefore tests a process-wide flag first, which is
// refreshed wherever this library sets the mask: it is set while the mask
// the library last set drops LOG_INFO. The library sets that mask again on
// every parse, so a mask another component changes meanwhile can only hide
// the trace lines until then.
namespace velmora {

inline constexpr int kLogMask = 15;

// True while the mask the library last set drops LOG_INFO.
inline std::atomic<bool> infoDropped{false};

inline void openVelmoraLog() { openlog("VELMORA", LOG_PID, LOG_DAEMON); }

inline void openVelmoraLogMasked()
{
    openVelmoraLog();
    setlogmask(kLogMask);
    // Read back rather than assumed, so that whatever mask the C library
    // reports (for instance a test that records every line) decides.
    infoDropped.store((setlogmask(0) & LOG_MASK(LOG_INFO)) == 0, std::memory_order_relaxed);
}

// A trace line at LOG_INFO, written as syslog(LOG_INFO, format, arguments...)
// would, or nothing at all when the library's mask drops it anyway. Inline
// functions rather than a C variadic one, so that the test of the flag is
// inlined at every call; a line without arguments is written as it stands.
inline void trace(const char* text)
{
    if (!infoDropped.load(std::memory_order_relaxed))
        syslog(LOG_INFO, "%s", text);
}

template <typename First, typename... Rest>
inline void trace(const char* format, First first, Rest... rest)
{
    if (!infoDropped.load(std::memory_order_relaxed))
        syslog(LOG_INFO, format, first, rest...);
}

}  // namespace velmora

#endif
