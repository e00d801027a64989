#ifndef VELMORA_HOST_CALLRESULT_H
#define VELMORA_HOST_CALLRESULT_H

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cmpi/cmpidt.h"
#include "host/Instance.h"
#include "host/ObjectPath.h"
#include "host/Value.h"

namespace vhost {

// One item a provider handed to its CMPIResult, copied when it was handed
// over. Only the member that fits `kind` is filled.
struct Returned {
    enum Kind { Path, Instance, Data, Done } kind = Done;
    ObjectPath path;
    vhost::Instance instance;
    Value data;
};

// What one MI call (or factory-less host call) produced: the status the MI
// returned, with the text of status.msg read before the call's objects were
// freed, and everything it returned, in order.
struct CallResult {
    CMPIrc rc = CMPI_RC_OK;
    std::optional<std::string> message;  // nullopt when status.msg was NULL
    // A deque: a large enumeration appends items of a few hundred bytes each,
    // which a vector would move again at every growth.
    std::deque<Returned> sequence;  // accepted items in order, Done included
    std::deque<Returned> rejected;  // items the strict result refused (answered NOT_SUPPORTED)
    std::vector<std::pair<std::string, Value>> outArgs;  // invokeMethod: the out arguments, in addArg order
    bool threw = false;  // a C++ exception came out of the provider's function; rc is then FAILED

    std::vector<ObjectPath> paths() const;
    std::vector<vhost::Instance> instances() const;
    std::vector<Value> data() const;
    int doneCount() const;
    // The kinds of `sequence` joined by ",": e.g. "path,path,done".
    std::string kinds() const;
    // "CMPI_RC_ERR_FAILED (1): text" or "CMPI_RC_OK (0)" when there is no message.
    std::string statusText() const;
};

}  // namespace vhost

#endif
