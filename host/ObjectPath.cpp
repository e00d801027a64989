#include "host/ObjectPath.h"

#include "host/Literals.h"

namespace vhost {

ObjectPath& ObjectPath::addKey(const std::string& name, Value value)
{
    for (auto& [existing, old] : keys) {
        if (literals::sameName(existing, name)) {
            old = std::move(value);
            return *this;
        }
    }
    keys.emplace_back(name, std::move(value));
    return *this;
}

const Value* ObjectPath::key(const std::string& name) const
{
    for (const auto& [existing, value] : keys)
        if (literals::sameName(existing, name))
            return &value;
    return nullptr;
}

std::string ObjectPath::toString() const
{
    std::string out;
    if (!host.empty())
        out += "//" + host + "/";
    if (!nameSpace.empty())
        out += nameSpace + ":";
    out += className;
    for (size_t i = 0; i < keys.size(); ++i)
        out += (i ? "," : ".") + keys[i].first + "=" + keys[i].second.toString();
    return out;
}

bool ObjectPath::operator==(const ObjectPath& o) const
{
    return nameSpace == o.nameSpace && className == o.className && host == o.host && keys == o.keys;
}

}  // namespace vhost
