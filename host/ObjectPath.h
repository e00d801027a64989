#ifndef VELMORA_HOST_OBJECTPATH_H
#define VELMORA_HOST_OBJECTPATH_H

#include <string>
#include <utility>
#include <vector>

#include "host/Value.h"

namespace vhost {

// A CIM object path as the host recorded it (or as a test builds it to hand
// to a provider): namespace, class, host and the key bindings in addKey order.
struct ObjectPath {
    std::string nameSpace, className, host;
    std::vector<std::pair<std::string, Value>> keys;

    ObjectPath() = default;
    ObjectPath(std::string ns, std::string cls) : nameSpace(std::move(ns)), className(std::move(cls)) {}

    // Adds a key binding (or replaces the value of one with that name,
    // compared ignoring case, keeping its position); returns *this.
    ObjectPath& addKey(const std::string& name, Value value);
    // The key's value, nullptr when absent (name compared ignoring case).
    const Value* key(const std::string& name) const;

    // e.g. root/cimv2:QVX_SambaFileShare.InstanceID="Samba:data"; with a host
    // //host/root/cimv2:...; keys joined by "," as name=literal (Value::toString).
    std::string toString() const;

    bool operator==(const ObjectPath& other) const;
    bool operator!=(const ObjectPath& other) const { return !(*this == other); }
};

}  // namespace vhost

#endif
