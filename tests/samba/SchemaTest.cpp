// The schema and the registrations a CIMOM is given: the class declares
// exactly the properties the provider sets, with the types it sets them
// with, and both registrations name the library and factories that exist.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

#include "tests/samba/MofText.h"
#include "tests/samba/SambaFixtures.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace {

std::string schemaFile(const std::string& name)
{
    const auto text = testfs::readFile(std::string(VELMORA_SCHEMA_DIR) + "/" + name);
    EXPECT_TRUE(text.has_value()) << "cannot read schema/" << name;
    return text.value_or("");
}

mof::File parseSchemaFile(const std::string& name)
{
    try {
        return mof::parse(schemaFile(name));
    } catch (const std::exception& e) {
        ADD_FAILURE() << name << ": " << e.what();
        return {};
    }
}

const mof::Class& theClass()
{
    static const mof::File file = parseSchemaFile("QVX_SambaFileShare.mof");
    static const mof::Class none;
    return file.classes.size() == 1 ? file.classes.front() : none;
}

std::string mofType(const vhost::Value& value)
{
    switch (value.type) {
    case CMPI_string: return "string";
    case CMPI_sint32: return "sint32";
    case CMPI_boolean: return "boolean";
    default: return "CMPI type " + std::to_string(value.type);
    }
}

// An instance from the provider with every property set: a share with all
// four mapped parameter lines.
vhost::Instance fullInstance()
{
    testfs::writeSmbConf("[global]\n   workgroup = WORKGROUP\n\n[data]\n   path = /srv/data\n"
                         "   comment = Team data\n   read only = no\n   inherit acls = yes\n");
    const std::vector<vhost::Instance> instances = samba::providerInstances();
    return instances.size() == 1 ? instances.front() : vhost::Instance{};
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    const size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The stanza of velmora.reg: "key: value" lines below "[QVX_SambaFileShare]".
std::map<std::string, std::string> sfcbStanza()
{
    std::map<std::string, std::string> entries;
    std::istringstream lines(schemaFile("velmora.reg"));
    std::string line;
    bool inStanza = false;
    while (std::getline(lines, line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        if (line[start] == '[') {
            inStanza = trimmed(line) == "[QVX_SambaFileShare]";
            continue;
        }
        const size_t colon = line.find(':');
        if (inStanza && colon != std::string::npos)
            entries[trimmed(line.substr(0, colon))] = trimmed(line.substr(colon + 1));
    }
    return entries;
}

const mof::Instance* instanceOf(const mof::File& file, const std::string& className)
{
    for (const mof::Instance& instance : file.instances) {
        if (instance.className == className)
            return &instance;
    }
    return nullptr;
}

std::vector<std::string> valueOf(const mof::Instance* instance, const std::string& property)
{
    const std::vector<std::string>* values = instance != nullptr ? instance->value(property) : nullptr;
    return values != nullptr ? *values : std::vector<std::string>{"<absent>"};
}

}  // namespace

// Only standard qualifiers and no superclass, so that the class compiles
// into a repository without the DMTF schema; the qualifier file declares
// every qualifier the class uses.
TEST(Schema, ClassStandsAloneOnStandardQualifiers)
{
    const mof::Class& cls = theClass();
    ASSERT_EQ("QVX_SambaFileShare", cls.name);
    EXPECT_EQ("", cls.superclass);
    std::set<std::string> declared;
    for (const mof::QualifierDeclaration& q : parseSchemaFile("QVX_Qualifiers.mof").qualifiers)
        declared.insert(q.name);
    EXPECT_EQ((std::set<std::string>{"Description", "Key", "ValueMap", "Values"}), declared);
    std::vector<mof::Qualifier> used = cls.qualifiers;
    for (const mof::Property& p : cls.properties)
        used.insert(used.end(), p.qualifiers.begin(), p.qualifiers.end());
    for (const mof::Qualifier& q : used)
        EXPECT_EQ(1u, declared.count(q.name)) << "undeclared qualifier " << q.name;
    for (const mof::Property& p : cls.properties)
        EXPECT_EQ(p.name == "InstanceID", p.qualifier("Key") != nullptr) << p.name;
}

TEST(Schema, ProtocolValueThreeIsCifs)
{
    const mof::Property* protocol = theClass().property("FileSharingProtocol");
    ASSERT_NE(nullptr, protocol);
    const mof::Qualifier* valueMap = protocol->qualifier("ValueMap");
    const mof::Qualifier* values = protocol->qualifier("Values");
    ASSERT_TRUE(valueMap != nullptr && values != nullptr);
    ASSERT_EQ(valueMap->values.size(), values->values.size());
    std::map<std::string, std::string> meaning;
    for (size_t i = 0; i < values->values.size(); ++i)
        meaning[valueMap->values[i]] = values->values[i];
    EXPECT_EQ("CIFS", meaning["3"]);
}

// Each property the provider sets is declared with the CIM type of its
// value, and the class declares nothing the provider never sets.
TEST(Schema, DeclaresExactlyWhatTheProviderSets)
{
    const vhost::Instance instance = fullInstance();
    ASSERT_EQ(7u, instance.properties.size()) << instance.toMof();
    std::map<std::string, std::string> set;
    for (const auto& [name, value] : instance.properties)
        set[name] = mofType(value);
    std::map<std::string, std::string> declared;
    for (const mof::Property& p : theClass().properties)
        declared[p.name] = p.isArray ? p.type + "[]" : p.type;
    EXPECT_EQ(set, declared);
}

// sfcb loads lib<location>.so and calls <provider>_Create_<Type>MI for each
// type listed; the built library must be found under that name and export
// exactly those factories (OpenPegasus refuses one that also exports the
// generic ones).
TEST(Schema, SfcbRegistrationNamesTheLibraryAndItsFactories)
{
    const std::map<std::string, std::string> stanza = sfcbStanza();
    const std::map<std::string, std::string> expected = {{"provider", "velmora"},
                                                         {"location", "velmora"},
                                                         {"type", "instance method"},
                                                         {"namespace", "root/cimv2"}};
    EXPECT_EQ(expected, stanza);
    const std::string library = VelmoraLibrary::path();
    const std::string fileName = library.substr(library.rfind('/') + 1);
    EXPECT_EQ(0u, fileName.rfind("lib" + stanza.at("location") + ".so", 0)) << fileName;
    const VelmoraLibrary& lib = VelmoraLibrary::get();
    EXPECT_NE(nullptr, lib.symbol(stanza.at("provider") + "_Create_InstanceMI"));
    EXPECT_NE(nullptr, lib.symbol(stanza.at("provider") + "_Create_MethodMI"));
    EXPECT_EQ(nullptr, lib.symbol("_Generic_Create_InstanceMI"));
    EXPECT_EQ(nullptr, lib.symbol("_Generic_Create_MethodMI"));
}

// The three OpenPegasus registration instances agree with each other, with
// the class and with the sfcb registration.
TEST(Schema, PegasusRegistrationMatchesTheProvider)
{
    const mof::File file = parseSchemaFile("velmora-pegasus-registration.mof");
    const mof::Instance* module = instanceOf(file, "PG_ProviderModule");
    const mof::Instance* provider = instanceOf(file, "PG_Provider");
    const mof::Instance* capabilities = instanceOf(file, "PG_ProviderCapabilities");
    using Values = std::vector<std::string>;
    EXPECT_EQ(Values{"velmora"}, valueOf(module, "Name"));
    EXPECT_EQ(Values{"velmora"}, valueOf(module, "Location"));
    EXPECT_EQ(Values{"CMPI"}, valueOf(module, "InterfaceType"));
    EXPECT_EQ(Values{"2.0.0"}, valueOf(module, "InterfaceVersion"));
    EXPECT_EQ(Values{VELMORA_PROJECT_VERSION}, valueOf(module, "Version"));
    EXPECT_EQ(Values{"velmora"}, valueOf(provider, "ProviderModuleName"));
    EXPECT_EQ(Values{"velmora"}, valueOf(provider, "Name"));
    EXPECT_EQ(Values{"velmora"}, valueOf(capabilities, "ProviderModuleName"));
    EXPECT_EQ(Values{"velmora"}, valueOf(capabilities, "ProviderName"));
    EXPECT_EQ(Values{theClass().name}, valueOf(capabilities, "ClassName"));
    EXPECT_EQ(Values{"root/cimv2"}, valueOf(capabilities, "Namespaces"));
    EXPECT_EQ((Values{"2", "5"}), valueOf(capabilities, "ProviderType"));
}
