#ifndef VELMORA_CMPI_CMPIOBJECTPATH_H
#define VELMORA_CMPI_CMPIOBJECTPATH_H

#include "cmpi/CmpiData.h"
#include "cmpi/CmpiString.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

// A CIM object path (namespace, class name, host, keys). Does not own the
// broker object: a path the broker makes during an operation is reclaimed by
// the CIMOM when that operation returns. Every failing broker call, and every
// missing handle or table slot, is thrown as a CmpiStatus.
class VELMORA_EXPORT CmpiObjectPath {
public:
    // A new path from the registered broker (CmpiBroker::current) via
    // eft->newObjectPath.
    CmpiObjectPath(const char* nameSpace, const char* className);
    explicit CmpiObjectPath(const CMPIObjectPath* enc);

    CmpiString getNameSpace() const;
    CmpiString getClassName() const;
    CmpiString getHostname() const;

    // The key's value; throws the broker's status (e.g.
    // CMPI_RC_ERR_NO_SUCH_PROPERTY) when the path has no such key.
    CmpiData getKey(const char* name) const;
    // Adds or replaces a key (addKey). A CMPI_chars value is copied by the
    // broker, so value may go away afterwards.
    void setKey(const char* name, const CmpiData& value);
    unsigned getKeyCount() const;

    // Gives a broker object this provider made back before the operation
    // ends (ft->release), once the CIMOM has copied it (e.g. after
    // returnData), so that large answers do not pile up until the call
    // returns. Never for objects the CIMOM handed in. Empty afterwards;
    // a missing release slot is simply skipped.
    void release();

    CMPIObjectPath* getEnc() const;

private:
    CmpiString stringOf(CMPIString* (*getter)(const CMPIObjectPath*, CMPIStatus*), const char* name) const;

    CMPIObjectPath* enc_;
};

#endif
