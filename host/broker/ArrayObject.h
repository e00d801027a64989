#ifndef VELMORA_HOST_BROKER_ARRAYOBJECT_H
#define VELMORA_HOST_BROKER_ARRAYOBJECT_H

#include <memory>
#include <vector>

#include "cmpi/cmpift.h"
#include "host/Value.h"
#include "host/broker/BrokerObject.h"
#include "host/broker/StoredValue.h"

namespace vhost::broker {

// A CMPIArray of a fixed size whose elements start NULL. The element type
// is given without the array bit; CMPI_chars elements are held as
// CMPI_string, so an array made for CMPI_chars reports CMPI_string.
class ArrayObject final : public BrokerObject {
public:
    static constexpr Kind kKind = Kind::Array;

    ArrayObject(BrokerState& state, CMPIType elementType, CMPICount size);

    static std::unique_ptr<ArrayObject> fromModel(BrokerState& state, CMPIType elementType,
                                                  const std::vector<Value>& elements);
    std::vector<Value> toModel() const;

    CMPIArray* cmpi() { return &face_; }
    CMPIType elementType() const { return elementType_; }
    size_t size() const { return elements_.size(); }
    const StoredValue& at(size_t index) const { return elements_[index]; }
    void set(size_t index, StoredValue value) { elements_[index] = std::move(value); }

    std::unique_ptr<ArrayObject> copy() const;
    std::unique_ptr<BrokerObject> duplicate() const override { return copy(); }
    std::string describe() const override;

    // The element type an array made for `type` holds.
    static CMPIType normalType(CMPIType type);

private:
    CMPIArray face_;
    CMPIType elementType_;
    std::vector<StoredValue> elements_;
};

}  // namespace vhost::broker

#endif
