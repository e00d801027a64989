#include "tests/edit/EditSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "tests/support/Files.h"

namespace edittest {
namespace {

std::mutex logMutex;
std::vector<std::pair<int, std::string>> logLines;

void record(int priority, const char* format, va_list args)
{
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);
    std::lock_guard<std::mutex> guard(logMutex);
    logLines.emplace_back(priority & 0x07, text);  // the priority without its facility
}

}  // namespace

int temporaries() { return testfs::countEntries("/etc/samba", ".smb.conf.velmora-"); }

void expectUntouched(const std::string& before)
{
    EXPECT_EQ(testfs::readSmbConf(), before);
    EXPECT_FALSE(testfs::exists(testfs::kBackup));
    EXPECT_EQ(temporaries(), 0);
}

const SharePaths& sharePaths()
{
    static const SharePaths paths = [] {
        const std::string base = "/etc/velmora-edit-test";
        mkdir(base.c_str(), 0755);
        mkdir((base + "/data").c_str(), 0755);
        symlink((base + "/data").c_str(), (base + "/link").c_str());
        testfs::writeFile(base + "/file", "x");
        return SharePaths{base + "/data", base + "/link", base + "/file", base + "/missing"};
    }();
    return paths;
}

std::vector<std::pair<int, std::string>> loggedLines()
{
    std::lock_guard<std::mutex> guard(logMutex);
    return logLines;
}

bool logged(int priority, const std::string& text)
{
    for (const auto& [linePriority, line] : loggedLines()) {
        if (linePriority == priority && line == text)
            return true;
    }
    return false;
}

void clearLog()
{
    std::lock_guard<std::mutex> guard(logMutex);
    logLines.clear();
}

}  // namespace edittest

// The test binaries export these two (ENABLE_EXPORTS, and default visibility
// against the project's hidden preset), so the dlopen'ed library binds its
// syslog calls to them instead of libc's: the tests see every line with its
// priority, whatever the log mask says. <syslog.h> is left out on purpose:
// with _FORTIFY_SOURCE it defines syslog itself.
#define VELMORA_TEST_EXPORT __attribute__((visibility("default")))

extern "C" VELMORA_TEST_EXPORT void syslog(int priority, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    edittest::record(priority, format, args);
    va_end(args);
}

extern "C" VELMORA_TEST_EXPORT void __syslog_chk(int priority, int, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    edittest::record(priority, format, args);
    va_end(args);
}

// Every mask the library asks about lets every priority pass, so that its
// trace lines reach the syslog above even where its own mask drops them.
extern "C" VELMORA_TEST_EXPORT int setlogmask(int)
{
    return 0xff;
}
