#include "cmpi/CmpiObjectPath.h"

#include "cmpi/BrokerCalls.h"
#include "cmpi/CmpiBroker.h"
#include "cmpi/CmpiStatus.h"

using namespace cmpi_detail;

namespace {

const char kName[] = "CMPIObjectPath";

}  // namespace

CmpiObjectPath::CmpiObjectPath(const char* nameSpace, const char* className) : enc_(nullptr)
{
    const CMPIBroker* mb = CmpiBroker::current();
    CMPIStatus rc = okStatus();
    enc_ = slot(encTable(mb)->newObjectPath, "eft->newObjectPath")(mb, nameSpace, className, &rc);
    throwIfFailed(rc);
    if (enc_ == nullptr)
        throw CmpiStatus(CMPI_RC_ERR_FAILED, "The broker made no object path");
}

// The broker's setters take a non-const path although the C call that hands
// the path to the provider passes it as const; both refer to one object.
CmpiObjectPath::CmpiObjectPath(const CMPIObjectPath* enc) : enc_(const_cast<CMPIObjectPath*>(enc)) {}

CmpiString CmpiObjectPath::stringOf(CMPIString* (*getter)(const CMPIObjectPath*, CMPIStatus*),
                                    const char* name) const
{
    CMPIStatus rc = okStatus();
    CMPIString* text = slot(getter, name)(enc_, &rc);
    throwIfFailed(rc);
    return CmpiString(text);
}

CmpiString CmpiObjectPath::getNameSpace() const
{
    return stringOf(tableOf(enc_, kName)->getNameSpace, "CMPIObjectPathFT.getNameSpace");
}

CmpiString CmpiObjectPath::getClassName() const
{
    return stringOf(tableOf(enc_, kName)->getClassName, "CMPIObjectPathFT.getClassName");
}

CmpiString CmpiObjectPath::getHostname() const
{
    return stringOf(tableOf(enc_, kName)->getHostname, "CMPIObjectPathFT.getHostname");
}

CmpiData CmpiObjectPath::getKey(const char* name) const
{
    CMPIStatus rc = okStatus();
    CMPIData data = slot(tableOf(enc_, kName)->getKey, "CMPIObjectPathFT.getKey")(enc_, name, &rc);
    throwIfNotFound(rc, data, name);
    return CmpiData(data);
}

void CmpiObjectPath::setKey(const char* name, const CmpiData& value)
{
    auto addKey = slot(tableOf(enc_, kName)->addKey, "CMPIObjectPathFT.addKey");
    throwIfFailed(addKey(enc_, name, value.valuePtr(), value.passType()));
}

unsigned CmpiObjectPath::getKeyCount() const
{
    CMPIStatus rc = okStatus();
    CMPICount count = slot(tableOf(enc_, kName)->getKeyCount, "CMPIObjectPathFT.getKeyCount")(enc_, &rc);
    throwIfFailed(rc);
    return count;
}

CMPIObjectPath* CmpiObjectPath::getEnc() const
{
    return enc_;
}

void CmpiObjectPath::release()
{
    if (enc_ != nullptr && enc_->ft != nullptr && enc_->ft->release != nullptr)
        enc_->ft->release(enc_);
    enc_ = nullptr;
}
