#include "host/Instance.h"

#include "host/Literals.h"

namespace vhost {

Instance& Instance::set(const std::string& name, Value value)
{
    for (auto& [existing, old] : properties) {
        if (literals::sameName(existing, name)) {
            old = std::move(value);
            return *this;
        }
    }
    properties.emplace_back(name, std::move(value));
    return *this;
}

const Value* Instance::property(const std::string& name) const
{
    for (const auto& [existing, value] : properties)
        if (literals::sameName(existing, name))
            return &value;
    return nullptr;
}

std::string Instance::toMof() const
{
    std::string out = "instance of " + path.className + " {\n";
    for (const auto& [name, value] : properties)
        out += "    " + name + " = " + value.toString() + ";\n";
    return out + "};";
}

std::string Instance::toJson() const
{
    std::string out = "{\"path\":" + literals::jsonString(path.toString()) +
                      ",\"className\":" + literals::jsonString(path.className) + ",\"properties\":{";
    for (size_t i = 0; i < properties.size(); ++i) {
        out += i ? "," : "";
        out += literals::jsonString(properties[i].first) + ":" + properties[i].second.toJson();
    }
    return out + "}}";
}

bool Instance::operator==(const Instance& o) const
{
    return path == o.path && properties == o.properties;
}

}  // namespace vhost
