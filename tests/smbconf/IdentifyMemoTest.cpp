// The memo the enumeration names parameters through answers as Identify
// does, for every spelling, however often and in whatever order it comes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "smbconf/IdentifyMemo.h"

namespace {

TEST(IdentifyMemo, AnswersAsIdentifyForEverySpelling)
{
    struct Case {
        const char* key;
        const char* name;
        bool inverted;
    };
    // Spellings of one parameter side by side, synonyms and inverse
    // synonyms, names beyond the tables, and the empty name.
    const std::vector<Case> cases = {
        {"read only", "readonly", false}, {"Read  Only", "readonly", false}, {"readonly", "readonly", false},
        {"writeable", "readonly", true},  {"Write OK", "readonly", true},    {"directory", "path", false},
        {"path", "path", false},          {"PATH", "path", false},           {"vfs object", "vfsobjects", false},
        {"no such thing", "nosuchthing", false}, {"\xc3\xa9t\xc3\xa9", "\xc3\xa9t\xc3\xa9", false},
        {"", "", false},
    };
    // Keys are held as views: each lives in its own string, as a reading's
    // keys live in its lines, and every case is asked twice.
    std::vector<std::string> keys;
    for (const Case& c : cases)
        keys.emplace_back(c.key);
    velmora::samba::IdentifyMemo memo;
    for (int round = 0; round < 2; ++round) {
        for (size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE(cases[i].key);
            const velmora::samba::ParameterId& id = memo(keys[i]);
            EXPECT_EQ(cases[i].name, id.name);
            EXPECT_EQ(cases[i].inverted, id.inverted);
            EXPECT_EQ(velmora::samba::Identify(keys[i]).name, id.name);
        }
    }
}

}  // namespace
