#ifndef VELMORA_HOST_BROKER_ARENA_H
#define VELMORA_HOST_BROKER_ARENA_H

#include <vector>

#include "host/broker/BrokerObject.h"

namespace vhost::broker {

class BrokerState;

// The objects made during one MI call. Constructing an Arena opens it on the
// calling thread (broker objects created on this thread go into it);
// destroying it closes it and frees every object still in it. Arenas nest:
// the previous one is current again afterwards. The host reads everything it
// needs from the call (status.msg above all) before the arena goes.
class Arena {
public:
    explicit Arena(BrokerState& state);
    ~Arena();
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // The arena open on this thread, nullptr outside MI calls.
    static Arena* current();
    BrokerState& state() const { return state_; }

private:
    friend class BrokerState;  // keeps objects_ under its lock

    BrokerState& state_;
    Arena* previous_;
    // In creation order, holes left by release() filled from the end; each
    // object's arenaSlot is its index here.
    std::vector<BrokerObject*> objects_;
};

}  // namespace vhost::broker

#endif
