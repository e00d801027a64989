// The text forms the tool prints and tests compare: literals and paths. An
// instance's JSON is checked through the tool (CliTest.cpp).
#include <gtest/gtest.h>

#include <cmath>

#include "host/ObjectPath.h"
#include "host/Value.h"

using vhost::ObjectPath;
using vhost::Value;

namespace {

TEST(TextForm, ValuesAsMofAndJson)
{
    Value char16 = Value::uint16('A');
    char16.type = CMPI_char16;
    struct Case {
        Value value;
        const char* mof;
        const char* json;
    };
    const Case cases[] = {
        {Value::string("a\"b\\c\td"), "\"a\\\"b\\\\c\\td\"", "\"a\\\"b\\\\c\\u0009d\""},
        {Value::string("\x01"), "\"\\x01\"", "\"\\u0001\""},
        // Bytes that are not UTF-8 are kept as Latin-1 escapes in JSON; valid UTF-8 passes.
        {Value::string("\xE9t\xC3\xA9"), "\"\xE9t\xC3\xA9\"", "\"\\u00E9t\xC3\xA9\""},
        {Value::uint64(18446744073709551615ull), "18446744073709551615", "18446744073709551615"},
        {Value::fromBool(false), "false", "false"},
        {Value::real64(0.1), "0.1", "0.1"},
        {Value::real64(NAN), "NaN", "null"},
        {char16, "'A'", "65"},
        {Value::null(CMPI_uint32), "NULL", "null"},
        {Value::nullTextString(), "NULL", "null"},
        {Value::array(CMPI_uint16, {Value::uint16(1), Value::null(CMPI_uint16)}), "{1, NULL}", "[1, null]"},
        {Value::reference(ObjectPath("root/a", "C").addKey("K", Value::string("x"))), "\"root/a:C.K=\\\"x\\\"\"",
         "\"root/a:C.K=\\\"x\\\"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mof);
        EXPECT_EQ(c.mof, c.value.toString());
        EXPECT_EQ(c.json, c.value.toJson());
    }
}

TEST(TextForm, ObjectPaths)
{
    ObjectPath full("root/cimv2", "QVX_SambaFileShare");
    full.host = "server";
    full.addKey("InstanceID", Value::string("Samba:data")).addKey("Number", Value::uint32(2));
    ObjectPath replaced("root/cimv2", "C");
    replaced.addKey("A", Value::uint32(1)).addKey("B", Value::uint32(2)).addKey("a", Value::uint32(3));
    struct Case {
        ObjectPath path;
        const char* text;
    };
    const Case cases[] = {
        {full, "//server/root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:data\",Number=2"},
        {ObjectPath("", "C").addKey("Flag", Value::fromBool(true)), "C.Flag=true"},
        {ObjectPath("root/x", "C"), "root/x:C"},
        {replaced, "root/cimv2:C.A=3,B=2"},  // a key set again keeps its place
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.path.toString());
}

}  // namespace
