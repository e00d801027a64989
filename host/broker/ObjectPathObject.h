#ifndef VELMORA_HOST_BROKER_OBJECTPATHOBJECT_H
#define VELMORA_HOST_BROKER_OBJECTPATHOBJECT_H

#include <memory>
#include <string>

#include "cmpi/cmpift.h"
#include "host/ObjectPath.h"
#include "host/broker/BrokerObject.h"
#include "host/broker/NamedValues.h"

namespace vhost::broker {

// A CMPIObjectPath: namespace, host, class name and key bindings in addKey
// order. Qualifier look-ups need a class repository the host does not have
// and answer CMPI_RC_ERR_NOT_SUPPORTED.
class ObjectPathObject final : public BrokerObject {
public:
    static constexpr Kind kKind = Kind::ObjectPath;

    ObjectPathObject(BrokerState& state, std::string nameSpace, std::string className);

    static std::unique_ptr<ObjectPathObject> fromModel(BrokerState& state, const ObjectPath& path);
    ObjectPath toModel() const;

    CMPIObjectPath* cmpi() { return &face_; }

    std::string nameSpace, host, className;
    NamedValues keys;

    std::unique_ptr<ObjectPathObject> copy() const;
    std::unique_ptr<BrokerObject> duplicate() const override { return copy(); }
    std::string describe() const override { return toModel().toString(); }

private:
    CMPIObjectPath face_;
};

}  // namespace vhost::broker

#endif
