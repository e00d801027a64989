#ifndef VELMORA_HOST_BROKER_STRINGOBJECT_H
#define VELMORA_HOST_BROKER_STRINGOBJECT_H

#include <memory>
#include <optional>
#include <string>

#include "cmpi/cmpift.h"
#include "host/broker/BrokerObject.h"

namespace vhost::broker {

// A CMPIString. hdl is the NUL-terminated text itself, as in both real
// brokers, so providers that read hdl directly (the old CMGetCharPtr macro)
// work too. A string made from a NULL pointer has no text: hdl and
// getCharPtr are then NULL.
class StringObject final : public BrokerObject {
public:
    static constexpr Kind kKind = Kind::String;

    StringObject(BrokerState& state, std::optional<std::string> text);

    // Makes a string for the provider (call arena, or Owned outside calls).
    static CMPIString* make(BrokerState& state, std::optional<std::string> text);

    CMPIString* cmpi() { return &face_; }
    const std::optional<std::string>& text() const { return text_; }

    std::unique_ptr<StringObject> copy() const;
    std::unique_ptr<BrokerObject> duplicate() const override { return copy(); }
    std::string describe() const override { return text_.value_or(""); }

private:
    CMPIString face_;
    std::optional<std::string> text_;
};

}  // namespace vhost::broker

#endif
