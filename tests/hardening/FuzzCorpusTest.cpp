// The fuzz targets' seed corpus and every saved finding, replayed through
// the targets' own checks (fuzz/*Check.h) in the regular test builds: a
// finding, once fixed, stays fixed in the plain, sanitizer and valgrind runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "fuzz/EditCheck.h"
#include "fuzz/FuzzEnvironment.h"
#include "fuzz/ParserCheck.h"
#include "fuzz/ProviderCheck.h"
#include "tests/support/Files.h"

namespace {

const std::string kFuzzDir = VELMORA_FUZZ_DIR;

// The files of a directory in name order; none when it does not exist.
std::vector<std::string> filesIn(const std::string& dir)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.path().filename().string()[0] != '.')
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Runs check on every input of the given directories; returns how many.
size_t replay(const std::vector<std::string>& dirs,
              const std::function<std::string(std::string_view)>& check)
{
    fuzzenv::Prepare();
    size_t count = 0;
    for (const std::string& dir : dirs) {
        for (const std::string& file : filesIn(dir)) {
            SCOPED_TRACE(file);
            const std::optional<std::string> input = testfs::readFile(file);
            EXPECT_TRUE(input.has_value());
            EXPECT_EQ(check(input.value_or("")), "");
            ++count;
        }
    }
    return count;
}

TEST(FuzzCorpus, ParserKeepsItsPromises)
{
    EXPECT_GT(replay({kFuzzDir + "/corpus/conf", kFuzzDir + "/regressions/parser"},
                     fuzzcheck::CheckParse),
              0u);
}

TEST(FuzzCorpus, EditsKeepTheirPromises)
{
    EXPECT_GT(replay({kFuzzDir + "/corpus/edit", kFuzzDir + "/regressions/edit"},
                     fuzzcheck::CheckEdit),
              0u);
}

// Inputs on which the library still breaks a promise: each waits in
// regressions/open/ for its fix, then moves to its target's directory.
// Run with --gtest_also_run_disabled_tests.
TEST(FuzzCorpus, DISABLED_OpenFaultsAreFixed)
{
    replay({kFuzzDir + "/regressions/open/parser"}, fuzzcheck::CheckParse);
    replay({kFuzzDir + "/regressions/open/edit"}, fuzzcheck::CheckEdit);
    fuzzcheck::ProviderProbe probe;
    replay({kFuzzDir + "/regressions/open/provider"}, [&](std::string_view bytes) { return probe.Check(bytes); });
}

TEST(FuzzCorpus, ProviderKeepsItsPromises)
{
    fuzzenv::Prepare();
    fuzzcheck::ProviderProbe probe;
    EXPECT_GT(replay({kFuzzDir + "/corpus/conf", kFuzzDir + "/regressions/provider"},
                     [&](std::string_view bytes) { return probe.Check(bytes); }),
              0u);
}

}  // namespace
