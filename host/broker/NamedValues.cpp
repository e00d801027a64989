#include "host/broker/NamedValues.h"

#include <tuple>

#include "host/Literals.h"

namespace vhost::broker {

void NamedValues::set(std::string name, StoredValue&& value)
{
    for (auto& item : items_) {
        if (literals::sameName(item.first, name)) {
            item.second = std::move(value);
            return;
        }
    }
    // A provider's instance has a handful of properties: room for them at
    // once spares the early reallocations, each of which moves every item.
    if (items_.empty())
        items_.reserve(kFirstCapacity);
    items_.emplace_back(std::move(name), std::move(value));
}

const StoredValue* NamedValues::find(const std::string& name) const
{
    for (const auto& item : items_)
        if (literals::sameName(item.first, name))
            return &item.second;
    return nullptr;
}

void NamedValues::erase(const std::string& name)
{
    retain([&](const std::string& existing) { return !literals::sameName(existing, name); });
}

NamedValues NamedValues::copy() const
{
    NamedValues out;
    out.items_.reserve(items_.size());
    for (const auto& item : items_)
        out.items_.emplace_back(item.first, item.second.copy());
    return out;
}

std::vector<std::pair<std::string, Value>> NamedValues::toModel() const
{
    std::vector<std::pair<std::string, Value>> out;
    out.reserve(items_.size());
    for (const auto& item : items_)
        item.second.toModel(
            out.emplace_back(std::piecewise_construct, std::forward_as_tuple(item.first), std::forward_as_tuple())
                .second);
    return out;
}

NamedValues NamedValues::fromModel(BrokerState& state, const std::vector<std::pair<std::string, Value>>& values)
{
    NamedValues out;
    for (const auto& [name, value] : values)
        out.set(name, StoredValue::fromModel(state, value));
    return out;
}

}  // namespace vhost::broker
