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
// encapsulated object behind a reference, instance, datetime, args or array
// value is a Pinned object of its own, so the CMPIData the getters hand out
// stays valid for as long as the holder keeps the value, whatever the
// provider does with the object it passed in. A string keeps only its text:
// most are set and never read back, so the CMPIString a getter hands out is
// made on the first read and then kept with the value.
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
    // Not to be called on one value from two threads at once (the first
    // read of a string makes its CMPIString).
    CMPIData data(CMPIValueState extraState = CMPI_goodValue) const;
    Value toModel() const;
    // The same written into `out`, a default-constructed Value: a list of
    // values is then built in place, without a temporary per item.
    void toModel(Value& out) const;

private:
    static CMPIrc fromObject(const CMPIValue* value, CMPIType type, StoredValue& out);
    static CMPIrc fromScalar(const CMPIValue* value, CMPIType type, StoredValue& out);
    bool isText() const { return type_ == CMPI_string && !null_; }

    BrokerState* state_ = nullptr;  // for the CMPIString made on a string's first read
    CMPIType type_ = CMPI_null;
    bool null_ = true;
    bool noText_ = false;  // a CMPI_string whose CMPIString carries no characters
    CMPIValue scalar_{};
    std::string text_;  // CMPI_string
    mutable std::unique_ptr<BrokerObject> object_;  // other encapsulated types; a string's CMPIString once read
};

}  // namespace vhost::broker

#endif
