#include "host/MiRegistry.h"

namespace vhost {

void MiRegistry::add(Kind kind, void* mi)
{
    std::lock_guard<std::mutex> lock(mutex_);
    records_.push_back(Record{kind, mi});
}

void* MiRegistry::first(Kind kind) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Record& record : records_)
        if (record.kind == kind)
            return record.mi;
    return nullptr;
}

std::optional<MiRegistry::Record> MiRegistry::newest(Kind kind) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = records_.rbegin(); it != records_.rend(); ++it)
        if (it->kind == kind)
            return *it;
    return std::nullopt;
}

void MiRegistry::settle(Kind kind, void* mi, CMPIrc answer, bool terminating)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
        if (it->kind != kind || it->mi != mi)
            continue;
        if (terminating || answer == CMPI_RC_OK)
            records_.erase(std::next(it).base());
        else if (answer == CMPI_RC_NEVER_UNLOAD)
            it->neverUnload = true;
        return;
    }
}

std::vector<MiRegistry::Record> MiRegistry::live() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return std::vector<Record>(records_.rbegin(), records_.rend());
}

}  // namespace vhost
