#ifndef VELMORA_CMPI_CMPISTATUS_H
#define VELMORA_CMPI_CMPISTATUS_H

#include <string>

#include "cmpi/cmpift.h"
#include "common/Export.h"

// The outcome of a CMPI operation: a return code and an optional message.
// Provider operations return it, and throw it to end an operation early; the
// drive functions turn either into the CMPIStatus the CIMOM receives.
class VELMORA_EXPORT CmpiStatus {
public:
    // CMPI_RC_OK without a message.
    CmpiStatus();
    // The given code without a message.
    explicit CmpiStatus(CMPIrc rc);
    // The given code; msg is copied, a null msg means no message.
    CmpiStatus(CMPIrc rc, const char* msg);

    CMPIrc rc() const;
    // The message text, or nullptr when there is none.
    const char* msg() const;

    // The C status for the CIMOM. The message becomes a string made by the
    // broker (eft->newString), never a pointer into this object, because the
    // CIMOM reads it after the operation has returned. Without a broker, a
    // usable newString or a message, msg is NULL. Never throws.
    CMPIStatus status(const CMPIBroker* mb) const noexcept;

private:
    CMPIrc rc_;
    bool hasMsg_;
    std::string msg_;
};

#endif
