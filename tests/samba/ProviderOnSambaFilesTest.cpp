// The provider reading real configuration files: the one Debian's samba
// package installs, and realistic files of other kinds of server, checked
// against what Samba itself makes of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/samba/SambaFixtures.h"
#include "tests/samba/SambaTools.h"
#include "tests/support/ProviderHost.h"

namespace {

std::string textOf(const vhost::Instance& instance, const char* property)
{
    const vhost::Value* value = instance.property(property);
    return value != nullptr ? value->text : "<absent>";
}

}  // namespace

// [homes] has no "path" line: only ';' lines of commented-out shares follow
// its parameters, and their keys ("; path", ";   read only") are not the
// share's. Properties come in the order the class declares them; the
// commented-out [netlogon] and [profiles] are no shares.
// (The types of the values are checked against the schema in SchemaTest.)
TEST(DebianTemplate, ProviderPublishesHomesPrintersAndPrintDrivers)
{
    SKIP_WITHOUT_SAMBA();
    testfs::writeSmbConf(samba::fixture("debian"));
    const std::vector<vhost::Instance> instances = samba::providerInstances();
    const std::vector<Properties> expected = {
        {{"InstanceID", "\"Samba:homes\""}, {"FileSharingProtocol", "3"}, {"ElementName", "\"homes\""},
         {"Comment", "\"Home Directories\""}, {"PathName", "\"\""}, {"ReadOnly", "true"}},
        {{"InstanceID", "\"Samba:printers\""}, {"FileSharingProtocol", "3"},
         {"ElementName", "\"printers\""}, {"Comment", "\"All Printers\""},
         {"PathName", "\"/var/tmp\""}, {"ReadOnly", "true"}},
        {{"InstanceID", "\"Samba:print$\""}, {"FileSharingProtocol", "3"},
         {"ElementName", "\"print$\""}, {"Comment", "\"Printer Drivers\""},
         {"PathName", "\"/var/lib/samba/printers\""}, {"ReadOnly", "true"}},
    };
    ASSERT_EQ(expected.size(), instances.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], literals(instances[i]));
}

// The provider and Samba agree on which shares a file has and where each
// one's directory is, for files that keep to what both read alike (exact
// lower-case keys, no continued lines, every section named once).
TEST(PathName, EqualsThePathSambaReportsForEveryShare)
{
    SKIP_WITHOUT_SAMBA();
    for (const char* name : {"debian", "office", "office-crlf", "nas", "nas-unterminated", "member"}) {
        SCOPED_TRACE(name);
        testfs::writeSmbConf(samba::fixture(name));
        const samba::Testparm samba = samba::testparm(testfs::kSmbConf);
        ASSERT_EQ(0, samba.exitCode) << samba.messages;
        std::vector<std::string> sambaShares;
        for (const auto& [section, parameters] : samba.view) {
            if (section != "global")
                sambaShares.push_back(section);
        }
        std::vector<std::string> providerShares;
        for (const vhost::Instance& instance : samba::providerInstances()) {
            const std::string share = textOf(instance, "ElementName");
            providerShares.push_back(share);
            EXPECT_EQ(samba::testparmParameter(testfs::kSmbConf, share, "path"), textOf(instance, "PathName"))
                << "share " << share;
        }
        std::sort(providerShares.begin(), providerShares.end());
        EXPECT_EQ(sambaShares, providerShares);
    }
}
