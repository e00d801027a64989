#include "host/broker/ArrayObject.h"

#include "host/broker/ObjectFunctions.h"

namespace vhost::broker {
namespace {

CMPIStatus arrayRelease(CMPIArray* ar) { return releaseObject<ArrayObject>(ar); }

CMPIArray* arrayClone(const CMPIArray* ar, CMPIStatus* rc) { return cloneObject<ArrayObject>(ar, rc); }

CMPICount arrayGetSize(const CMPIArray* ar, CMPIStatus* rc)
{
    ArrayObject* array = lookup<ArrayObject>(ar, rc);
    return array != nullptr ? static_cast<CMPICount>(array->size()) : 0;
}

CMPIType arrayGetSimpleType(const CMPIArray* ar, CMPIStatus* rc)
{
    ArrayObject* array = lookup<ArrayObject>(ar, rc);
    return array != nullptr ? array->elementType() : CMPIType(CMPI_null);
}

CMPIData arrayGetElementAt(const CMPIArray* ar, CMPICount index, CMPIStatus* rc)
{
    ArrayObject* array = lookup<ArrayObject>(ar, rc);
    if (array == nullptr)
        return nullData();
    if (index >= array->size()) {
        report(rc, CMPI_RC_ERR_NO_SUCH_PROPERTY);
        return nullData(array->elementType());
    }
    return array->at(index).data();
}

// The element type must be the array's (CMPI_chars counts as CMPI_string);
// CMPI_null, deprecated but still seen, sets the element NULL.
CMPIStatus arraySetElementAt(CMPIArray* ar, CMPICount index, const CMPIValue* value, CMPIType type)
{
    return guardedStatus([&] {
        ArrayObject* array = find<ArrayObject>(ar);
        if (array == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        if (index >= array->size())
            return status(CMPI_RC_ERR_NO_SUCH_PROPERTY);
        if (type == CMPI_null) {
            array->set(index, StoredValue::fromModel(array->state(), Value::null(array->elementType())));
            return status(CMPI_RC_OK);
        }
        if (ArrayObject::normalType(type) != array->elementType() || (type & CMPI_ARRAY))
            return status(CMPI_RC_ERR_TYPE_MISMATCH);
        StoredValue element;
        const CMPIrc rc = StoredValue::fromInput(array->state(), value, type, element);
        if (rc == CMPI_RC_OK)
            array->set(index, std::move(element));
        return status(rc);
    });
}

CMPIArrayFT fullTable = {CMPIVersion200, arrayRelease, arrayClone, arrayGetSize,
                         arrayGetSimpleType, arrayGetElementAt, arraySetElementAt};
CMPIArrayFT sparseTable = {1, arrayRelease, arrayClone, arrayGetSize,
                           arrayGetSimpleType, arrayGetElementAt, arraySetElementAt};

}  // namespace

ArrayObject::ArrayObject(BrokerState& state, CMPIType elementType, CMPICount size)
    : BrokerObject(state, Kind::Array, &face_), elementType_(normalType(elementType))
{
    face_.hdl = this;
    face_.ft = state.sparse() ? &sparseTable : &fullTable;
    elements_.resize(size);
    for (StoredValue& element : elements_)
        element = StoredValue::fromModel(state, Value::null(elementType_));
}

CMPIType ArrayObject::normalType(CMPIType type)
{
    const CMPIType element = static_cast<CMPIType>(type & ~CMPI_ARRAY);
    return element == CMPI_chars ? CMPIType(CMPI_string) : element;
}

std::unique_ptr<ArrayObject> ArrayObject::fromModel(BrokerState& state, CMPIType elementType,
                                                    const std::vector<Value>& elements)
{
    auto array = std::make_unique<ArrayObject>(state, elementType, static_cast<CMPICount>(elements.size()));
    for (size_t i = 0; i < elements.size(); ++i)
        array->elements_[i] = StoredValue::fromModel(state, elements[i]);
    return array;
}

std::vector<Value> ArrayObject::toModel() const
{
    std::vector<Value> out;
    for (const StoredValue& element : elements_)
        out.push_back(element.toModel());
    return out;
}

std::unique_ptr<ArrayObject> ArrayObject::copy() const
{
    auto array = std::make_unique<ArrayObject>(state(), elementType_, 0);
    for (const StoredValue& element : elements_)
        array->elements_.push_back(element.copy());
    return array;
}

std::string ArrayObject::describe() const
{
    return Value::array(elementType_, toModel()).toString();
}

}  // namespace vhost::broker
