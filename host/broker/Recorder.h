#ifndef VELMORA_HOST_BROKER_RECORDER_H
#define VELMORA_HOST_BROKER_RECORDER_H

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
    CallResult& result() { return result_; }

private:
    bool fits(Returned::Kind kind) const;

    std::mutex mutex_;
    Operation operation_;
    bool strict_;
    bool done_ = false;
    CallResult result_;
};

}  // namespace vhost::broker

#endif
