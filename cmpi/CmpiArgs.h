#ifndef VELMORA_CMPI_CMPIARGS_H
#define VELMORA_CMPI_CMPIARGS_H

#include "cmpi/CmpiData.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

// The input or output arguments of a method call. Does not own them; valid
// only during the call that passed them. Failures are thrown as CmpiStatus.
class VELMORA_EXPORT CmpiArgs {
public:
    explicit CmpiArgs(const CMPIArgs* enc);

    // Throws the broker's status (CMPI_RC_ERR_NO_SUCH_PROPERTY for a missing
    // argument).
    CmpiData getArg(const char* name) const;
    // Adds an argument (ft->addArg); a CMPI_chars value is copied by the broker.
    void setArg(const char* name, const CmpiData& value);
    unsigned getArgCount() const;

    const CMPIArgs* getEnc() const;

private:
    const CMPIArgs* enc_;
};

#endif
