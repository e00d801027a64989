#ifndef VELMORA_CMPI_BROKERCALLS_H
#define VELMORA_CMPI_BROKERCALLS_H

#include "cmpi/cmpift.h"

// Internal helpers of the binding classes for calling into the CIMOM safely.
// A CIMOM may leave table slots NULL (sfcb does for the 2.0 additions), so
// every call goes through these checks: a missing handle, table or slot
// becomes a thrown CmpiStatus instead of a jump to address zero.
namespace cmpi_detail {

// Throws CmpiStatus(CMPI_RC_ERR_INVALID_HANDLE) naming the missing object.
[[noreturn]] void throwNullHandle(const char* object);

// Throws CmpiStatus(CMPI_RC_ERR_FAILED) naming the broker function that the
// CIMOM does not provide.
[[noreturn]] void throwUnavailable(const char* function);

// Throws the broker's status as a CmpiStatus (its code, a copy of its
// message) unless it is CMPI_RC_OK.
void throwIfFailed(const CMPIStatus& status);

// For getters: throwIfFailed, then CmpiStatus(CMPI_RC_ERR_NO_SUCH_PROPERTY)
// when the broker marked the item only by the state CMPI_notFound, as
// brokers older than 2.1 may.
void throwIfNotFound(const CMPIStatus& status, const CMPIData& data, const char* item);

// A status to pass as the rc out-parameter: OK until the broker says else.
inline CMPIStatus okStatus()
{
    return CMPIStatus{CMPI_RC_OK, nullptr};
}

// The function table of a broker object; throws when the object or its
// table is missing.
template <class Object>
auto tableOf(const Object* object, const char* name) -> decltype(object->ft)
{
    if (object == nullptr)
        throwNullHandle(name);
    if (object->ft == nullptr)
        throwUnavailable(name);
    return object->ft;
}

// The slot itself; throws when the CIMOM left it NULL.
template <class Function>
Function slot(Function function, const char* name)
{
    if (function == nullptr)
        throwUnavailable(name);
    return function;
}

// The broker's factory table; throws when there is no broker or no table.
const CMPIBrokerEncFT* encTable(const CMPIBroker* mb);

// A C status with a broker-made message (eft->newString). Without a broker,
// a usable newString or a message, msg is NULL. Never throws: it is the last
// step of every drive function.
CMPIStatus makeStatus(const CMPIBroker* mb, CMPIrc rc, const char* msg) noexcept;

}  // namespace cmpi_detail

#endif
