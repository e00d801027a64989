#include "cli/Json.h"

#include "host/Literals.h"

namespace velmora::cli::json {

std::string string(const std::string& text)
{
    return vhost::literals::jsonString(text);
}

std::string string(const std::optional<std::string>& text)
{
    return text ? string(*text) : "null";
}

std::string strings(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + string(items[i]);
    return out + "]";
}

std::string boolean(bool value)
{
    return value ? "true" : "false";
}

std::string boolean(const std::optional<bool>& value)
{
    return value ? boolean(*value) : "null";
}

Object& Object::add(const std::string& name, std::string value)
{
    members_.emplace_back(name, std::move(value));
    return *this;
}

std::string Object::text() const
{
    std::string out = "{";
    for (size_t i = 0; i < members_.size(); ++i)
        out += (i ? "," : "") + string(members_[i].first) + ":" + members_[i].second;
    return out + "}";
}

}  // namespace velmora::cli::json
