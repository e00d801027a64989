#include "host/ContextSettings.h"

#include "host/Literals.h"

namespace vhost {

void ContextSettings::setPrincipal(Principal mode, std::string user)
{
    std::lock_guard<std::mutex> lock(mutex_);
    principal_ = mode;
    user_ = std::move(user);
}

void ContextSettings::setEntry(const std::string& name, const Value& value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& [existing, old] : extra_) {
        if (literals::sameName(existing, name)) {
            old = value;
            return;
        }
    }
    extra_.emplace_back(name, value);
}

std::unique_ptr<broker::ContextObject> ContextSettings::build(broker::BrokerState& state,
                                                              const std::string& nameSpace) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto context = std::make_unique<broker::ContextObject>(state);
    context->entries.set(CMPIInitNameSpace, broker::StoredValue::string(state, nameSpace));
    context->entries.set(CMPIInvocationFlags, broker::StoredValue::fromModel(state, Value::uint32(0)));
    if (principal_ == Principal::User)
        context->entries.set(CMPIPrincipal, broker::StoredValue::string(state, user_));
    else if (principal_ == Principal::NullText)
        context->entries.set(CMPIPrincipal, broker::StoredValue::string(state, std::nullopt));
    for (const auto& [name, value] : extra_)
        context->entries.set(name, broker::StoredValue::fromModel(state, value));
    return context;
}

}  // namespace vhost
