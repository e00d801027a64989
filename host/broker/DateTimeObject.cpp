#include "host/broker/DateTimeObject.h"

#include <sys/time.h>

#include <cctype>
#include <cstdio>
#include <ctime>

#include "host/broker/ObjectFunctions.h"
#include "host/broker/StringObject.h"

namespace vhost::broker {
namespace {

constexpr uint64_t kMicrosPerSecond = 1000000;
constexpr uint64_t kSecondsPerDay = 86400;

bool digits(const std::string& text, size_t from, size_t count, long long& value)
{
    value = 0;
    for (size_t i = from; i < from + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// "ddddddddhhmmss.mmmmmm:000"
std::optional<uint64_t> parseInterval(const std::string& t)
{
    long long days, h, m, s, us, zero;
    if (!digits(t, 0, 8, days) || !digits(t, 8, 2, h) || !digits(t, 10, 2, m) ||
        !digits(t, 12, 2, s) || !digits(t, 15, 6, us) || !digits(t, 22, 3, zero) || zero != 0)
        return std::nullopt;
    if (h > 23 || m > 59 || s > 59)
        return std::nullopt;
    const uint64_t seconds = days * kSecondsPerDay + h * 3600 + m * 60 + s;
    return seconds * kMicrosPerSecond + us;
}

// "yyyymmddhhmmss.mmmmmm+ooo", read as local time at the given UTC offset.
std::optional<uint64_t> parsePoint(const std::string& t)
{
    long long y, mo, d, h, mi, s, us, offset;
    if (!digits(t, 0, 4, y) || !digits(t, 4, 2, mo) || !digits(t, 6, 2, d) || !digits(t, 8, 2, h) ||
        !digits(t, 10, 2, mi) || !digits(t, 12, 2, s) || !digits(t, 15, 6, us) || !digits(t, 22, 3, offset))
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60)
        return std::nullopt;
    struct tm fields = {};
    fields.tm_year = static_cast<int>(y - 1900);
    fields.tm_mon = static_cast<int>(mo - 1);
    fields.tm_mday = static_cast<int>(d);
    fields.tm_hour = static_cast<int>(h);
    fields.tm_min = static_cast<int>(mi);
    fields.tm_sec = static_cast<int>(s);
    const long long local = timegm(&fields);
    const long long utc = local - (t[21] == '-' ? -offset : offset) * 60;
    if (utc < 0)
        return std::nullopt;
    return static_cast<uint64_t>(utc) * kMicrosPerSecond + us;
}

CMPIStatus dtRelease(CMPIDateTime* dt) { return releaseObject<DateTimeObject>(dt); }

CMPIDateTime* dtClone(const CMPIDateTime* dt, CMPIStatus* rc) { return cloneObject<DateTimeObject>(dt, rc); }

CMPIUint64 dtGetBinaryFormat(const CMPIDateTime* dt, CMPIStatus* rc)
{
    DateTimeObject* object = lookup<DateTimeObject>(dt, rc);
    return object != nullptr ? object->micros() : 0;
}

CMPIString* dtGetStringFormat(const CMPIDateTime* dt, CMPIStatus* rc)
{
    return guarded<CMPIString*>(rc, nullptr, [&]() -> CMPIString* {
        DateTimeObject* object = lookup<DateTimeObject>(dt, rc);
        return object != nullptr ? StringObject::make(object->state(), object->text()) : nullptr;
    });
}

CMPIBoolean dtIsInterval(const CMPIDateTime* dt, CMPIStatus* rc)
{
    DateTimeObject* object = lookup<DateTimeObject>(dt, rc);
    return object != nullptr && object->interval();
}

CMPIDateTimeFT fullTable = {CMPIVersion200, dtRelease, dtClone, dtGetBinaryFormat, dtGetStringFormat, dtIsInterval};
CMPIDateTimeFT sparseTable = {1, dtRelease, dtClone, dtGetBinaryFormat, dtGetStringFormat, dtIsInterval};

}  // namespace

DateTimeObject::DateTimeObject(BrokerState& state, uint64_t micros, bool interval)
    : BrokerObject(state, Kind::DateTime, &face_), micros_(micros), interval_(interval)
{
    face_.hdl = this;
    face_.ft = state.sparse() ? &sparseTable : &fullTable;
}

std::unique_ptr<DateTimeObject> DateTimeObject::parse(BrokerState& state, const std::string& text)
{
    if (text.size() != 25 || text[14] != '.')
        return nullptr;
    const bool interval = text[21] == ':';
    if (!interval && text[21] != '+' && text[21] != '-')
        return nullptr;
    const std::optional<uint64_t> micros = interval ? parseInterval(text) : parsePoint(text);
    if (!micros)
        return nullptr;
    auto object = std::make_unique<DateTimeObject>(state, *micros, interval);
    object->original_ = text;
    return object;
}

std::unique_ptr<DateTimeObject> DateTimeObject::now(BrokerState& state)
{
    struct timeval tv = {};
    gettimeofday(&tv, nullptr);
    const uint64_t micros = static_cast<uint64_t>(tv.tv_sec) * kMicrosPerSecond + tv.tv_usec;
    return std::make_unique<DateTimeObject>(state, micros, false);
}

std::string DateTimeObject::text() const
{
    if (original_)
        return *original_;
    const uint64_t seconds = micros_ / kMicrosPerSecond;
    const unsigned long us = static_cast<unsigned long>(micros_ % kMicrosPerSecond);
    char buffer[64];
    if (interval_) {
        std::snprintf(buffer, sizeof buffer, "%08llu%02llu%02llu%02llu.%06lu:000",
                      static_cast<unsigned long long>(seconds / kSecondsPerDay),
                      static_cast<unsigned long long>(seconds % kSecondsPerDay / 3600),
                      static_cast<unsigned long long>(seconds % 3600 / 60),
                      static_cast<unsigned long long>(seconds % 60), us);
        return buffer;
    }
    const time_t t = static_cast<time_t>(seconds);
    struct tm fields = {};
    gmtime_r(&t, &fields);
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d.%06lu+000", fields.tm_year + 1900,
                  fields.tm_mon + 1, fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec, us);
    return buffer;
}

std::unique_ptr<DateTimeObject> DateTimeObject::copy() const
{
    auto object = std::make_unique<DateTimeObject>(state(), micros_, interval_);
    object->original_ = original_;
    return object;
}

}  // namespace vhost::broker
