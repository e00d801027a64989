// The editing members of SambaConfFile where the share functions never
// reach them: a name that matches no section must not cost a line, and a
// model without lines must not rewrite the file.
#include <gtest/gtest.h>

#include "smbconf/SambaConfFile.h"
#include "tests/edit/EditSupport.h"
#include "tests/support/Files.h"

namespace {

TEST(SectionEdits, NoMatchingSectionLeavesTheFileAlone)
{
    const std::vector<std::string> files = {"[a]\n\tk = 1\n", "# only a comment\n", "[x]\n[]\n"};
    for (const std::string& before : files) {
        SCOPED_TRACE(before);
        testfs::writeSmbConf(before);
        SambaConfFile conf;
        ASSERT_EQ(conf.Init(), 0);
        std::string key = "k";
        std::string value = "2";
        EXPECT_EQ(conf.RemoveSection("b"), -1);
        for (PropertyExistence existence : {PropertyAbsent, PropertyValueDiffers, PropertySameValue})
            EXPECT_EQ(conf.ModifySection("b", key, value, existence), -1);
        edittest::expectUntouched(before);
    }
}

// A model read for queries only has no lines to rewrite the file from.
TEST(SectionEdits, SectionsOnlyModelRefusesToRewrite)
{
    const std::string before = "[a]\n\tk = 1\n\n[b]\n";
    testfs::writeSmbConf(before);
    SambaConfFile conf;
    ASSERT_EQ(conf.InitSections(), 0);
    std::string key = "k";
    std::string value = "2";
    EXPECT_EQ(conf.RemoveSection("a"), -1);
    for (PropertyExistence existence : {PropertyAbsent, PropertyValueDiffers})
        EXPECT_EQ(conf.ModifySection("a", key, value, existence), -1);
    edittest::expectUntouched(before);
}

}  // namespace
