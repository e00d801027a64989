#include "host/broker/StoredValue.h"

#include <cstring>

#include "host/Instance.h"
#include "host/ObjectPath.h"
#include "host/broker/ArgsObject.h"
#include "host/broker/ArrayObject.h"
#include "host/broker/DateTimeObject.h"
#include "host/broker/InstanceObject.h"
#include "host/broker/ObjectPathObject.h"
#include "host/broker/StringObject.h"

namespace vhost::broker {
namespace {

// The kind of object an encapsulated type's value points at, and where in
// the CMPIValue that pointer sits.
bool encapsulated(CMPIType type, BrokerObject::Kind& kind, const void*& face, const CMPIValue* value)
{
    if (type & CMPI_ARRAY) {
        kind = BrokerObject::Kind::Array;
        face = value->array;
        return true;
    }
    switch (type) {
    case CMPI_string: kind = BrokerObject::Kind::String; face = value->string; return true;
    case CMPI_ref: kind = BrokerObject::Kind::ObjectPath; face = value->ref; return true;
    case CMPI_instance: kind = BrokerObject::Kind::Instance; face = value->inst; return true;
    case CMPI_args: kind = BrokerObject::Kind::Args; face = value->args; return true;
    case CMPI_dateTime: kind = BrokerObject::Kind::DateTime; face = value->dateTime; return true;
    default: return false;
    }
}

// The type a value given as `type` is held as: CMPI_chars becomes CMPI_string,
// also as an array's element type.
CMPIType storedType(CMPIType type)
{
    if (type & CMPI_ARRAY)
        return static_cast<CMPIType>(CMPI_ARRAY | ArrayObject::normalType(type));
    return type == CMPI_chars ? CMPIType(CMPI_string) : type;
}

bool isScalar(CMPIType type)
{
    switch (type) {
    case CMPI_boolean: case CMPI_char16: case CMPI_real32: case CMPI_real64:
    case CMPI_uint8: case CMPI_uint16: case CMPI_uint32: case CMPI_uint64:
    case CMPI_sint8: case CMPI_sint16: case CMPI_sint32: case CMPI_sint64: case CMPI_ptr:
        return true;
    default:
        return false;
    }
}

void copyScalar(const CMPIValue& from, CMPIType type, CMPIValue& to)
{
    std::memset(&to, 0, sizeof to);
    switch (type) {
    case CMPI_boolean: to.boolean = from.boolean; break;
    case CMPI_char16: to.char16 = from.char16; break;
    case CMPI_real32: to.real32 = from.real32; break;
    case CMPI_real64: to.real64 = from.real64; break;
    case CMPI_uint8: to.uint8 = from.uint8; break;
    case CMPI_uint16: to.uint16 = from.uint16; break;
    case CMPI_uint32: to.uint32 = from.uint32; break;
    case CMPI_uint64: to.uint64 = from.uint64; break;
    case CMPI_sint8: to.sint8 = from.sint8; break;
    case CMPI_sint16: to.sint16 = from.sint16; break;
    case CMPI_sint32: to.sint32 = from.sint32; break;
    case CMPI_sint64: to.sint64 = from.sint64; break;
    case CMPI_ptr: to.dataPtr = from.dataPtr; break;
    default: break;
    }
}

void scalarToModel(const CMPIValue& v, CMPIType type, Value& out)
{
    switch (type) {
    case CMPI_boolean: out.boolean = v.boolean != 0; break;
    case CMPI_char16: out.uint = v.char16; break;
    case CMPI_real32: out.real = v.real32; break;
    case CMPI_real64: out.real = v.real64; break;
    case CMPI_uint8: out.uint = v.uint8; break;
    case CMPI_uint16: out.uint = v.uint16; break;
    case CMPI_uint32: out.uint = v.uint32; break;
    case CMPI_uint64: out.uint = v.uint64; break;
    case CMPI_sint8: out.sint = v.sint8; break;
    case CMPI_sint16: out.sint = v.sint16; break;
    case CMPI_sint32: out.sint = v.sint32; break;
    case CMPI_sint64: out.sint = v.sint64; break;
    default: break;
    }
}

void scalarFromModel(const Value& v, CMPIValue& out)
{
    CMPIValue wide;
    std::memset(&wide, 0, sizeof wide);
    switch (v.type) {
    case CMPI_boolean: wide.boolean = v.boolean; break;
    case CMPI_char16: wide.char16 = static_cast<CMPIChar16>(v.uint); break;
    case CMPI_real32: wide.real32 = static_cast<CMPIReal32>(v.real); break;
    case CMPI_real64: wide.real64 = v.real; break;
    case CMPI_uint8: wide.uint8 = static_cast<CMPIUint8>(v.uint); break;
    case CMPI_uint16: wide.uint16 = static_cast<CMPIUint16>(v.uint); break;
    case CMPI_uint32: wide.uint32 = static_cast<CMPIUint32>(v.uint); break;
    case CMPI_uint64: wide.uint64 = v.uint; break;
    case CMPI_sint8: wide.sint8 = static_cast<CMPISint8>(v.sint); break;
    case CMPI_sint16: wide.sint16 = static_cast<CMPISint16>(v.sint); break;
    case CMPI_sint32: wide.sint32 = static_cast<CMPISint32>(v.sint); break;
    case CMPI_sint64: wide.sint64 = v.sint; break;
    default: break;
    }
    out = wide;
}

std::unique_ptr<BrokerObject> objectFromModel(BrokerState& state, const Value& v)
{
    if (v.isArray())
        return ArrayObject::fromModel(state, CMPIType(v.type & ~CMPI_ARRAY), v.elements);
    switch (v.type) {
    case CMPI_ref:
        return v.ref ? ObjectPathObject::fromModel(state, *v.ref) : nullptr;
    case CMPI_instance:
        return v.instance ? InstanceObject::fromModel(state, *v.instance) : nullptr;
    case CMPI_dateTime:
        return DateTimeObject::parse(state, v.text);
    case CMPI_args:
        return std::make_unique<ArgsObject>(state);
    default:
        return nullptr;
    }
}

}  // namespace

CMPIrc StoredValue::fromInput(BrokerState& state, const CMPIValue* value, CMPIType type, StoredValue& out)
{
    out = StoredValue();
    out.state_ = &state;
    out.type_ = storedType(type);
    if (value == nullptr || type == CMPI_null)
        return CMPI_RC_OK;
    if (type == CMPI_chars) {
        out.text_ = reinterpret_cast<const char*>(value);
        out.null_ = false;
        return CMPI_RC_OK;
    }
    if (isScalar(type))
        return fromScalar(value, type, out);
    return fromObject(value, type, out);
}

CMPIrc StoredValue::fromScalar(const CMPIValue* value, CMPIType type, StoredValue& out)
{
    copyScalar(*value, type, out.scalar_);
    out.null_ = false;
    return CMPI_RC_OK;
}

CMPIrc StoredValue::fromObject(const CMPIValue* value, CMPIType type, StoredValue& out)
{
    BrokerObject::Kind kind;
    const void* face = nullptr;
    if (!encapsulated(type, kind, face, value))
        return CMPI_RC_ERR_INVALID_DATA_TYPE;
    if (face == nullptr)
        return CMPI_RC_OK;  // a NULL object pointer stores a NULL value of the type
    BrokerObject* object = findObject(face);
    if (object == nullptr || object->kind() != kind)
        return CMPI_RC_ERR_INVALID_HANDLE;
    if (kind == BrokerObject::Kind::Array &&
        static_cast<ArrayObject*>(object)->elementType() != ArrayObject::normalType(type))
        return CMPI_RC_ERR_TYPE_MISMATCH;
    out.null_ = false;
    if (kind == BrokerObject::Kind::String) {
        const std::optional<std::string>& text = static_cast<StringObject*>(object)->text();
        out.noText_ = !text;
        out.text_ = text.value_or("");
        return CMPI_RC_OK;
    }
    out.object_ = object->duplicate();
    return CMPI_RC_OK;
}

StoredValue StoredValue::fromModel(BrokerState& state, const Value& value)
{
    StoredValue out;
    out.state_ = &state;
    out.type_ = storedType(value.type);
    if (value.isNull)
        return out;
    if (out.type_ == CMPI_string) {
        out.text_ = value.text;
        out.noText_ = value.nullText;
        out.null_ = false;
        return out;
    }
    if (isScalar(value.type)) {
        scalarFromModel(value, out.scalar_);
        out.null_ = false;
        return out;
    }
    out.object_ = objectFromModel(state, value);
    out.null_ = out.object_ == nullptr;
    return out;
}

StoredValue StoredValue::string(BrokerState& state, std::optional<std::string> text)
{
    StoredValue out;
    out.state_ = &state;
    out.type_ = CMPI_string;
    out.noText_ = !text;
    out.text_ = std::move(text).value_or("");
    out.null_ = false;
    return out;
}

StoredValue StoredValue::copy() const
{
    StoredValue out;
    out.state_ = state_;
    out.type_ = type_;
    out.null_ = null_;
    out.noText_ = noText_;
    out.scalar_ = scalar_;
    out.text_ = text_;
    if (object_ && !isText())  // a string's CMPIString is made again when the copy is read
        out.object_ = object_->duplicate();
    return out;
}

CMPIData StoredValue::data(CMPIValueState extraState) const
{
    CMPIData d;
    std::memset(&d, 0, sizeof d);
    d.type = type_;
    d.state = static_cast<CMPIValueState>(extraState | (null_ ? CMPI_nullValue : CMPI_goodValue));
    if (null_)
        return d;
    if (isText() && !object_)
        object_ = std::make_unique<StringObject>(*state_, noText_ ? std::nullopt : std::optional(text_));
    if (!object_) {
        d.value = scalar_;
        return d;
    }
    switch (object_->kind()) {
    case BrokerObject::Kind::String: d.value.string = static_cast<StringObject&>(*object_).cmpi(); break;
    case BrokerObject::Kind::ObjectPath: d.value.ref = static_cast<ObjectPathObject&>(*object_).cmpi(); break;
    case BrokerObject::Kind::Instance: d.value.inst = static_cast<InstanceObject&>(*object_).cmpi(); break;
    case BrokerObject::Kind::Args: d.value.args = static_cast<ArgsObject&>(*object_).cmpi(); break;
    case BrokerObject::Kind::Array: d.value.array = static_cast<ArrayObject&>(*object_).cmpi(); break;
    case BrokerObject::Kind::DateTime: d.value.dateTime = static_cast<DateTimeObject&>(*object_).cmpi(); break;
    default: break;
    }
    return d;
}

Value StoredValue::toModel() const
{
    Value out;
    toModel(out);
    return out;
}

void StoredValue::toModel(Value& out) const
{
    out.type = type_;
    if (null_)
        return;
    out.isNull = false;
    if (isText()) {
        out.nullText = noText_;
        out.text = text_;
        return;
    }
    if (!object_) {
        scalarToModel(scalar_, type_, out);
        return;
    }
    switch (object_->kind()) {
    case BrokerObject::Kind::ObjectPath:
        out = Value::reference(static_cast<const ObjectPathObject&>(*object_).toModel());
        return;
    case BrokerObject::Kind::Instance:
        out = Value::embedded(static_cast<const InstanceObject&>(*object_).toModel());
        return;
    case BrokerObject::Kind::Array: {
        const auto& array = static_cast<const ArrayObject&>(*object_);
        out = Value::array(array.elementType(), array.toModel());
        return;
    }
    case BrokerObject::Kind::DateTime:
        out = Value::dateTime(static_cast<const DateTimeObject&>(*object_).text());
        return;
    default:
        return;
    }
}

}  // namespace vhost::broker
