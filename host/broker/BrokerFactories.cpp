// eft: the factories the provider builds its answers with, and the small
// services around them (type questions, logging). Objects made here go into
// the calling thread's call arena (see BrokerState::adopt).
#include <memory>

#include "host/Literals.h"
#include "host/broker/ArgsObject.h"
#include "host/broker/ArrayObject.h"
#include "host/broker/BrokerState.h"
#include "host/broker/BrokerTables.h"
#include "host/broker/DateTimeObject.h"
#include "host/broker/InstanceObject.h"
#include "host/broker/ObjectPathObject.h"
#include "host/broker/Status.h"
#include "host/broker/StringObject.h"

namespace vhost::broker {
namespace {

// Runs a factory: checks the broker handle, turns exceptions into FAILED.
template <typename R, typename F>
R make(const CMPIBroker* mb, CMPIStatus* rc, F&& body)
{
    return guarded<R>(rc, nullptr, [&]() -> R {
        BrokerState* state = BrokerState::of(mb);
        report(rc, state != nullptr ? CMPI_RC_OK : CMPI_RC_ERR_INVALID_HANDLE);
        return state != nullptr ? body(*state) : nullptr;
    });
}

CMPIInstance* newInstance(const CMPIBroker* mb, const CMPIObjectPath* instPath, CMPIStatus* rc)
{
    return make<CMPIInstance*>(mb, rc, [&](BrokerState& state) -> CMPIInstance* {
        ObjectPathObject* path = find<ObjectPathObject>(instPath);
        if (path == nullptr) {
            report(rc, CMPI_RC_ERR_INVALID_HANDLE);
            return nullptr;
        }
        return state.adopt(std::make_unique<InstanceObject>(state, path->copy()))->cmpi();
    });
}

CMPIObjectPath* newObjectPath(const CMPIBroker* mb, const char* ns, const char* cn, CMPIStatus* rc)
{
    return make<CMPIObjectPath*>(mb, rc, [&](BrokerState& state) {
        auto path = std::make_unique<ObjectPathObject>(state, ns ? ns : "", cn ? cn : "");
        return state.adopt(std::move(path))->cmpi();
    });
}

CMPIArgs* newArgs(const CMPIBroker* mb, CMPIStatus* rc)
{
    return make<CMPIArgs*>(mb, rc, [&](BrokerState& state) {
        return state.adopt(std::make_unique<ArgsObject>(state))->cmpi();
    });
}

// newString(NULL) makes a string without text rather than failing: it is
// what a provider gets for a missing value, and it can be told apart.
CMPIString* newString(const CMPIBroker* mb, const char* data, CMPIStatus* rc)
{
    return make<CMPIString*>(mb, rc, [&](BrokerState& state) {
        return StringObject::make(state, data ? std::optional<std::string>(data) : std::nullopt);
    });
}

CMPIArray* newArray(const CMPIBroker* mb, CMPICount size, CMPIType type, CMPIStatus* rc)
{
    return make<CMPIArray*>(mb, rc, [&](BrokerState& state) {
        return state.adopt(std::make_unique<ArrayObject>(state, type, size))->cmpi();
    });
}

CMPIDateTime* newDateTime(const CMPIBroker* mb, CMPIStatus* rc)
{
    return make<CMPIDateTime*>(mb, rc, [&](BrokerState& state) {
        return state.adopt(DateTimeObject::now(state))->cmpi();
    });
}

CMPIDateTime* newDateTimeFromBinary(const CMPIBroker* mb, CMPIUint64 binTime, CMPIBoolean interval, CMPIStatus* rc)
{
    return make<CMPIDateTime*>(mb, rc, [&](BrokerState& state) {
        return state.adopt(std::make_unique<DateTimeObject>(state, binTime, interval != 0))->cmpi();
    });
}

CMPIDateTime* newDateTimeFromChars(const CMPIBroker* mb, const char* datetime, CMPIStatus* rc)
{
    return make<CMPIDateTime*>(mb, rc, [&](BrokerState& state) -> CMPIDateTime* {
        auto parsed = datetime != nullptr ? DateTimeObject::parse(state, datetime) : nullptr;
        if (!parsed) {
            report(rc, CMPI_RC_ERR_INVALID_PARAMETER);
            return nullptr;
        }
        return state.adopt(std::move(parsed))->cmpi();
    });
}

CMPISelectExp* newSelectExp(const CMPIBroker*, const char*, const char*, CMPIArray**, CMPIStatus* rc)
{
    report(rc, CMPI_RC_ERR_NOT_SUPPORTED);
    return nullptr;
}

// Without a class repository a class is only known to be itself.
CMPIBoolean classPathIsA(const CMPIBroker* mb, const CMPIObjectPath* classPath, const char* className,
                         CMPIStatus* rc)
{
    ObjectPathObject* path = find<ObjectPathObject>(classPath);
    if (BrokerState::of(mb) == nullptr || path == nullptr) {
        report(rc, CMPI_RC_ERR_INVALID_HANDLE);
        return 0;
    }
    if (className == nullptr) {
        report(rc, CMPI_RC_ERR_INVALID_PARAMETER);
        return 0;
    }
    report(rc, CMPI_RC_OK);
    return literals::sameName(path->className, className);
}

CMPIString* toString(const CMPIBroker* mb, const void* object, CMPIStatus* rc)
{
    return make<CMPIString*>(mb, rc, [&](BrokerState& state) -> CMPIString* {
        BrokerObject* found = findObject(object);
        if (found == nullptr) {
            report(rc, CMPI_RC_ERR_INVALID_HANDLE);
            return nullptr;
        }
        return StringObject::make(state, found->describe());
    });
}

CMPIBoolean isOfType(const CMPIBroker* mb, const void* object, const char* type, CMPIStatus* rc)
{
    BrokerObject* found = findObject(object);
    if (BrokerState::of(mb) == nullptr || found == nullptr) {
        report(rc, CMPI_RC_ERR_INVALID_HANDLE);
        return 0;
    }
    report(rc, type != nullptr ? CMPI_RC_OK : CMPI_RC_ERR_INVALID_PARAMETER);
    return type != nullptr && std::string(type) == kindName(found->kind());
}

CMPIString* getType(const CMPIBroker* mb, const void* object, CMPIStatus* rc)
{
    return make<CMPIString*>(mb, rc, [&](BrokerState& state) -> CMPIString* {
        BrokerObject* found = findObject(object);
        if (found == nullptr) {
            report(rc, CMPI_RC_ERR_INVALID_HANDLE);
            return nullptr;
        }
        return StringObject::make(state, std::string(kindName(found->kind())));
    });
}

// Like sfcb: no message files, so the default text comes back unchanged
// (arguments not inserted) with CMPI_RC_ERR_NOT_SUPPORTED.
CMPIString* defaultMessage(const CMPIBroker* mb, const char* defMsg, CMPIStatus* rc)
{
    CMPIString* text = make<CMPIString*>(mb, rc, [&](BrokerState& state) {
        return StringObject::make(state, defMsg ? std::optional<std::string>(defMsg) : std::nullopt);
    });
    if (text != nullptr)
        report(rc, CMPI_RC_ERR_NOT_SUPPORTED);
    return text;
}

CMPIString* getMessage(const CMPIBroker* mb, const char*, const char* defMsg, CMPIStatus* rc, CMPICount, ...)
{
    return defaultMessage(mb, defMsg, rc);
}

CMPIString* getMessage2(const CMPIBroker* mb, const char*, const CMPIMsgFileHandle, const char* defMsg,
                        CMPIStatus* rc, CMPICount, ...)
{
    return defaultMessage(mb, defMsg, rc);
}

CMPIStatus record(const CMPIBroker* mb, LogRecord::Kind kind, int level, const char* id, const char* text,
                  const CMPIString* string)
{
    return guardedStatus([&] {
        BrokerState* state = BrokerState::of(mb);
        if (state == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        StringObject* fallback = find<StringObject>(string);
        std::string message = text ? text : fallback && fallback->text() ? *fallback->text() : "";
        state->log(LogRecord{kind, level, id ? id : "", std::move(message)});
        return status(CMPI_RC_OK);
    });
}

CMPIStatus logMessage(const CMPIBroker* mb, int severity, const char* id, const char* text, const CMPIString* string)
{
    return record(mb, LogRecord::Log, severity, id, text, string);
}

CMPIStatus trace(const CMPIBroker* mb, int level, const char* component, const char* text, const CMPIString* string)
{
    return record(mb, LogRecord::Trace, level, component, text, string);
}

CMPIError* newCMPIError(const CMPIBroker*, const char*, const char*, const char*, const CMPIErrorSeverity,
                        const CMPIErrorProbableCause, const CMPIrc, CMPIStatus* rc)
{
    report(rc, CMPI_RC_ERR_NOT_SUPPORTED);
    return nullptr;
}

CMPIStatus openMessageFile(const CMPIBroker*, const char*, CMPIMsgFileHandle* handle)
{
    if (handle != nullptr)
        *handle = nullptr;
    return status(CMPI_RC_ERR_NOT_SUPPORTED);
}

CMPIStatus closeMessageFile(const CMPIBroker*, const CMPIMsgFileHandle) { return status(CMPI_RC_ERR_NOT_SUPPORTED); }

CMPIBrokerEncFT fullTable = {CMPIVersion200, newInstance, newObjectPath, newArgs, newString, newArray,
                             newDateTime, newDateTimeFromBinary, newDateTimeFromChars, newSelectExp,
                             classPathIsA, toString, isOfType, getType, getMessage, logMessage, trace,
                             newCMPIError, openMessageFile, closeMessageFile, getMessage2};
CMPIBrokerEncFT sparseTable = {1, newInstance, newObjectPath, newArgs, newString, newArray,
                               newDateTime, newDateTimeFromBinary, newDateTimeFromChars, newSelectExp,
                               classPathIsA, toString, isOfType, getType, getMessage, logMessage, trace,
                               nullptr, nullptr, nullptr, nullptr};

}  // namespace

CMPIBrokerEncFT* encapsulatedTable(bool sparse) { return sparse ? &sparseTable : &fullTable; }

}  // namespace vhost::broker
