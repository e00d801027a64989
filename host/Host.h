#ifndef VELMORA_HOST_HOST_H
#define VELMORA_HOST_HOST_H

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cmpi/cmpift.h"
#include "host/CallResult.h"
#include "host/Instance.h"
#include "host/LogRecord.h"
#include "host/ObjectPath.h"
#include "host/Value.h"

namespace vhost {

class HostCore;

// strict: result kinds as OpenPegasus accepts them (see broker/Recorder.h),
// and a library exporting generic factories as well is refused.
// sparse: the broker tables of sfcb (brokerVersion 0, ftVersion 1, the 2.0
// additions eft 17..20, returnError and setPropertyWithOrigin NULL).
struct Options {
    bool strict = true;
    bool sparse = false;
    std::string providerName = "velmora";
};

// An in-process CIMOM stand-in for one provider library. It meets the
// provider only as a CIMOM does: dlopen, the two factories, and the MI
// function tables called as mi->ft->fn(mi, ...), with a live broker of its
// own (see broker/).
//
// Each MI call (factory and cleanup included) runs with a fresh context and
// result in a call arena of its own: objects the provider creates through
// the broker during the call are freed when it returns, after the host has
// copied the status message and everything returned into the CallResult.
// Objects the host hands in (context, result, paths, instances, args) have a
// harmless release(). clone() results belong to the provider until it
// releases them; leftovers are freed when the Host goes.
//
// Operations lazily obtain the MI they need (one factory call) when none is
// live; if the factory refuses, the CallResult carries its rc (or
// CMPI_RC_ERR_FAILED for a NULL MI with OK) and a message saying so.
// Several threads may call operations (and the factories) at once.
class Host {
public:
    explicit Host(std::string libraryPath, Options options = {});
    // Terminating cleanup of every live MI (newest first), then dlclose.
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    bool load(std::string* error = nullptr);  // dlopen + dlsym of both factories; idempotent
    // One factory call each: rc preset to {CMPI_RC_OK, NULL}, an empty context
    // (as OpenPegasus gives). Returns the MI only when it is non-NULL and rc
    // is OK; *factoryStatus gets the rc the factory left (msg always NULL).
    CMPIInstanceMI* instanceMI(CMPIStatus* factoryStatus = nullptr);
    CMPIMethodMI* methodMI(CMPIStatus* factoryStatus = nullptr);

    // The "CMPIPrincipal" context entry of later calls: a user name, absent
    // (the default), or a CMPI_string whose text is NULL.
    void setPrincipal(const std::string& user);
    void clearPrincipal();
    void setNullPrincipal();
    // An extra context entry of later operation calls (replaces one of the
    // same name, standard ones included).
    void setContextEntry(const std::string& name, const Value& v);

    // The context of an operation holds, in order: CMPIInitNameSpace (the
    // request's namespace), CMPIInvocationFlags (uint32 0), CMPIPrincipal
    // (unless absent), then the extra entries.
    CallResult enumInstanceNames(const ObjectPath& classPath);
    CallResult enumInstances(const ObjectPath& classPath, const char** properties = nullptr);
    CallResult getInstance(const ObjectPath& instPath, const char** properties = nullptr);
    CallResult createInstance(const ObjectPath& classPath, const Instance& inst);
    CallResult modifyInstance(const ObjectPath& instPath, const Instance& inst, const char** properties = nullptr);
    CallResult deleteInstance(const ObjectPath& instPath);
    CallResult execQuery(const ObjectPath& classPath, const std::string& query, const std::string& lang);
    CallResult invokeMethod(const ObjectPath& path, const std::string& method,
                            const std::vector<std::pair<std::string, Value>>& in = {});

    // Cleanup of the newest live MI of that kind, with an empty context.
    // Terminating, or answered OK: the MI is done with. NEVER_UNLOAD: not
    // asked again unless terminating (a later non-terminating request answers
    // NEVER_UNLOAD without calling). DO_NOT_UNLOAD or an error: it stays.
    // No live MI: CMPI_RC_ERR_NOT_FOUND. The status's msg is always NULL.
    CMPIStatus cleanupInstanceMI(bool terminating);
    CMPIStatus cleanupMethodMI(bool terminating);

    // Runs fn inside one call arena with a fresh context and a result that
    // accepts every kind, as if it were an MI call; fn may build broker
    // objects with env and call library functions. The CallResult carries
    // fn's status (message read before the arena goes) and what was returned.
    struct CallEnv {
        const CMPIBroker* broker;
        const CMPIContext* context;
        const CMPIResult* result;
        // A CMPIObjectPath in the call arena (the provider may release it).
        CMPIObjectPath* makePath(const ObjectPath& p);
        CMPIInstance* makeInstance(const Instance& inst);
    };
    CallResult call(const std::function<CMPIStatus(CallEnv&)>& fn);

    size_t liveObjects() const;  // broker objects currently allocated (0 between calls, clones aside)
    const CMPIBroker* broker() const;
    std::vector<LogRecord> logRecords() const;  // eft->logMessage / trace calls, in order

private:
    std::unique_ptr<HostCore> impl_;
};

}  // namespace vhost

#endif
