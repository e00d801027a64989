#ifndef VELMORA_CMPI_CMPIDATA_H
#define VELMORA_CMPI_CMPIDATA_H

#include <string>

#include "cmpi/CmpiString.h"
#include "cmpi/cmpift.h"
#include "common/Export.h"

// A typed CIM value: what the broker hands out (property, key, entry,
// argument) or what the provider passes in. A CMPI_chars value owns a copy
// of its text; every other kind holds the broker's value as it is (a
// CMPI_string value refers to a broker string and lives no longer than it).
class VELMORA_EXPORT CmpiData {
public:
    // The null value of type CMPI_null.
    CmpiData();
    // A value as received from the broker. A CMPI_chars value is copied; a
    // CMPI_chars value with a null pointer counts as null.
    explicit CmpiData(const CMPIData& data);
    // CMPI_chars with a copy of text; a null text gives a null CMPI_string.
    CmpiData(const char* text);
    // CMPI_chars with a copy of text.
    CmpiData(const std::string& text);
    // CMPI_chars taking over text.
    CmpiData(std::string&& text);
    CmpiData(CMPISint8 v);
    CmpiData(CMPISint16 v);
    CmpiData(CMPISint32 v);
    CmpiData(CMPISint64 v);
    CmpiData(CMPIUint8 v);
    CmpiData(CMPIUint16 v);
    CmpiData(CMPIUint32 v);
    CmpiData(CMPIUint64 v);
    CmpiData(CMPIReal32 v);
    CmpiData(CMPIReal64 v);
    // A bool would silently become a CMPI_sint32: use CmpiBooleanData.
    CmpiData(bool v) = delete;

    // A NULL value of the given type, e.g. a null CMPI_string key.
    static CmpiData nullValue(CMPIType type);

    CMPIType type() const;
    bool isNullValue() const;
    // True for a CMPI_string value (null or not).
    bool isString() const;

    // The broker string of a CMPI_string value; the null CmpiString when the
    // value is null. Throws CmpiStatus(CMPI_RC_ERR_TYPE_MISMATCH) for any
    // other type.
    CmpiString getString() const;
    operator CmpiString() const;

    // Each getter throws CmpiStatus(CMPI_RC_ERR_TYPE_MISMATCH) when the value
    // has another type, and CmpiStatus(CMPI_RC_ERR_FAILED) when it is null.
    bool getBoolean() const;
    CMPISint8 getSint8() const;
    CMPISint16 getSint16() const;
    CMPISint32 getSint32() const;
    CMPISint64 getSint64() const;
    CMPIUint8 getUint8() const;
    CMPIUint16 getUint16() const;
    CMPIUint32 getUint32() const;
    CMPIUint64 getUint64() const;
    CMPIReal32 getReal32() const;
    CMPIReal64 getReal64() const;
    // The text of a CMPI_chars value (valid while this object lives).
    const char* getChars() const;

    // What to pass into the broker (setProperty, addKey, returnData, addArg):
    // a CMPI_chars value goes as its char pointer itself cast to
    // const CMPIValue*, a null value as nullptr, anything else as a pointer
    // to its CMPIValue. Valid while this object lives unchanged.
    const CMPIValue* valuePtr() const;
    CMPIType passType() const;

protected:
    // For subclasses that set one CMPIValue member of the given type.
    CmpiData(CMPIType type, const CMPIValue& value);

private:
    const CMPIValue& checked(CMPIType expected) const;

    CMPIData data_;
    std::string text_;
};

// A CMPI_boolean value. Its own class because CMPIBoolean is the same C type
// as CMPIUint8.
class VELMORA_EXPORT CmpiBooleanData : public CmpiData {
public:
    explicit CmpiBooleanData(bool b);
};

#endif
