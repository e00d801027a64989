#include "host/broker/FaceTable.h"

#include <cstdint>

namespace vhost::broker {

size_t FaceTable::home(const void* face) const
{
    // Fibonacci hashing: objects come from the allocator in runs of nearby
    // addresses, which the multiplication spreads over the whole table.
    const uint64_t key = reinterpret_cast<uintptr_t>(face) >> 4;
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 20) & (slots_.size() - 1);
}

void FaceTable::grow()
{
    std::vector<Slot> old(slots_.empty() ? 1024 : slots_.size() * 2);
    old.swap(slots_);
    size_ = 0;
    for (const Slot& slot : old)
        if (slot.face != nullptr)
            insert(slot.face, slot.object);
}

void FaceTable::insert(const void* face, BrokerObject* object)
{
    if ((size_ + 1) * 2 > slots_.size())
        grow();
    const size_t mask = slots_.size() - 1;
    size_t i = home(face);
    while (slots_[i].face != nullptr && slots_[i].face != face)
        i = (i + 1) & mask;
    size_ += slots_[i].face == nullptr;
    slots_[i] = Slot{face, object};
}

BrokerObject* FaceTable::find(const void* face) const
{
    if (slots_.empty() || face == nullptr)
        return nullptr;
    const size_t mask = slots_.size() - 1;
    for (size_t i = home(face); slots_[i].face != nullptr; i = (i + 1) & mask)
        if (slots_[i].face == face)
            return slots_[i].object;
    return nullptr;
}

// Backward-shift deletion keeps every probe chain unbroken without
// tombstones: each later entry of the run that may move into the hole does.
void FaceTable::erase(const void* face)
{
    if (slots_.empty() || face == nullptr)
        return;
    const size_t mask = slots_.size() - 1;
    size_t hole = home(face);
    while (slots_[hole].face != face) {
        if (slots_[hole].face == nullptr)
            return;
        hole = (hole + 1) & mask;
    }
    for (size_t next = (hole + 1) & mask; slots_[next].face != nullptr; next = (next + 1) & mask) {
        const size_t want = home(slots_[next].face);
        // The entry may fill the hole when its home does not lie in (hole, next].
        if (((next - want) & mask) >= ((next - hole) & mask)) {
            slots_[hole] = slots_[next];
            hole = next;
        }
    }
    slots_[hole] = Slot{};
    --size_;
}

}  // namespace vhost::broker
