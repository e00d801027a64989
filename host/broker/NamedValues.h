#ifndef VELMORA_HOST_BROKER_NAMEDVALUES_H
#define VELMORA_HOST_BROKER_NAMEDVALUES_H

#include <string>
#include <utility>
#include <vector>

#include "host/Value.h"
#include "host/broker/StoredValue.h"

namespace vhost::broker {

// An ordered list of named values: the keys of a path, the properties of an
// instance, the entries of a context, the arguments of an args object.
// Names compare ignoring case, as CIM names do; setting a name again keeps
// its first position (and first spelling) and replaces the value.
class NamedValues {
public:
    NamedValues() = default;
    NamedValues(NamedValues&&) = default;
    NamedValues& operator=(NamedValues&&) = default;

    void set(std::string name, StoredValue&& value);
    const StoredValue* find(const std::string& name) const;
    void erase(const std::string& name);
    size_t size() const { return items_.size(); }
    const std::pair<std::string, StoredValue>& at(size_t index) const { return items_[index]; }

    NamedValues copy() const;
    std::vector<std::pair<std::string, Value>> toModel() const;
    static NamedValues fromModel(BrokerState& state, const std::vector<std::pair<std::string, Value>>& values);

    // Keeps only the items whose name `keep` accepts.
    template <typename Predicate>
    void retain(Predicate keep)
    {
        std::vector<std::pair<std::string, StoredValue>> kept;
        for (auto& item : items_)
            if (keep(item.first))
                kept.push_back(std::move(item));
        items_.swap(kept);
    }

private:
    static constexpr size_t kFirstCapacity = 8;

    std::vector<std::pair<std::string, StoredValue>> items_;
};

}  // namespace vhost::broker

#endif
