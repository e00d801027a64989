#ifndef VELMORA_HOST_BROKER_BROKERSTATE_H
#define VELMORA_HOST_BROKER_BROKERSTATE_H

#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "cmpi/cmpift.h"
#include "host/LogRecord.h"
#include "host/broker/BrokerObject.h"

namespace vhost::broker {

class Arena;

// Everything one host's broker owns: the CMPIBroker handed to the provider
// (hdl points back here), the mode of its tables, the objects the provider
// owns (clones, objects made outside any call) and the log it recorded.
//
// New objects made for the provider go through adopt(): into the calling
// thread's call arena when one of this broker is open, else they are Owned.
// Objects still alive when the state is destroyed are freed then.
class BrokerState {
public:
    explicit BrokerState(bool sparse);
    ~BrokerState();
    BrokerState(const BrokerState&) = delete;
    BrokerState& operator=(const BrokerState&) = delete;

    bool sparse() const { return sparse_; }
    const CMPIBroker* broker() const { return &broker_; }
    // The state behind a broker handle; nullptr for NULL or a foreign broker.
    static BrokerState* of(const CMPIBroker* mb);

    template <typename T>
    T* adopt(std::unique_ptr<T> object)
    {
        T* raw = object.get();
        place(std::move(object), false);
        return raw;
    }
    // Adopts as Owned whatever arena is open: the result of clone().
    template <typename T>
    T* adoptOwned(std::unique_ptr<T> object)
    {
        T* raw = object.get();
        place(std::move(object), true);
        return raw;
    }
    // release(): frees an Arena or Owned object at once; Pinned ones stay.
    void release(BrokerObject* object);

    // Puts an object the host hands into an MI call into that call's arena:
    // it stays Pinned (the provider's release() is harmless) and goes with
    // the arena.
    template <typename T>
    T* pin(Arena& arena, std::unique_ptr<T> object)
    {
        T* raw = object.get();
        pinInto(arena, std::move(object));
        return raw;
    }
    // Empties an arena that is closing; the caller frees the objects.
    std::vector<BrokerObject*> detachAll(Arena& arena);

    void countObject(int delta) { live_ += delta; }
    size_t liveObjects() const { return live_; }

    void log(LogRecord record);
    std::vector<LogRecord> logRecords() const;

private:
    void place(std::unique_ptr<BrokerObject> object, bool owned);
    void pinInto(Arena& arena, std::unique_ptr<BrokerObject> object);
    // Under mutex_: an object enters or leaves an arena's list.
    static void addTo(Arena& arena, BrokerObject* object);
    static void removeFrom(Arena& arena, BrokerObject* object);

    bool sparse_;
    CMPIBroker broker_;
    mutable std::mutex mutex_;
    std::unordered_set<BrokerObject*> owned_;
    std::vector<LogRecord> log_;
    std::atomic<long> live_{0};
};

}  // namespace vhost::broker

#endif
