// Lookups of one section: by name ignoring case, and existence exactly.
#include <gtest/gtest.h>

#include "smbconf/SambaConfFile.h"
#include "tests/support/Files.h"

namespace {

SambaConfFile load(const std::string& content)
{
    testfs::writeSmbConf(content);
    SambaConfFile conf;
    conf.Init();
    return conf;
}

TEST(Queries, LookupByNameAndExistence)
{
    const SambaConfFile conf =
        load("[Homes]\n a = 1\n[homes]\n b = 2\n[ data ]\n[]\n c = 3\n[data]\n[data]\n d = 4\n");
    struct Case {
        const char* name;
        const char* foundName;  // "" = the empty section
        int32_t start;
        int exists;
    };
    const std::vector<Case> cases = {
        {"homes", "Homes", 0, 1}, {"HOMES", "Homes", 0, 0}, {"Homes", "Homes", 0, 1},
        {" data ", " data ", 4, 1}, {" DATA ", " data ", 4, 0}, {"", "", 5, 1},
        {"data", "data", 7, 1}, {"dat", "", 0, 0}, {"nothing", "", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SambaSection found = conf.GetSectionByName(c.name);
        EXPECT_EQ(found.name, c.foundName);
        EXPECT_EQ(found.startLine, c.start);
        EXPECT_EQ(conf.SectionExists(c.name), c.exists);
    }
    EXPECT_EQ(conf.GetSectionByName("nothing").properties.size(), 0u);
}

}  // namespace
