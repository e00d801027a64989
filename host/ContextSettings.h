#ifndef VELMORA_HOST_CONTEXTSETTINGS_H
#define VELMORA_HOST_CONTEXTSETTINGS_H

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "host/Value.h"
#include "host/broker/ContextObject.h"

namespace vhost {

// What the context of an operation call carries; safe to change from one
// thread while others build contexts.
class ContextSettings {
public:
    enum class Principal { Absent, User, NullText };

    void setPrincipal(Principal mode, std::string user = {});
    void setEntry(const std::string& name, const Value& value);

    // CMPIInitNameSpace = nameSpace, CMPIInvocationFlags = uint32 0,
    // CMPIPrincipal (unless absent), then the extra entries in the order set
    // (an extra entry of a standard name replaces that entry in place).
    std::unique_ptr<broker::ContextObject> build(broker::BrokerState& state, const std::string& nameSpace) const;

private:
    mutable std::mutex mutex_;
    Principal principal_ = Principal::Absent;
    std::string user_;
    std::vector<std::pair<std::string, Value>> extra_;
};

}  // namespace vhost

#endif
