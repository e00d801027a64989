#ifndef VELMORA_HOST_BROKER_DATETIMEOBJECT_H
#define VELMORA_HOST_BROKER_DATETIMEOBJECT_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cmpi/cmpift.h"
#include "host/broker/BrokerObject.h"

namespace vhost::broker {

// A CMPIDateTime: microseconds since 1970-01-01 00:00:00 UTC for a point in
// time, or a length in microseconds for an interval. Its text form is the
// 25-character CIM form: "yyyymmddhhmmss.mmmmmm+ooo" (offset in minutes) or
// "ddddddddhhmmss.mmmmmm:000" for an interval. A point in time made from
// text keeps that text (offset included); one made from a number is shown in
// UTC ("+000").
class DateTimeObject final : public BrokerObject {
public:
    static constexpr Kind kKind = Kind::DateTime;

    DateTimeObject(BrokerState& state, uint64_t micros, bool interval);

    // Parses the CIM form; nullptr for anything else (wildcards included).
    static std::unique_ptr<DateTimeObject> parse(BrokerState& state, const std::string& text);
    static std::unique_ptr<DateTimeObject> now(BrokerState& state);

    CMPIDateTime* cmpi() { return &face_; }
    uint64_t micros() const { return micros_; }
    bool interval() const { return interval_; }
    std::string text() const;

    std::unique_ptr<DateTimeObject> copy() const;
    std::unique_ptr<BrokerObject> duplicate() const override { return copy(); }
    std::string describe() const override { return text(); }

private:
    CMPIDateTime face_;
    uint64_t micros_;
    bool interval_;
    std::optional<std::string> original_;
};

}  // namespace vhost::broker

#endif
