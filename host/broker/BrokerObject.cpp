#include "host/broker/BrokerObject.h"

#include <mutex>

#include "host/broker/BrokerState.h"
#include "host/broker/FaceTable.h"
#include "host/broker/SpinLock.h"

namespace vhost::broker {
namespace {

// Process-wide, because an object's own functions (release, getCharPtr, ...)
// receive no broker handle to find a per-host table with. Every broker call
// looks its object up here, hence the spin lock.
struct Registry {
    SpinLock spin;
    FaceTable objects;
};

Registry& registry()
{
    static Registry* instance = new Registry;  // never destroyed: objects may outlive static teardown order
    return *instance;
}

}  // namespace

BrokerObject::BrokerObject(BrokerState& state, Kind kind, const void* face)
    : state_(state), kind_(kind), face_(face)
{
    Registry& r = registry();
    {
        std::lock_guard<SpinLock> lock(r.spin);
        r.objects.insert(face, this);
    }
    state_.countObject(+1);
}

BrokerObject::~BrokerObject()
{
    Registry& r = registry();
    {
        std::lock_guard<SpinLock> lock(r.spin);
        r.objects.erase(face_);
    }
    state_.countObject(-1);
}

const char* kindName(BrokerObject::Kind kind)
{
    switch (kind) {
    case BrokerObject::Kind::String: return "CMPIString";
    case BrokerObject::Kind::Context: return "CMPIContext";
    case BrokerObject::Kind::Result: return "CMPIResult";
    case BrokerObject::Kind::ObjectPath: return "CMPIObjectPath";
    case BrokerObject::Kind::Instance: return "CMPIInstance";
    case BrokerObject::Kind::Args: return "CMPIArgs";
    case BrokerObject::Kind::Array: return "CMPIArray";
    case BrokerObject::Kind::DateTime: return "CMPIDateTime";
    }
    return "CMPIUnknown";
}

BrokerObject* findObject(const void* face)
{
    if (face == nullptr)
        return nullptr;
    Registry& r = registry();
    std::lock_guard<SpinLock> lock(r.spin);
    return r.objects.find(face);
}

}  // namespace vhost::broker
