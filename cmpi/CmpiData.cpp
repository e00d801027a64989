#include "cmpi/CmpiData.h"

#include <utility>

#include "cmpi/CmpiStatus.h"

namespace {

CMPIData makeData(CMPIType type, CMPIValueState state)
{
    CMPIData data{};
    data.type = type;
    data.state = state;
    return data;
}

// The union is zeroed first: a broker may copy all sixteen bytes.
template <class T>
CMPIValue makeValue(T CMPIValue::*member, T v)
{
    CMPIValue value{};
    value.*member = v;
    return value;
}

}  // namespace

CmpiData::CmpiData() : data_(makeData(CMPI_null, CMPI_nullValue)) {}

CmpiData::CmpiData(const CMPIData& data) : data_(data)
{
    if (data.type != CMPI_chars || (data.state & CMPI_nullValue) != 0)
        return;
    // Our own copy, so the value outlives the broker's buffer; the chars
    // member is never read again, valuePtr() points at text_.
    data_.value = CMPIValue{};
    if (data.value.chars == nullptr)
        data_.state |= CMPI_nullValue;
    else
        text_ = data.value.chars;
}

CmpiData::CmpiData(const char* text)
    : data_(makeData(text ? CMPI_chars : CMPI_string, text ? CMPI_goodValue : CMPI_nullValue)),
      text_(text ? text : "")
{
}

CmpiData::CmpiData(const std::string& text) : data_(makeData(CMPI_chars, CMPI_goodValue)), text_(text) {}

CmpiData::CmpiData(std::string&& text)
    : data_(makeData(CMPI_chars, CMPI_goodValue)), text_(std::move(text))
{
}

CmpiData::CmpiData(CMPIType type, const CMPIValue& value) : data_(makeData(type, CMPI_goodValue))
{
    data_.value = value;
}

CmpiData::CmpiData(CMPISint8 v) : CmpiData(CMPI_sint8, makeValue(&CMPIValue::sint8, v)) {}
CmpiData::CmpiData(CMPISint16 v) : CmpiData(CMPI_sint16, makeValue(&CMPIValue::sint16, v)) {}
CmpiData::CmpiData(CMPISint32 v) : CmpiData(CMPI_sint32, makeValue(&CMPIValue::sint32, v)) {}
CmpiData::CmpiData(CMPISint64 v) : CmpiData(CMPI_sint64, makeValue(&CMPIValue::sint64, v)) {}
CmpiData::CmpiData(CMPIUint8 v) : CmpiData(CMPI_uint8, makeValue(&CMPIValue::uint8, v)) {}
CmpiData::CmpiData(CMPIUint16 v) : CmpiData(CMPI_uint16, makeValue(&CMPIValue::uint16, v)) {}
CmpiData::CmpiData(CMPIUint32 v) : CmpiData(CMPI_uint32, makeValue(&CMPIValue::uint32, v)) {}
CmpiData::CmpiData(CMPIUint64 v) : CmpiData(CMPI_uint64, makeValue(&CMPIValue::uint64, v)) {}
CmpiData::CmpiData(CMPIReal32 v) : CmpiData(CMPI_real32, makeValue(&CMPIValue::real32, v)) {}
CmpiData::CmpiData(CMPIReal64 v) : CmpiData(CMPI_real64, makeValue(&CMPIValue::real64, v)) {}

CmpiData CmpiData::nullValue(CMPIType type)
{
    return CmpiData(makeData(type, CMPI_nullValue));
}

CMPIType CmpiData::type() const
{
    return data_.type;
}

bool CmpiData::isNullValue() const
{
    return (data_.state & CMPI_nullValue) != 0;
}

bool CmpiData::isString() const
{
    return data_.type == CMPI_string;
}

CmpiString CmpiData::getString() const
{
    if (data_.type != CMPI_string)
        throw CmpiStatus(CMPI_RC_ERR_TYPE_MISMATCH, "CmpiData: the value is not a string");
    return isNullValue() ? CmpiString() : CmpiString(data_.value.string);
}

CmpiData::operator CmpiString() const
{
    return getString();
}

const CMPIValue& CmpiData::checked(CMPIType expected) const
{
    if (data_.type != expected)
        throw CmpiStatus(CMPI_RC_ERR_TYPE_MISMATCH, "CmpiData: the value has another type");
    if (isNullValue())
        throw CmpiStatus(CMPI_RC_ERR_FAILED, "CmpiData: the value is NULL");
    return data_.value;
}

bool CmpiData::getBoolean() const { return checked(CMPI_boolean).boolean != 0; }
CMPISint8 CmpiData::getSint8() const { return checked(CMPI_sint8).sint8; }
CMPISint16 CmpiData::getSint16() const { return checked(CMPI_sint16).sint16; }
CMPISint32 CmpiData::getSint32() const { return checked(CMPI_sint32).sint32; }
CMPISint64 CmpiData::getSint64() const { return checked(CMPI_sint64).sint64; }
CMPIUint8 CmpiData::getUint8() const { return checked(CMPI_uint8).uint8; }
CMPIUint16 CmpiData::getUint16() const { return checked(CMPI_uint16).uint16; }
CMPIUint32 CmpiData::getUint32() const { return checked(CMPI_uint32).uint32; }
CMPIUint64 CmpiData::getUint64() const { return checked(CMPI_uint64).uint64; }
CMPIReal32 CmpiData::getReal32() const { return checked(CMPI_real32).real32; }
CMPIReal64 CmpiData::getReal64() const { return checked(CMPI_real64).real64; }

const char* CmpiData::getChars() const
{
    checked(CMPI_chars);
    return text_.c_str();
}

const CMPIValue* CmpiData::valuePtr() const
{
    if (isNullValue())
        return nullptr;
    if (data_.type == CMPI_chars)
        return reinterpret_cast<const CMPIValue*>(text_.c_str());
    return &data_.value;
}

CMPIType CmpiData::passType() const
{
    return data_.type;
}

CmpiBooleanData::CmpiBooleanData(bool b)
    : CmpiData(CMPI_boolean, [b] {
          CMPIValue value{};
          value.boolean = b ? 1 : 0;
          return value;
      }())
{
}
