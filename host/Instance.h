#ifndef VELMORA_HOST_INSTANCE_H
#define VELMORA_HOST_INSTANCE_H

#include <string>
#include <utility>
#include <vector>

#include "host/ObjectPath.h"
#include "host/Value.h"

namespace vhost {

// A CIM instance as the host recorded it: its object path and its properties
// in setProperty order (a property set again keeps its first position and
// takes the new value).
struct Instance {
    ObjectPath path;
    std::vector<std::pair<std::string, Value>> properties;

    // Sets a property with the re-set rule above; returns *this.
    Instance& set(const std::string& name, Value value);
    // The property's value, nullptr when absent (name compared ignoring case).
    const Value* property(const std::string& name) const;

    // instance of QVX_SambaFileShare {
    //     InstanceID = "Samba:data";
    //     FileSharingProtocol = 3;
    // };
    std::string toMof() const;
    // {"path":"<object path>","className":"...","properties":{"InstanceID":"Samba:data",...}}
    // on one line, properties in order.
    std::string toJson() const;

    bool operator==(const Instance& other) const;
    bool operator!=(const Instance& other) const { return !(*this == other); }
};

}  // namespace vhost

#endif
