#ifndef VELMORA_TESTS_SAMBA_MOFTEXT_H
#define VELMORA_TESTS_SAMBA_MOFTEXT_H

#include <string>
#include <utility>
#include <vector>

// A reader for the part of MOF (DSP0221) that the schema files use:
// qualifier declarations, classes with qualified properties, and instances
// with scalar and array values. Comments, string escapes and concatenated
// string literals are understood; anything else is an error.
namespace mof {

// A qualifier as written on a class or property; a flag qualifier such as
// Key has no values. String literals are unquoted and unescaped; numbers,
// true, false and NULL keep their text.
struct Qualifier {
    std::string name;
    std::vector<std::string> values;
};

struct Property {
    std::string type;  // e.g. "string", "sint32", "boolean"
    std::string name;
    bool isArray = false;
    std::vector<Qualifier> qualifiers;

    const Qualifier* qualifier(const std::string& name) const;  // ignoring case
};

struct Class {
    std::string name;
    std::string superclass;  // empty when there is none
    std::vector<Qualifier> qualifiers;
    std::vector<Property> properties;

    const Property* property(const std::string& name) const;  // ignoring case
};

// One "instance of" block: its property values in file order. A scalar has
// one value, an array its elements, NULL none at all.
struct Instance {
    std::string className;
    std::vector<std::pair<std::string, std::vector<std::string>>> values;

    const std::vector<std::string>* value(const std::string& name) const;  // ignoring case
};

struct QualifierDeclaration {
    std::string name;
    std::string type;  // with "[]" for an array type
};

struct File {
    std::vector<QualifierDeclaration> qualifiers;
    std::vector<Class> classes;
    std::vector<Instance> instances;
};

// Parses MOF text; throws std::runtime_error naming the line on any text
// outside the subset above.
File parse(const std::string& text);

}  // namespace mof

#endif
