#include "cmpi/CmpiProviderBase.h"

CmpiProviderBase::CmpiProviderBase() : baseMI_(nullptr), useCount_(0) {}

CmpiProviderBase::~CmpiProviderBase() = default;

CmpiBaseMI* CmpiProviderBase::getBaseMI() const
{
    return baseMI_.load();
}

void CmpiProviderBase::setBaseMI(CmpiBaseMI* mi)
{
    baseMI_.store(mi);
}

unsigned CmpiProviderBase::incUseCount()
{
    return ++useCount_;
}

unsigned CmpiProviderBase::decUseCount()
{
    unsigned count = useCount_.load();
    while (count > 0 && !useCount_.compare_exchange_weak(count, count - 1)) {
    }
    return count > 0 ? count - 1 : 0;
}

unsigned CmpiProviderBase::getUseCount() const
{
    return useCount_.load();
}

std::mutex& CmpiProviderBase::factoryMutex()
{
    return factoryMutex_;
}

// Both kinds of hdl field (const void* and void*) hold a pointer of the
// same size and are cleared alike.
void CmpiProviderBase::addRecord(void** hdl)
{
    addRecord(const_cast<const void**>(hdl));
}

void CmpiProviderBase::addRecord(const void** hdl)
{
    for (int i = 0; i < recordCount_; ++i) {
        if (records_[i] == hdl)
            return;
    }
    if (recordCount_ < kMaxRecords)
        records_[recordCount_++] = hdl;
}

void CmpiProviderBase::clearRecords()
{
    for (int i = 0; i < recordCount_; ++i)
        *records_[i] = nullptr;
    recordCount_ = 0;
}
