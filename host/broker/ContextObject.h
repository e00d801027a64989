#ifndef VELMORA_HOST_BROKER_CONTEXTOBJECT_H
#define VELMORA_HOST_BROKER_CONTEXTOBJECT_H

#include <memory>
#include <string>

#include "cmpi/cmpift.h"
#include "host/broker/BrokerObject.h"
#include "host/broker/NamedValues.h"

namespace vhost::broker {

// A CMPIContext: named entries such as "CMPIPrincipal". A missing entry
// answers CMPI_RC_ERR_NO_SUCH_PROPERTY.
class ContextObject final : public BrokerObject {
public:
    static constexpr Kind kKind = Kind::Context;

    explicit ContextObject(BrokerState& state);

    CMPIContext* cmpi() { return &face_; }
    NamedValues entries;

    std::unique_ptr<ContextObject> copy() const;
    std::unique_ptr<BrokerObject> duplicate() const override { return copy(); }
    std::string describe() const override { return "CMPIContext"; }

private:
    CMPIContext face_;
};

}  // namespace vhost::broker

#endif
