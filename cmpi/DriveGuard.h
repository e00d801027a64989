#ifndef VELMORA_CMPI_DRIVEGUARD_H
#define VELMORA_CMPI_DRIVEGUARD_H

#include <syslog.h>

#include <exception>

#include "cmpi/BrokerCalls.h"
#include "cmpi/CmpiBaseMI.h"
#include "cmpi/CmpiStatus.h"
#include "cmpi/cmpift.h"

// Internal: the one exception barrier of every drive function. No C++
// exception may unwind into the CIMOM's C code.
namespace cmpi_detail {

// The message of a failure that is neither a CmpiStatus nor a std::exception.
inline const char kUnknownFailure[] = "Unknown exception in the provider";

// Runs operation (returning a CmpiStatus) and converts its outcome into the
// C status with messages made by mb: a thrown CmpiStatus as it is, a
// std::exception as CMPI_RC_ERR_FAILED with what(), anything else as
// CMPI_RC_ERR_FAILED with kUnknownFailure.
template <class Operation>
CMPIStatus guard(const CMPIBroker* mb, Operation&& operation) noexcept
{
    try {
        return operation().status(mb);
    } catch (const CmpiStatus& status) {
        return status.status(mb);
    } catch (const std::exception& e) {
        syslog(LOG_ERR, "%s", e.what());
        return makeStatus(mb, CMPI_RC_ERR_FAILED, e.what());
    } catch (...) {
        syslog(LOG_ERR, "%s", kUnknownFailure);
        return makeStatus(mb, CMPI_RC_ERR_FAILED, kUnknownFailure);
    }
}

// The provider object an MI record points at, or nullptr.
template <class MIRecord>
CmpiBaseMI* providerOf(const MIRecord* mi)
{
    if (mi == nullptr || mi->hdl == nullptr)
        return nullptr;
    return static_cast<CmpiBaseMI*>(const_cast<void*>(mi->hdl));
}

// Resolves the record to the interface Interface of its provider object and
// runs operation(Interface&) behind guard with that object's broker.
template <class Interface, class MIRecord, class Operation>
CMPIStatus driveAs(const MIRecord* mi, Operation&& operation) noexcept
{
    CmpiBaseMI* base = providerOf(mi);
    if (base == nullptr)
        return CMPIStatus{CMPI_RC_ERR_INVALID_HANDLE, nullptr};
    const CMPIBroker* mb = base->getBroker().getEnc();
    Interface* target = dynamic_cast<Interface*>(base);
    if (target == nullptr)
        return makeStatus(mb, CMPI_RC_ERR_NOT_SUPPORTED, "The provider does not implement this interface");
    return guard(mb, [&] { return operation(*target); });
}

}  // namespace cmpi_detail

#endif
