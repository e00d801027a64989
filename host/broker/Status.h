#ifndef VELMORA_HOST_BROKER_STATUS_H
#define VELMORA_HOST_BROKER_STATUS_H

#include <cstring>

#include "cmpi/cmpift.h"

// Small helpers every broker function uses to report, and the guard that
// keeps C++ exceptions (in practice std::bad_alloc) from crossing back into
// the provider's C code.
namespace vhost::broker {

inline CMPIStatus status(CMPIrc rc) { return CMPIStatus{rc, nullptr}; }

// Writes rc into the optional out-parameter; every caller may pass NULL.
inline void report(CMPIStatus* out, CMPIrc rc)
{
    if (out != nullptr) {
        out->rc = rc;
        out->msg = nullptr;
    }
}

inline CMPIData nullData(CMPIType type = CMPI_null)
{
    CMPIData data;
    std::memset(&data, 0, sizeof data);
    data.type = type;
    data.state = CMPI_nullValue;
    return data;
}

// Runs body; an exception becomes CMPI_RC_ERR_FAILED in `out` and the
// fallback result.
template <typename R, typename F>
R guarded(CMPIStatus* out, R fallback, F&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        report(out, CMPI_RC_ERR_FAILED);
        return fallback;
    }
}

// The same for functions that answer with a CMPIStatus.
template <typename F>
CMPIStatus guardedStatus(F&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return status(CMPI_RC_ERR_FAILED);
    }
}

}  // namespace vhost::broker

#endif
