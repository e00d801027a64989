#ifndef VELMORA_CMPI_CMPIPROVIDERBASE_H
#define VELMORA_CMPI_CMPIPROVIDERBASE_H

#include <atomic>
#include <mutex>

#include "common/Export.h"

class CmpiBaseMI;

// The process-wide anchor of a provider library: the one provider object that
// all its MIs share and the number of MIs using it. The factories create the
// object and count each MI; CmpiBaseMI::driveBaseCleanup counts them down and
// deletes the object after the last one.
class VELMORA_EXPORT CmpiProviderBase {
public:
    // No provider object, use count 0.
    CmpiProviderBase();
    // Does not delete a provider object still registered: at library unload
    // the CIMOM has cleaned up every MI, and at process exit running provider
    // code from a static destructor would do more harm than good.
    ~CmpiProviderBase();

    CmpiProviderBase(const CmpiProviderBase&) = delete;
    CmpiProviderBase& operator=(const CmpiProviderBase&) = delete;

    CmpiBaseMI* getBaseMI() const;
    void setBaseMI(CmpiBaseMI* mi);

    // Each returns the count after the change; decUseCount never goes below 0.
    unsigned incUseCount();
    unsigned decUseCount();
    unsigned getUseCount() const;

    // Held by the factories while they look up or create the provider object,
    // and by the cleanup while it counts down and deletes it, so that exactly
    // one object is created and none is used after its deletion.
    std::mutex& factoryMutex();

    // Notes the hdl field of an MI record that points at the object (the
    // factories, under factoryMutex): when the object is deleted every such
    // field is cleared, so no record is left pointing at freed memory. A
    // record keeps its hdl while the object lives, whichever of its users
    // is cleaned up first.
    void addRecord(const void** hdl);
    void addRecord(void** hdl);
    // Clears every noted hdl and forgets them (the cleanup, under
    // factoryMutex, as it deletes the object).
    void clearRecords();

private:
    std::atomic<CmpiBaseMI*> baseMI_;
    std::atomic<unsigned> useCount_;
    std::mutex factoryMutex_;
    // A library has one record per MI type: a few entries at most.
    static constexpr int kMaxRecords = 8;
    const void** records_[kMaxRecords] = {};
    int recordCount_ = 0;
};

#endif
