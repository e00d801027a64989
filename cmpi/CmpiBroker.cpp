#include "cmpi/CmpiBroker.h"

#include <atomic>

#include "cmpi/CmpiStatus.h"

namespace {

// Operations of the CIMOM's threads read it while a factory may set it.
std::atomic<const CMPIBroker*> currentBroker{nullptr};

}  // namespace

CmpiBroker::CmpiBroker(const CMPIBroker* mb) : mb_(mb) {}

const CMPIBroker* CmpiBroker::getEnc() const
{
    return mb_;
}

void CmpiBroker::setCurrent(const CMPIBroker* mb)
{
    currentBroker.store(mb);
}

void CmpiBroker::clearCurrent(const CMPIBroker* mb)
{
    currentBroker.compare_exchange_strong(mb, nullptr);
}

const CMPIBroker* CmpiBroker::current()
{
    const CMPIBroker* mb = currentBroker.load();
    if (mb == nullptr)
        throw CmpiStatus(CMPI_RC_ERR_FAILED, "No CMPI broker is registered");
    return mb;
}
