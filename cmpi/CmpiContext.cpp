#include "cmpi/CmpiContext.h"

#include "cmpi/BrokerCalls.h"

using namespace cmpi_detail;

CmpiContext::CmpiContext(const CMPIContext* enc) : enc_(enc) {}

CmpiData CmpiContext::getEntry(const char* name) const
{
    CMPIStatus rc = okStatus();
    CMPIData data = slot(tableOf(enc_, "CMPIContext")->getEntry, "CMPIContextFT.getEntry")(enc_, name, &rc);
    throwIfNotFound(rc, data, name);
    return CmpiData(data);
}

const CMPIContext* CmpiContext::getEnc() const
{
    return enc_;
}
