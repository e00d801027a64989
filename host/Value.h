#ifndef VELMORA_HOST_VALUE_H
#define VELMORA_HOST_VALUE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cmpi/cmpidt.h"

namespace vhost {

struct ObjectPath;
struct Instance;

// A CIM value as the host recorded it: a plain copy that owns everything it
// holds and outlives every broker object. `type` is the CMPI type code; a
// value handed in as CMPI_chars is recorded as CMPI_string, as the getters of
// a broker report it. The field that carries the value follows the type:
//   CMPI_string, CMPI_dateTime (25-character CIM form)    -> text
//   signed integers                                       -> sint
//   unsigned integers, CMPI_char16                        -> uint
//   CMPI_boolean -> boolean; CMPI_real32/64 -> real
//   CMPI_ref -> ref; CMPI_instance -> instance; arrays (CMPI_ARRAY bit) -> elements
// isNull marks a NULL value of the given type (its fields are then unused).
// nullText marks the odd CMPI_string that is not NULL but whose CMPIString
// carries no characters (getCharPtr answers NULL).
struct Value {
    CMPIType type = CMPI_null;
    bool isNull = true;
    bool nullText = false;
    std::string text;
    int64_t sint = 0;
    uint64_t uint = 0;
    bool boolean = false;
    double real = 0;
    std::shared_ptr<ObjectPath> ref;
    std::shared_ptr<Instance> instance;
    std::vector<Value> elements;

    static Value string(std::string s);
    static Value nullTextString();
    static Value null(CMPIType t);
    static Value fromBool(bool b);
    static Value sint32(int32_t v);
    static Value sint64(int64_t v);
    static Value uint16(uint16_t v);
    static Value uint32(uint32_t v);
    static Value uint64(uint64_t v);
    static Value real64(double v);
    static Value dateTime(std::string cimText);
    static Value reference(const ObjectPath& path);
    static Value embedded(const Instance& inst);
    static Value array(CMPIType elementType, std::vector<Value> elements);

    bool isArray() const { return (type & CMPI_ARRAY) != 0; }

    // MOF-style literal: "text" quoted and escaped, 3, true, 1.5, NULL,
    // {1, 2} for arrays, a reference as its quoted object path.
    std::string toString() const;
    // JSON: strings quoted, numbers, true/false, null, arrays as JSON arrays,
    // a reference as its object-path string, an embedded instance as an object.
    std::string toJson() const;

    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }
};

}  // namespace vhost

#endif
