#include "host/broker/Arena.h"

#include "host/broker/BrokerState.h"

namespace vhost::broker {
namespace {

thread_local Arena* tCurrent = nullptr;

}  // namespace

Arena::Arena(BrokerState& state) : state_(state), previous_(tCurrent)
{
    tCurrent = this;
}

Arena::~Arena()
{
    tCurrent = previous_;
    // Freed outside the state's lock: an object's destructor frees the
    // objects it holds, which takes the registry lock again.
    for (BrokerObject* object : state_.detachAll(*this))
        delete object;
}

Arena* Arena::current() { return tCurrent; }

}  // namespace vhost::broker
