#include "cmpi/CmpiResult.h"

#include "cmpi/BrokerCalls.h"

using namespace cmpi_detail;

namespace {

const char kName[] = "CMPIResult";

}  // namespace

CmpiResult::CmpiResult(const CMPIResult* enc) : enc_(enc) {}

void CmpiResult::returnData(const CmpiObjectPath& op)
{
    auto give = slot(tableOf(enc_, kName)->returnObjectPath, "CMPIResultFT.returnObjectPath");
    throwIfFailed(give(enc_, op.getEnc()));
}

void CmpiResult::returnData(const CmpiInstance& inst)
{
    auto give = slot(tableOf(enc_, kName)->returnInstance, "CMPIResultFT.returnInstance");
    throwIfFailed(give(enc_, inst.getEnc()));
}

void CmpiResult::returnData(const CmpiData& data)
{
    auto give = slot(tableOf(enc_, kName)->returnData, "CMPIResultFT.returnData");
    throwIfFailed(give(enc_, data.valuePtr(), data.passType()));
}

void CmpiResult::returnDone()
{
    auto done = slot(tableOf(enc_, kName)->returnDone, "CMPIResultFT.returnDone");
    throwIfFailed(done(enc_));
}

const CMPIResult* CmpiResult::getEnc() const
{
    return enc_;
}
