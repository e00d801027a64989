#ifndef VELMORA_HOST_BROKER_ARGSOBJECT_H
#define VELMORA_HOST_BROKER_ARGSOBJECT_H

#include <memory>
#include <string>

#include "cmpi/cmpift.h"
#include "host/broker/BrokerObject.h"
#include "host/broker/NamedValues.h"

namespace vhost::broker {

// A CMPIArgs: method arguments in addArg order.
class ArgsObject final : public BrokerObject {
public:
    static constexpr Kind kKind = Kind::Args;

    explicit ArgsObject(BrokerState& state);

    CMPIArgs* cmpi() { return &face_; }
    NamedValues args;

    std::unique_ptr<ArgsObject> copy() const;
    std::unique_ptr<BrokerObject> duplicate() const override { return copy(); }
    std::string describe() const override { return "CMPIArgs"; }

private:
    CMPIArgs face_;
};

}  // namespace vhost::broker

#endif
