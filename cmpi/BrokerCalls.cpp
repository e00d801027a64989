#include "cmpi/BrokerCalls.h"

#include <string>

#include "cmpi/CmpiStatus.h"
#include "cmpi/CmpiString.h"

namespace cmpi_detail {

void throwNullHandle(const char* object)
{
    throw CmpiStatus(CMPI_RC_ERR_INVALID_HANDLE, (std::string("CMPI handle is NULL: ") + object).c_str());
}

void throwUnavailable(const char* function)
{
    throw CmpiStatus(CMPI_RC_ERR_FAILED,
                     (std::string("CMPI function not provided by the broker: ") + function).c_str());
}

void throwIfFailed(const CMPIStatus& status)
{
    if (status.rc == CMPI_RC_OK)
        return;
    throw CmpiStatus(status.rc, CmpiString(status.msg).charPtr());
}

void throwIfNotFound(const CMPIStatus& status, const CMPIData& data, const char* item)
{
    throwIfFailed(status);
    if ((data.state & CMPI_notFound) != 0)
        throw CmpiStatus(CMPI_RC_ERR_NO_SUCH_PROPERTY, (std::string("Not found: ") + (item ? item : "")).c_str());
}

const CMPIBrokerEncFT* encTable(const CMPIBroker* mb)
{
    if (mb == nullptr)
        throwNullHandle("CMPIBroker");
    if (mb->eft == nullptr)
        throwUnavailable("CMPIBroker.eft");
    return mb->eft;
}

CMPIStatus makeStatus(const CMPIBroker* mb, CMPIrc rc, const char* msg) noexcept
{
    CMPIStatus status{rc, nullptr};
    if (msg == nullptr || mb == nullptr || mb->eft == nullptr || mb->eft->newString == nullptr)
        return status;
    status.msg = mb->eft->newString(mb, msg, nullptr);
    return status;
}

}  // namespace cmpi_detail
