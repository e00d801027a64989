#include "cmpi/CmpiArgs.h"

#include "cmpi/BrokerCalls.h"

using namespace cmpi_detail;

namespace {

const char kName[] = "CMPIArgs";

}  // namespace

CmpiArgs::CmpiArgs(const CMPIArgs* enc) : enc_(enc) {}

CmpiData CmpiArgs::getArg(const char* name) const
{
    CMPIStatus rc = okStatus();
    CMPIData data = slot(tableOf(enc_, kName)->getArg, "CMPIArgsFT.getArg")(enc_, name, &rc);
    throwIfNotFound(rc, data, name);
    return CmpiData(data);
}

void CmpiArgs::setArg(const char* name, const CmpiData& value)
{
    auto add = slot(tableOf(enc_, kName)->addArg, "CMPIArgsFT.addArg");
    throwIfFailed(add(enc_, name, value.valuePtr(), value.passType()));
}

unsigned CmpiArgs::getArgCount() const
{
    CMPIStatus rc = okStatus();
    CMPICount count = slot(tableOf(enc_, kName)->getArgCount, "CMPIArgsFT.getArgCount")(enc_, &rc);
    throwIfFailed(rc);
    return count;
}

const CMPIArgs* CmpiArgs::getEnc() const
{
    return enc_;
}
