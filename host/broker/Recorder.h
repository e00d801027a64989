#ifndef VELMORA_HOST_BROKER_RECORDER_H
#define VELMORA_HOST_BROKER_RECORDER_H

#include <deque>
#include <mutex>

#include "cmpi/cmpidt.h"
#include "host/CallResult.h"

namespace vhost::broker {

// The MI operation a result belongs to; it decides which result kinds a
// strict result accepts.
enum class Operation {
    EnumInstanceNames, EnumInstances, GetInstance, CreateInstance,
    ModifyInstance, DeleteInstance, ExecQuery, InvokeMethod,
    Any,  // Host::call: no operation, every kind is accepted
};

// Collects what an MI returns through one CMPIResult. Strict, like
// OpenPegasus: each operation accepts only its fitting kind (instance
// operations returnInstance, name enumeration and createInstance
// returnObjectPath, invokeMethod returnData, modify/delete nothing); others
// are answered CMPI_RC_ERR_NOT_SUPPORTED and kept in `rejected`. Strict also
// refuses items after returnDone (CMPI_RC_ERR_FAILED). returnDone itself is
// always accepted and recorded, every time it comes. Not strict, like sfcb:
// everything is accepted in order.
class Recorder {
public:
    Recorder(Operation operation, bool strict) : operation_(operation), strict_(strict) {}

    CMPIrc offer(Returned&& item);

    // The same for an item made in its place (in the sequence, or among the
    // rejected): fill(item) writes what an item of this kind carries. This
    // spares moving an item of a few hundred bytes for every instance of a
    // large enumeration. An item whose filling throws is not kept.
    template <typename Fill>
    CMPIrc record(Returned::Kind kind, const Fill& fill)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const CMPIrc rc = admit(kind);
        std::deque<Returned>& into = rc == CMPI_RC_OK ? result_.sequence : result_.rejected;
        Returned& item = into.emplace_back();
        item.kind = kind;
        try {
            fill(item);
        } catch (...) {
            into.pop_back();
            throw;
        }
        return rc;
    }

    CallResult& result() { return result_; }

private:
    bool fits(Returned::Kind kind) const;
    // What an item of this kind is answered under the rules above (OK when
    // it is accepted), noting a returnDone. Called with mutex_ held.
    CMPIrc admit(Returned::Kind kind);

    std::mutex mutex_;
    Operation operation_;
    bool strict_;
    bool done_ = false;
    CallResult result_;
};

}  // namespace vhost::broker

#endif
