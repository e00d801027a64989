#ifndef VELMORA_CMPI_CMPIINSTANCE_H
#define VELMORA_CMPI_CMPIINSTANCE_H

#include "cmpi/CmpiData.h"
#include "cmpi/CmpiObjectPath.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

// A CIM instance. Does not own the broker object: an instance the broker
// makes during an operation is reclaimed by the CIMOM when that operation
// returns. Every failing broker call, and every missing handle or table slot,
// is thrown as a CmpiStatus.
class VELMORA_EXPORT CmpiInstance {
public:
    // A new instance on op from the registered broker (CmpiBroker::current)
    // via eft->newInstance.
    explicit CmpiInstance(const CmpiObjectPath& op);
    explicit CmpiInstance(const CMPIInstance* enc);

    // Sets a property (ft->setProperty, never the optional
    // setPropertyWithOrigin). A CMPI_chars value is copied by the broker.
    void setProperty(const char* name, const CmpiData& value);
    // Throws the broker's status (e.g. CMPI_RC_ERR_NO_SUCH_PROPERTY) when
    // the instance has no such property.
    CmpiData getProperty(const char* name) const;
    CmpiObjectPath getObjectPath() const;

    // Gives a broker object this provider made back before the operation
    // ends (ft->release), once the CIMOM has copied it (e.g. after
    // returnData), so that large answers do not pile up until the call
    // returns. Never for objects the CIMOM handed in. Empty afterwards;
    // a missing release slot is simply skipped.
    void release();

    CMPIInstance* getEnc() const;

private:
    CMPIInstance* enc_;
};

#endif
