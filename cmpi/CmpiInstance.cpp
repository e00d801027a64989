#include "cmpi/CmpiInstance.h"

#include "cmpi/BrokerCalls.h"
#include "cmpi/CmpiBroker.h"
#include "cmpi/CmpiStatus.h"

using namespace cmpi_detail;

namespace {

const char kName[] = "CMPIInstance";

}  // namespace

CmpiInstance::CmpiInstance(const CmpiObjectPath& op) : enc_(nullptr)
{
    const CMPIBroker* mb = CmpiBroker::current();
    CMPIStatus rc = okStatus();
    enc_ = slot(encTable(mb)->newInstance, "eft->newInstance")(mb, op.getEnc(), &rc);
    throwIfFailed(rc);
    if (enc_ == nullptr)
        throw CmpiStatus(CMPI_RC_ERR_FAILED, "The broker made no instance");
}

// An instance handed to the provider arrives as const; see CmpiObjectPath.
CmpiInstance::CmpiInstance(const CMPIInstance* enc) : enc_(const_cast<CMPIInstance*>(enc)) {}

void CmpiInstance::setProperty(const char* name, const CmpiData& value)
{
    auto set = slot(tableOf(enc_, kName)->setProperty, "CMPIInstanceFT.setProperty");
    throwIfFailed(set(enc_, name, value.valuePtr(), value.passType()));
}

CmpiData CmpiInstance::getProperty(const char* name) const
{
    CMPIStatus rc = okStatus();
    CMPIData data = slot(tableOf(enc_, kName)->getProperty, "CMPIInstanceFT.getProperty")(enc_, name, &rc);
    throwIfNotFound(rc, data, name);
    return CmpiData(data);
}

CmpiObjectPath CmpiInstance::getObjectPath() const
{
    CMPIStatus rc = okStatus();
    CMPIObjectPath* op = slot(tableOf(enc_, kName)->getObjectPath, "CMPIInstanceFT.getObjectPath")(enc_, &rc);
    throwIfFailed(rc);
    if (op == nullptr)
        throw CmpiStatus(CMPI_RC_ERR_FAILED, "The instance has no object path");
    return CmpiObjectPath(op);
}

CMPIInstance* CmpiInstance::getEnc() const
{
    return enc_;
}

void CmpiInstance::release()
{
    if (enc_ != nullptr && enc_->ft != nullptr && enc_->ft->release != nullptr)
        enc_->ft->release(enc_);
    enc_ = nullptr;
}
