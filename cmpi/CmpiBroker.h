#ifndef VELMORA_CMPI_CMPIBROKER_H
#define VELMORA_CMPI_CMPIBROKER_H

#include "cmpi/cmpift.h"
#include "common/Export.h"

// The CIMOM's broker handle. Does not own it: the CIMOM keeps it valid for
// the life of the MI that received it.
class VELMORA_EXPORT CmpiBroker {
public:
    explicit CmpiBroker(const CMPIBroker* mb);

    const CMPIBroker* getEnc() const;

    // The broker the value classes use to create objects (CmpiObjectPath from
    // a namespace and class name, CmpiInstance from a path). Every CmpiBaseMI
    // registers its broker here when constructed and withdraws it when
    // destroyed (clearCurrent). Thread-safe.
    static void setCurrent(const CMPIBroker* mb);
    // Withdraws mb when it is the registered broker; leaves another alone.
    static void clearCurrent(const CMPIBroker* mb);
    // Throws CmpiStatus(CMPI_RC_ERR_FAILED) when no broker is registered.
    static const CMPIBroker* current();

private:
    const CMPIBroker* mb_;
};

#endif
