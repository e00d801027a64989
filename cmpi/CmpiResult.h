#ifndef VELMORA_CMPI_CMPIRESULT_H
#define VELMORA_CMPI_CMPIRESULT_H

#include "cmpi/CmpiData.h"
#include "cmpi/CmpiInstance.h"
#include "cmpi/CmpiObjectPath.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

// Where an operation delivers its answer. Does not own it; valid only during
// the call that passed it. The broker copies every item when it is returned.
// Each call throws the broker's status as a CmpiStatus when the broker
// answers non-OK (OpenPegasus, for one, refuses kinds that do not fit the
// operation), and a CmpiStatus for a missing handle or table slot.
class VELMORA_EXPORT CmpiResult {
public:
    explicit CmpiResult(const CMPIResult* enc);

    // An object path goes out via ft->returnObjectPath.
    void returnData(const CmpiObjectPath& op);
    // An instance goes out via ft->returnInstance.
    void returnData(const CmpiInstance& inst);
    // A plain value (a method's return value) goes out via ft->returnData.
    void returnData(const CmpiData& data);
    // Tells the broker that no more items follow.
    void returnDone();

    const CMPIResult* getEnc() const;

private:
    const CMPIResult* enc_;
};

#endif
