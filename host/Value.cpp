#include "host/Value.h"

#include <cmath>
#include <cstdio>

#include "host/Instance.h"
#include "host/Literals.h"
#include "host/ObjectPath.h"

namespace vhost {
namespace {

bool isSigned(CMPIType t)
{
    return t == CMPI_sint8 || t == CMPI_sint16 || t == CMPI_sint32 || t == CMPI_sint64;
}

bool isUnsigned(CMPIType t)
{
    return t == CMPI_uint8 || t == CMPI_uint16 || t == CMPI_uint32 || t == CMPI_uint64 ||
           t == CMPI_char16;
}

bool isReal(CMPIType t) { return t == CMPI_real32 || t == CMPI_real64; }

Value scalar(CMPIType t)
{
    Value v;
    v.type = t;
    v.isNull = false;
    return v;
}

std::string char16Literal(uint64_t c)
{
    if (c >= 0x20 && c < 0x7f && c != '\'' && c != '\\')
        return std::string("'") + static_cast<char>(c) + "'";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "'\\x%04X'", static_cast<unsigned>(c & 0xffff));
    return buffer;
}

std::string compactMof(const Instance& inst)
{
    std::string out = "instance of " + inst.path.className + " {";
    for (const auto& [name, value] : inst.properties)
        out += " " + name + " = " + value.toString() + ";";
    return out + " }";
}

// The text form of a non-null scalar; `json` selects JSON over MOF where the two differ.
std::string scalarText(const Value& v, bool json)
{
    if (v.type == CMPI_string || v.type == CMPI_dateTime)
        return json ? literals::jsonString(v.text) : literals::mofString(v.text);
    if (v.type == CMPI_boolean)
        return v.boolean ? "true" : "false";
    if (v.type == CMPI_char16)
        return json ? std::to_string(v.uint) : char16Literal(v.uint);
    if (isSigned(v.type))
        return std::to_string(v.sint);
    if (isUnsigned(v.type))
        return std::to_string(v.uint);
    if (isReal(v.type)) {
        const std::string text = literals::realText(v.real, v.type == CMPI_real32);
        return json && !std::isfinite(v.real) ? "null" : text;
    }
    if (v.type == CMPI_ref && v.ref)
        return json ? literals::jsonString(v.ref->toString()) : literals::mofString(v.ref->toString());
    if (v.type == CMPI_instance && v.instance)
        return json ? v.instance->toJson() : compactMof(*v.instance);
    return json ? "null" : "NULL";
}

std::string render(const Value& v, bool json)
{
    if (v.isNull || (v.type == CMPI_string && v.nullText))
        return json ? "null" : "NULL";
    if (!v.isArray())
        return scalarText(v, json);
    std::string out = json ? "[" : "{";
    for (size_t i = 0; i < v.elements.size(); ++i)
        out += (i ? ", " : "") + render(v.elements[i], json);
    return out + (json ? "]" : "}");
}

template <typename T>
bool samePointee(const std::shared_ptr<T>& a, const std::shared_ptr<T>& b)
{
    return a == b || (a && b && *a == *b);
}

}  // namespace

Value Value::string(std::string s)
{
    Value v = scalar(CMPI_string);
    v.text = std::move(s);
    return v;
}

Value Value::nullTextString()
{
    Value v = scalar(CMPI_string);
    v.nullText = true;
    return v;
}

// CMPI_chars (and its array) is recorded as CMPI_string, as getters report it.
Value Value::null(CMPIType t)
{
    Value v;
    const bool chars = (t & ~CMPI_ARRAY) == CMPI_chars;
    v.type = chars ? CMPIType((t & CMPI_ARRAY) | CMPI_string) : t;
    return v;
}

Value Value::fromBool(bool b)
{
    Value v = scalar(CMPI_boolean);
    v.boolean = b;
    return v;
}

Value Value::sint32(int32_t n)
{
    Value v = scalar(CMPI_sint32);
    v.sint = n;
    return v;
}

Value Value::sint64(int64_t n)
{
    Value v = scalar(CMPI_sint64);
    v.sint = n;
    return v;
}

Value Value::uint16(uint16_t n)
{
    Value v = scalar(CMPI_uint16);
    v.uint = n;
    return v;
}

Value Value::uint32(uint32_t n)
{
    Value v = scalar(CMPI_uint32);
    v.uint = n;
    return v;
}

Value Value::uint64(uint64_t n)
{
    Value v = scalar(CMPI_uint64);
    v.uint = n;
    return v;
}

Value Value::real64(double d)
{
    Value v = scalar(CMPI_real64);
    v.real = d;
    return v;
}

Value Value::dateTime(std::string cimText)
{
    Value v = scalar(CMPI_dateTime);
    v.text = std::move(cimText);
    return v;
}

Value Value::reference(const ObjectPath& path)
{
    Value v = scalar(CMPI_ref);
    v.ref = std::make_shared<ObjectPath>(path);
    return v;
}

Value Value::embedded(const Instance& inst)
{
    Value v = scalar(CMPI_instance);
    v.instance = std::make_shared<Instance>(inst);
    return v;
}

Value Value::array(CMPIType elementType, std::vector<Value> elements)
{
    Value v = scalar(CMPIType(CMPI_ARRAY | elementType));
    v.elements = std::move(elements);
    return v;
}

std::string Value::toString() const { return render(*this, false); }

std::string Value::toJson() const { return render(*this, true); }

bool Value::operator==(const Value& o) const
{
    if (type != o.type || isNull != o.isNull)
        return false;
    if (isNull)
        return true;
    return nullText == o.nullText && text == o.text && sint == o.sint && uint == o.uint &&
           boolean == o.boolean && real == o.real && samePointee(ref, o.ref) &&
           samePointee(instance, o.instance) && elements == o.elements;
}

}  // namespace vhost
