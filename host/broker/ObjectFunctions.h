#ifndef VELMORA_HOST_BROKER_OBJECTFUNCTIONS_H
#define VELMORA_HOST_BROKER_OBJECTFUNCTIONS_H

#include "host/broker/BrokerObject.h"
#include "host/broker/BrokerState.h"
#include "host/broker/Status.h"

// The table entries every encapsulated object shares (release, clone), and
// the look-up that starts every other entry.
namespace vhost::broker {

// release(): frees an Arena or Owned object, does nothing to a Pinned one;
// CMPI_RC_ERR_INVALID_HANDLE for NULL, dead or foreign pointers.
template <typename T>
CMPIStatus releaseObject(const void* face) noexcept
{
    return guardedStatus([&] {
        T* object = find<T>(face);
        if (object == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        object->state().release(object);
        return status(CMPI_RC_OK);
    });
}

// clone(): a deep copy the provider owns and must release.
template <typename T>
auto cloneObject(const void* face, CMPIStatus* rc) noexcept -> decltype(std::declval<T&>().cmpi())
{
    using Face = decltype(std::declval<T&>().cmpi());
    return guarded<Face>(rc, nullptr, [&]() -> Face {
        T* object = find<T>(face);
        if (object == nullptr) {
            report(rc, CMPI_RC_ERR_INVALID_HANDLE);
            return nullptr;
        }
        T* copy = object->state().adoptOwned(object->copy());
        report(rc, CMPI_RC_OK);
        return copy->cmpi();
    });
}

// Finds the object for an entry and reports INVALID_HANDLE when there is none.
template <typename T>
T* lookup(const void* face, CMPIStatus* rc)
{
    T* object = find<T>(face);
    report(rc, object != nullptr ? CMPI_RC_OK : CMPI_RC_ERR_INVALID_HANDLE);
    return object;
}

}  // namespace vhost::broker

#endif
