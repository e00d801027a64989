#include "host/broker/BrokerState.h"

#include "host/broker/Arena.h"
#include "host/broker/BrokerTables.h"

namespace vhost::broker {

BrokerState::BrokerState(bool sparse) : sparse_(sparse)
{
    broker_.hdl = this;
    broker_.bft = brokerTable(sparse);
    broker_.eft = encapsulatedTable(sparse);
    broker_.xft = extendedTable(sparse);
    broker_.mft = nullptr;  // no memory enhancements, and the capability bit is clear
}

BrokerState::~BrokerState()
{
    std::unordered_set<BrokerObject*> leftovers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        leftovers.swap(owned_);
    }
    for (BrokerObject* object : leftovers)
        delete object;
}

BrokerState* BrokerState::of(const CMPIBroker* mb)
{
    if (mb == nullptr || mb->hdl == nullptr)
        return nullptr;
    auto* state = static_cast<BrokerState*>(mb->hdl);
    return &state->broker_ == mb ? state : nullptr;
}

void BrokerState::place(std::unique_ptr<BrokerObject> object, bool owned)
{
    Arena* arena = Arena::current();
    std::lock_guard<std::mutex> lock(mutex_);
    if (!owned && arena != nullptr && &arena->state() == this) {
        object->life = Life::Arena;
        addTo(*arena, object.release());
        return;
    }
    object->life = Life::Owned;
    object->arena = nullptr;
    owned_.insert(object.release());
}

void BrokerState::release(BrokerObject* object)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (object->life == Life::Pinned)
            return;
        if (object->life == Life::Arena)
            removeFrom(*object->arena, object);
        else
            owned_.erase(object);
    }
    delete object;
}

void BrokerState::pinInto(Arena& arena, std::unique_ptr<BrokerObject> object)
{
    std::lock_guard<std::mutex> lock(mutex_);
    object->life = Life::Pinned;
    addTo(arena, object.release());
}

void BrokerState::addTo(Arena& arena, BrokerObject* object)
{
    object->arena = &arena;
    object->arenaSlot = arena.objects_.size();
    arena.objects_.push_back(object);
}

void BrokerState::removeFrom(Arena& arena, BrokerObject* object)
{
    BrokerObject* last = arena.objects_.back();
    arena.objects_[object->arenaSlot] = last;
    last->arenaSlot = object->arenaSlot;
    arena.objects_.pop_back();
    object->arena = nullptr;
}

std::vector<BrokerObject*> BrokerState::detachAll(Arena& arena)
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<BrokerObject*> objects;
    objects.swap(arena.objects_);
    for (BrokerObject* object : objects)
        object->arena = nullptr;
    return objects;
}

void BrokerState::log(LogRecord record)
{
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back(std::move(record));
}

std::vector<LogRecord> BrokerState::logRecords() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

}  // namespace vhost::broker
