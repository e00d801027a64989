// A 100 MB smb.conf and 10 MB lines: a correct answer from every function,
// in memory that stays within a small multiple of the file's size.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>

#include "tests/support/ProviderHost.h"

namespace {

constexpr size_t kMegabyte = 1024 * 1024;

// Peak growth allowed for one call, in multiples of the file's size
// (docs/hardening.md has the figures measured):
// - The model holds every line twice, in lines and in its section's
//   properties, each as a std::string whose header and heap block cost
//   about 2.4 times a 30-byte line, with the parse's notes of which line is
//   what: 5.1 times a 100 MB file of short lines.
constexpr double kModelFactor = 6.0;
// - An edit holds, beside that model, Samba's reading of the file (a
//   48-byte record per line that sets a parameter, and the joined text of
//   continued lines) and the whole new text once, which Samba's parser
//   judges before it is written: 10 times the file.
constexpr double kEditFactor = 10.0;
// - A 10 MB line is copied a few times more on its way through a lookup or
//   an edit (split, trimmed, handed over): 7 to 8 times the file.
constexpr double kLongLineFactor = 10.0;
// - The CIMOM stand-in keeps, for the length of an enumeration, every
//   object the provider made and its own record of each: 7.6 times a
//   100 MB file of 320,000 shares.
constexpr double kHostFactor = 12.0;
// For the test's own reading of the result.
constexpr double kUnmeasured = 0;

// Slack between the reset peak mark and the resident size read just after.
constexpr size_t kResetSlack = 1024 * 1024;

// A "Vm...:  1234 kB" line of /proc/self/status, in bytes.
size_t statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::strtoull(line.c_str() + field.size() + 1, nullptr, 10) * 1024;
    }
    return 0;
}

// Sets the peak mark to the present resident size; false when it stays.
bool resetPeakMark()
{
    {
        std::ofstream clear("/proc/self/clear_refs");
        clear << "5";
    }
    return statusBytes("VmHWM") <= statusBytes("VmRSS") + kResetSlack;
}

// How far this process's resident memory rose above its level at the start
// while fn ran, in bytes: the kernel's peak mark (VmHWM), reset first through
// /proc/self/clear_refs, minus the resident size (VmRSS) then. Free memory the
// allocator holds is given back first (malloc_trim), so that fn's growth is
// not hidden by reuse of what an earlier call freed. nullopt (fn still run)
// when the kernel would not reset the mark.
std::optional<size_t> PeakGrowth(const std::function<void()>& fn)
{
    malloc_trim(0);
    const bool reset = resetPeakMark();
    const size_t before = statusBytes("VmRSS");
    fn();
    const size_t peak = statusBytes("VmHWM");
    if (!reset)
        return std::nullopt;
    return peak > before ? peak - before : 0;
}

// True when the resident size means little here: under AddressSanitizer
// (redzones and its quarantine of freed memory) or valgrind.
bool MemoryIsInstrumented()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr && std::string(preload).find("vgpreload") != std::string::npos;
#endif
}

VelmoraLibrary& lib() { return VelmoraLibrary::get(); }

// One call and what it must answer.
struct Step {
    const char* what;
    std::function<std::string()> call;
    std::string expected;
    double factor;
};

size_t fileSize()
{
    struct stat st {};
    return stat(testfs::kSmbConf, &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
}

void runSteps(const std::vector<Step>& steps)
{
    const double size = static_cast<double>(fileSize());
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        std::string answer;
        const auto start = std::chrono::steady_clock::now();
        const std::optional<size_t> growth = PeakGrowth([&] { answer = step.call(); });
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(answer, step.expected);
        const double grown = static_cast<double>(growth.value_or(0));
        std::printf("%-40s file %6.1f MB, peak growth %7.1f MB (%.1fx)%s, %.1f s\n", step.what,
                    size / kMegabyte, grown / kMegabyte, grown / size,
                    growth ? "" : " not measured", took.count());
        if (growth && step.factor != kUnmeasured && !MemoryIsInstrumented()) {
            EXPECT_LE(grown, step.factor * size);
        }
    }
}

// The answers are read in place: copies made by the test would count as
// the library's memory.
const std::string& textOf(const vhost::Value* value)
{
    static const std::string none = "<none>";
    return value != nullptr ? value->text : none;
}

// How many paths were returned, and the keys of the first and the last.
std::string keys(const vhost::CallResult& result)
{
    size_t paths = 0;
    const vhost::ObjectPath* first = nullptr;
    const vhost::ObjectPath* last = nullptr;
    for (const vhost::Returned& item : result.sequence) {
        if (item.kind == vhost::Returned::Path) {
            ++paths;
            first = first ? first : &item.path;
            last = &item.path;
        }
    }
    return std::to_string(paths) + " paths, " + (first ? textOf(first->key("InstanceID")) : "-") + " .. " +
           (last ? textOf(last->key("InstanceID")) : "-");
}

// A property of the first item returned, an instance; throws when none came.
const std::string& propertyOf(const vhost::CallResult& result, const char* name)
{
    return textOf(result.sequence.at(0).instance.property(name));
}

// ---- 100 MB of shares ----

const char* const kShareBlock =
    "[share%06zu]\n"
    "   comment = Project share %06zu of the department archive\n"
    "   path = /srv/samba/archive/share%06zu\n"
    "   read only = no\n"
    "   inherit acls = yes\n"
    "   valid users = @staff @archive alice bob carol dave\n"
    "   create mask = 0664\n"
    "   directory mask = 2775\n"
    "   vfs objects = acl_xattr recycle\n"
    "   recycle:repository = .recycle/%%U\n"
    "\n";

std::string shareName(size_t i)
{
    char name[32];
    std::snprintf(name, sizeof name, "share%06zu", i);
    return name;
}

// Writes shares until the file holds 100 MB; returns their number.
size_t writeHundredMegabytes()
{
    FILE* file = std::fopen(testfs::kSmbConf, "w");
    if (file == nullptr)
        return 0;
    std::fputs("[global]\n   workgroup = ARCHIVE\n   load printers = no\n\n", file);
    size_t shares = 0;
    while (std::ftell(file) < static_cast<long>(100 * kMegabyte)) {
        std::fprintf(file, kShareBlock, shares, shares, shares);
        ++shares;
    }
    std::fclose(file);
    return shares;
}

struct ShareList {
    size_t count = 0;
    std::string first, last;
};

int collectShare(const char* shareName, void* context)
{
    ShareList& list = *static_cast<ShareList*>(context);
    if (list.count++ == 0)
        list.first = shareName;
    list.last = shareName;
    return 0;
}

std::string listShares()
{
    ShareList list;
    const int rc = lib().getShares(collectShare, &list);
    return std::to_string(rc) + ": " + std::to_string(list.count) + " shares, " + list.first +
           " .. " + list.last;
}

std::string pathOf(const std::string& name)
{
    char* path = nullptr;
    const int rc = lib().sharePathName(name.c_str(), &path);
    const std::string answer = std::to_string(rc) + " " + (path != nullptr ? path : "-");
    std::free(path);
    return answer;
}

TEST(HugeFile, HundredMegabytesOfShares)
{
    const size_t shares = writeHundredMegabytes();
    ASSERT_GT(shares, 0u);
    const size_t size = fileSize();
    const std::string last = shareName(shares - 1);
    ProviderHost host;
    ASSERT_TRUE(host.loaded) << host.error;
    const std::vector<Step> steps = {
        {"CLIGetSambaShares", listShares,
         "0: " + std::to_string(shares) + " shares, share000000 .. " + last, kModelFactor},
        {"CLIIsValidSambaShare of the last share",
         [&] { return std::to_string(lib().isValidShare(last.c_str())); }, "0", kModelFactor},
        {"CLISambaSharePathName of the last share", [&] { return pathOf(last); },
         "0 /srv/samba/archive/" + last, kModelFactor},
        // The last share's "read only = no" becomes "\tread only = yes".
        {"CLIModifyKeyValuePair of the last share",
         [&] {
             const int rc = lib().modifyKeyValue(last.c_str(), "read only", "yes");
             return std::to_string(rc) + ", " + std::to_string(fileSize()) + " bytes";
         },
         "0, " + std::to_string(size - 1) + " bytes", kEditFactor},
        {"enumInstanceNames",
         [&] {
             const vhost::CallResult result = host.enumInstanceNames(classPath());
             return result.statusText() + ", " + keys(result);
         },
         "CMPI_RC_OK (0), " + std::to_string(shares) + " paths, Samba:share000000 .. Samba:" + last, kHostFactor},
        {"getInstance of the last share",
         [&] {
             const vhost::CallResult result = host.getInstance(sharePath("Samba:" + last));
             return result.statusText() + ", " + propertyOf(result, "PathName");
         },
         "CMPI_RC_OK (0), /srv/samba/archive/" + last, kModelFactor},
    };
    runSteps(steps);
    // Every line but the changed one is still there, byte for byte.
    const std::optional<std::string> now = testfs::readSmbConf();
    const std::optional<std::string> backup = testfs::readBackup();
    ASSERT_TRUE(now && backup);
    EXPECT_EQ(backup->size(), size);
    const size_t changed = backup->rfind("   read only = no\n");
    EXPECT_EQ(now->compare(0, changed, *backup, 0, changed), 0);
    EXPECT_EQ(now->substr(changed), "\tread only = yes\n" + backup->substr(changed + 18));
}

// ---- 10 MB lines ----

TEST(HugeFile, TenMegabyteLines)
{
    const std::string big(10 * kMegabyte, 'x');
    ProviderHost host;
    ASSERT_TRUE(host.loaded) << host.error;
    struct Case {
        const char* what;
        std::string content;
        std::vector<Step> steps;
    };
    const auto comment = [&] {
        const vhost::CallResult result = host.getInstance(sharePath("Samba:big"));
        return result.statusText() + ", comment of " + std::to_string(propertyOf(result, "Comment").size());
    };
    const auto keyLength = [&] {
        const vhost::CallResult result = host.enumInstanceNames(classPath());
        const vhost::ObjectPath& first = result.sequence.at(0).path;  // throws when nothing came
        return result.statusText() + ", key of " + std::to_string(textOf(first.key("InstanceID")).size());
    };
    const std::vector<Case> cases = {
        {"a 10 MB comment",
         "[global]\n   workgroup = W\n[big]\n   path = /srv/big\n   comment = " + big +
             "\n[after]\n   path = /srv/after\n",
         {{"CLIGetSambaShares", listShares, "0: 2 shares, big .. after", kLongLineFactor},
          {"getInstance with the long comment", comment,
           "CMPI_RC_OK (0), comment of " + std::to_string(big.size()), kLongLineFactor},
          {"CLIModifyKeyValuePair beside it",
           [&] { return std::to_string(lib().modifyKeyValue("big", "read only", "yes")); }, "0",
           kLongLineFactor},
          // The new line goes before the section's last line, the long one.
          {"smb.conf after the edit",
           [&] {
               const bool intact = testfs::readSmbConf() ==
                                   "[global]\n   workgroup = W\n[big]\n   path = /srv/big\n"
                                   "\tread only = yes\n   comment = " + big +
                                       "\n[after]\n   path = /srv/after\n";
               return std::string(intact ? "every other line intact" : "differs");
           },
           "every other line intact", kUnmeasured}}},
        {"a 10 MB section name", "[" + big + "]\n   path = /srv/long\n",
         {{"enumInstanceNames", keyLength,
           "CMPI_RC_OK (0), key of " + std::to_string(big.size() + 6), kLongLineFactor}}},
        {"a 10 MB file without a line feed", big,
         {{"CLIGetSambaShares", listShares, "0: 0 shares,  .. ", kLongLineFactor}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testfs::writeSmbConf(c.content);
        runSteps(c.steps);
    }
}

}  // namespace
