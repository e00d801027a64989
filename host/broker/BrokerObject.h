#ifndef VELMORA_HOST_BROKER_BROKEROBJECT_H
#define VELMORA_HOST_BROKER_BROKEROBJECT_H

#include <cstddef>
#include <memory>
#include <string>

namespace vhost::broker {

class BrokerState;
class Arena;

// Who frees an object.
enum class Life {
    Arena,   // made for the provider during an MI call: freed when the call returns, or by release()
    Owned,   // a clone, or made outside any call: the provider releases it; the host frees leftovers at its end
    Pinned,  // handed into an MI call, or held inside another object: release() is harmless, the holder frees it
};

// Base of every encapsulated object the host implements. The object embeds
// its CMPI face {hdl, ft}; the provider only ever sees the face's address.
// Every live object is registered under that address, so a broker function
// can tell a live object of its own from NULL, a released one or a foreign
// pointer, and answer CMPI_RC_ERR_INVALID_HANDLE instead of touching memory
// it does not own.
class BrokerObject {
public:
    enum class Kind { String, Context, Result, ObjectPath, Instance, Args, Array, DateTime };

    virtual ~BrokerObject();
    BrokerObject(const BrokerObject&) = delete;
    BrokerObject& operator=(const BrokerObject&) = delete;

    Kind kind() const { return kind_; }
    BrokerState& state() const { return state_; }
    const void* face() const { return face_; }

    // A deep copy (Pinned until someone adopts it), for clone() and for
    // values stored inside other objects.
    virtual std::unique_ptr<BrokerObject> duplicate() const = 0;
    // The text eft->toString answers for this object.
    virtual std::string describe() const = 0;

    Life life = Life::Pinned;
    Arena* arena = nullptr;  // set while the object is in an arena (Life::Arena, or Pinned into a call)
    size_t arenaSlot = 0;    // its index in that arena

protected:
    BrokerObject(BrokerState& state, Kind kind, const void* face);

private:
    BrokerState& state_;
    Kind kind_;
    const void* face_;
};

// "CMPIString", "CMPIInstance", ...: the CMPI type name of a kind.
const char* kindName(BrokerObject::Kind kind);

// The live object registered under a CMPI pointer; nullptr for NULL, a
// released object or a pointer the host never made.
BrokerObject* findObject(const void* face);

// The live object of type T (a final class naming its kind in kKind).
template <typename T>
T* find(const void* face)
{
    BrokerObject* object = findObject(face);
    return object != nullptr && object->kind() == T::kKind ? static_cast<T*>(object) : nullptr;
}

}  // namespace vhost::broker

#endif
