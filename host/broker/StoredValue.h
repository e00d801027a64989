#ifndef VELMORA_HOST_BROKER_STOREDVALUE_H
#define VELMORA_HOST_BROKER_STOREDVALUE_H

#include <memory>
#include <optional>
#include <string>

#include "cmpi/cmpift.h"
#include "host/Value.h"
#include "host/broker/BrokerObject.h"

namespace vhost::broker {

class BrokerState;

// One value held inside a broker object (a property, key, entry, argument or
// array element). It owns a deep copy of whatever it was given: the
// encapsulated object behind a string, reference, instance, datetime, args
// or array value is a Pinned object of its own, so the CMPIData the getters
// hand out stays valid for as long as the holder keeps the value, whatever
// the provider does with the object it passed in.
class StoredValue {
public:
    StoredValue() = default;  // NULL of type CMPI_null
    StoredValue(StoredValue&&) = default;
    StoredValue& operator=(StoredValue&&) = default;

    // From a provider's (value, type) pair. value == NULL gives a NULL of
    // that type; CMPI_chars takes value as the char pointer itself and is
    // stored as CMPI_string. Answers CMPI_RC_ERR_INVALID_HANDLE for an
    // encapsulated value that is not a live object of this host,
    // CMPI_RC_ERR_INVALID_DATA_TYPE for types a value cannot have, and
    // CMPI_RC_ERR_TYPE_MISMATCH for an array whose element type differs.
    static CMPIrc fromInput(BrokerState& state, const CMPIValue* value, CMPIType type, StoredValue& out);
    // From a value a test or the host built.
    static StoredValue fromModel(BrokerState& state, const Value& value);
    static StoredValue string(BrokerState& state, std::optional<std::string> text);

    StoredValue copy() const;
    CMPIType type() const { return type_; }
    bool isNull() const { return null_; }
    // The CMPIData a getter answers; `extraState` adds e.g. CMPI_keyValue.
    CMPIData data(CMPIValueState extraState = CMPI_goodValue) const;
    Value toModel() const;

private:
    static CMPIrc fromObject(const CMPIValue* value, CMPIType type, StoredValue& out);
    static CMPIrc fromScalar(const CMPIValue* value, CMPIType type, StoredValue& out);

    CMPIType type_ = CMPI_null;
    bool null_ = true;
    CMPIValue scalar_{};
    std::unique_ptr<BrokerObject> object_;
};

}  // namespace vhost::broker

#endif
