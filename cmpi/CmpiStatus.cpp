#include "cmpi/CmpiStatus.h"

#include "cmpi/BrokerCalls.h"

CmpiStatus::CmpiStatus() : rc_(CMPI_RC_OK), hasMsg_(false) {}

CmpiStatus::CmpiStatus(CMPIrc rc) : rc_(rc), hasMsg_(false) {}

CmpiStatus::CmpiStatus(CMPIrc rc, const char* msg)
    : rc_(rc), hasMsg_(msg != nullptr), msg_(msg ? msg : "")
{
}

CMPIrc CmpiStatus::rc() const
{
    return rc_;
}

const char* CmpiStatus::msg() const
{
    return hasMsg_ ? msg_.c_str() : nullptr;
}

CMPIStatus CmpiStatus::status(const CMPIBroker* mb) const noexcept
{
    return cmpi_detail::makeStatus(mb, rc_, msg());
}
