#ifndef VELMORA_CMPI_CMPICONTEXT_H
#define VELMORA_CMPI_CMPICONTEXT_H

#include "cmpi/CmpiData.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

// The invocation context of a CIMOM call (principal, namespace, flags...).
// Does not own it; valid only during the call that passed it.
class VELMORA_EXPORT CmpiContext {
public:
    explicit CmpiContext(const CMPIContext* enc);

    // The entry's value, e.g. getEntry(CMPIPrincipal). Throws the broker's
    // status (CMPI_RC_ERR_NO_SUCH_PROPERTY for a missing entry), or a
    // CmpiStatus for a missing handle or table slot.
    CmpiData getEntry(const char* name) const;

    const CMPIContext* getEnc() const;

private:
    const CMPIContext* enc_;
};

#endif
