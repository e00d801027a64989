// The schema and the registrations a CIMOM is given: the class declares
// exactly the properties the provider sets, with the types it sets them
// with, and both registrations name the library and factories that exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/samba/SambaFixtures.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

// The schema files keep one declaration, qualifier or property value per
// line, so a line-oriented reader is enough for them; "//" comments take
// whole lines.
using Values = std::vector<std::string>;

struct Property {
    std::string type;  // "[]" appended for an array
    std::set<std::string> qualifiers;
    std::map<std::string, Values> lists;  // ValueMap and Values
};

struct MofClass {
    std::string name, superclass;
    std::set<std::string> qualifiers;  // the class's own and all its properties'
    std::map<std::string, Property> properties;
};

std::string schemaFile(const std::string& name)
{
    const auto text = testfs::readFile(std::string(VELMORA_SCHEMA_DIR) + "/" + name);
    EXPECT_TRUE(text.has_value()) << "cannot read schema/" << name;
    return text.value_or("");
}

// The lines of a schema file without its comment lines.
Values linesOf(const std::string& file)
{
    Values lines;
    std::istringstream in(schemaFile(file));
    for (std::string line; std::getline(in, line);) {
        if (line.find_first_not_of(" \t") != line.find("//"))
            lines.push_back(line);
    }
    return lines;
}

const std::regex kStringLiteral(R"re("(?:[^"\\]|\\.)*")re");

// The values in a text: string literals (unquoted) and words; NULL gives none.
Values tokens(const std::string& text)
{
    static const std::regex token(R"re("((?:[^"\\]|\\.)*)"|([\w.]+))re");
    Values found;
    for (std::sregex_iterator it(text.begin(), text.end(), token), end; it != end; ++it) {
        if ((*it)[1].matched || (*it)[2].str() != "NULL")
            found.push_back((*it)[1].matched ? (*it)[1].str() : (*it)[2].str());
    }
    return found;
}

MofClass readClass()
{
    static const std::regex classLine(R"(^\s*class\s+(\w+)\s*(?::\s*(\w+))?)");
    static const std::regex propertyLine(R"(^\s*(\w+)\s+(\w+)\s*(\[\])?\s*;)");
    static const std::regex qualifier(R"(([A-Za-z]\w*)\s*(?=[({,\]]))");
    MofClass cls;
    Property pending;  // the qualifiers read since the last declaration
    for (const std::string& line : linesOf("QVX_SambaFileShare.mof")) {
        const std::string bare = std::regex_replace(line, kStringLiteral, "\"\"");
        std::smatch m;
        if (std::regex_search(bare, m, classLine)) {
            cls.name = m[1];
            cls.superclass = m[2];
            pending = Property{};
        } else if (std::regex_search(bare, m, propertyLine)) {
            pending.type = m[1].str() + m[3].str();
            cls.properties[m[2]] = pending;
            pending = Property{};
        }
        for (std::sregex_iterator it(bare.begin(), bare.end(), qualifier), end; it != end; ++it) {
            const std::string name = (*it)[1];
            pending.qualifiers.insert(name);
            cls.qualifiers.insert(name);
            if (name == "ValueMap" || name == "Values")
                pending.lists[name] = tokens(line.substr(line.find('{')));
        }
    }
    return cls;
}

// class name -> property -> values, from the "instance of" blocks of a file.
std::map<std::string, std::map<std::string, Values>> readInstances(const std::string& file)
{
    static const std::regex start(R"(^\s*instance\s+of\s+(\w+))");
    static const std::regex value(R"(^\s*(\w+)\s*=\s*(.*);)");
    std::map<std::string, std::map<std::string, Values>> instances;
    std::string current;
    for (const std::string& line : linesOf(file)) {
        std::smatch m;
        if (std::regex_search(line, m, start))
            current = m[1];
        else if (std::regex_search(line, m, value))
            instances[current][m[1]] = tokens(m[2]);
    }
    return instances;
}

// The stanza of velmora.reg: "key: value" lines below "[QVX_SambaFileShare]".
std::map<std::string, std::string> sfcbStanza()
{
    static const std::regex entry(R"(^\s*([\w ]*\w)\s*:\s*(.*\S)\s*$)");
    std::map<std::string, std::string> entries;
    bool inStanza = false;
    std::istringstream lines(schemaFile("velmora.reg"));
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (line.rfind("[", 0) == 0)
            inStanza = line == "[QVX_SambaFileShare]";
        else if (inStanza && line.rfind("#", 0) != 0 && std::regex_match(line, m, entry))
            entries[m[1]] = m[2];
    }
    return entries;
}

std::string mofType(const vhost::Value& value)
{
    const std::map<CMPIType, std::string> names = {
        {CMPI_string, "string"}, {CMPI_sint32, "sint32"}, {CMPI_boolean, "boolean"}};
    return names.count(value.type) ? names.at(value.type) : "CMPI type " + std::to_string(value.type);
}

}  // namespace

// Only standard qualifiers and no superclass, so that the class compiles
// into a repository without the DMTF schema; the qualifier file declares
// every qualifier the class uses. InstanceID is the one key.
TEST(Schema, ClassStandsAloneOnStandardQualifiers)
{
    const MofClass cls = readClass();
    EXPECT_EQ("QVX_SambaFileShare", cls.name);
    EXPECT_EQ("", cls.superclass);
    std::set<std::string> declared;
    static const std::regex declaration(R"(^\s*Qualifier\s+(\w+)\s*:)");
    for (const std::string& line : linesOf("QVX_Qualifiers.mof")) {
        std::smatch m;
        if (std::regex_search(line, m, declaration))
            declared.insert(m[1]);
    }
    EXPECT_EQ((std::set<std::string>{"Description", "Key", "ValueMap", "Values"}), declared);
    EXPECT_EQ(declared, cls.qualifiers);
    for (const auto& [name, property] : cls.properties)
        EXPECT_EQ(name == "InstanceID", property.qualifiers.count("Key") == 1) << name;
    // FileSharingProtocol 3, the value the provider sets, means CIFS.
    const Property& protocol = cls.properties.at("FileSharingProtocol");
    const Values& valueMap = protocol.lists.at("ValueMap");
    const Values& values = protocol.lists.at("Values");
    ASSERT_EQ(valueMap.size(), values.size());
    EXPECT_EQ("CIFS", values[std::find(valueMap.begin(), valueMap.end(), "3") - valueMap.begin()]);
}

// Each property the provider sets is declared with the CIM type of its
// value, and the class declares nothing the provider never sets: a share
// with all four mapped parameter lines sets every property.
TEST(Schema, DeclaresExactlyWhatTheProviderSets)
{
    testfs::writeSmbConf("[global]\n   workgroup = WORKGROUP\n\n[data]\n   path = /srv/data\n"
                         "   comment = Team data\n   read only = no\n   inherit acls = yes\n");
    const std::vector<vhost::Instance> instances = samba::providerInstances();
    ASSERT_EQ(1u, instances.size());
    std::map<std::string, std::string> set;
    for (const auto& [name, value] : instances[0].properties)
        set[name] = mofType(value);
    EXPECT_EQ(7u, set.size()) << instances[0].toMof();
    std::map<std::string, std::string> declared;
    for (const auto& [name, property] : readClass().properties)
        declared[name] = property.type;
    EXPECT_EQ(set, declared);
}

// sfcb loads lib<location>.so and calls <provider>_Create_<Type>MI for each
// type listed; the built library must be found under that name and export
// exactly those factories (OpenPegasus refuses one that also exports the
// generic ones).
TEST(Schema, SfcbRegistrationNamesTheLibraryAndItsFactories)
{
    const std::map<std::string, std::string> stanza = sfcbStanza();
    const std::map<std::string, std::string> expected = {
        {"provider", "velmora"}, {"location", "velmora"}, {"type", "instance method"}, {"namespace", "root/cimv2"}};
    ASSERT_EQ(expected, stanza);
    const std::string library = VelmoraLibrary::path();
    EXPECT_EQ(0u, library.substr(library.rfind('/') + 1).rfind("libvelmora.so", 0)) << library;
    const VelmoraLibrary& lib = VelmoraLibrary::get();
    EXPECT_NE(nullptr, lib.symbol("velmora_Create_InstanceMI"));
    EXPECT_NE(nullptr, lib.symbol("velmora_Create_MethodMI"));
    EXPECT_EQ(nullptr, lib.symbol("_Generic_Create_InstanceMI"));
    EXPECT_EQ(nullptr, lib.symbol("_Generic_Create_MethodMI"));
}

// The three OpenPegasus registration instances agree with each other, with
// the class and with the sfcb registration.
TEST(Schema, PegasusRegistrationMatchesTheProvider)
{
    using Instance = std::map<std::string, Values>;
    const std::map<std::string, Instance> expected = {
        {"PG_ProviderModule", {{"Name", {"velmora"}}, {"Location", {"velmora"}}, {"InterfaceType", {"CMPI"}},
                               {"InterfaceVersion", {"2.0.0"}}, {"Version", {VELMORA_PROJECT_VERSION}}}},
        {"PG_Provider", {{"ProviderModuleName", {"velmora"}}, {"Name", {"velmora"}}}},
        {"PG_ProviderCapabilities",
         {{"ProviderModuleName", {"velmora"}}, {"ProviderName", {"velmora"}}, {"ClassName", {readClass().name}},
          {"Namespaces", {"root/cimv2"}}, {"ProviderType", {"2", "5"}}}},
    };
    auto instances = readInstances("velmora-pegasus-registration.mof");
    for (const auto& [className, properties] : expected) {
        for (const auto& [name, values] : properties)
            EXPECT_EQ(values, instances[className][name]) << className << "." << name;
    }
}
