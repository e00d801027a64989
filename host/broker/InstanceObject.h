#ifndef VELMORA_HOST_BROKER_INSTANCEOBJECT_H
#define VELMORA_HOST_BROKER_INSTANCEOBJECT_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cmpi/cmpift.h"
#include "host/Instance.h"
#include "host/broker/BrokerObject.h"
#include "host/broker/NamedValues.h"
#include "host/broker/ObjectPathObject.h"

namespace vhost::broker {

// A CMPIInstance: its own copy of an object path, and its properties in set
// order. A property filter (setPropertyFilter) drops the properties it does
// not name, now and on later sets; key names of the path always pass.
class InstanceObject final : public BrokerObject {
public:
    static constexpr Kind kKind = Kind::Instance;

    InstanceObject(BrokerState& state, std::unique_ptr<ObjectPathObject> path);

    static std::unique_ptr<InstanceObject> fromModel(BrokerState& state, const Instance& instance);
    Instance toModel() const;

    CMPIInstance* cmpi() { return &face_; }
    ObjectPathObject& path() const { return *path_; }
    void setPath(std::unique_ptr<ObjectPathObject> path) { path_ = std::move(path); }

    NamedValues properties;
    // Sets a property unless the filter excludes it.
    void setProperty(std::string name, StoredValue&& value);
    // NULL clears the filter.
    void setFilter(const char** names);

    std::unique_ptr<InstanceObject> copy() const;
    std::unique_ptr<BrokerObject> duplicate() const override { return copy(); }
    std::string describe() const override { return toModel().toMof(); }

private:
    bool admits(const std::string& name) const;

    CMPIInstance face_;
    std::unique_ptr<ObjectPathObject> path_;
    std::optional<std::vector<std::string>> filter_;
};

}  // namespace vhost::broker

#endif
