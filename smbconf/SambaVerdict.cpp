#include "smbconf/SambaVerdict.h"

#include <sys/mman.h>
#include <syslog.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "common/Paths.h"
#include "smbconf/ChildRun.h"
#include "smbconf/ConfRead.h"

namespace velmora {
namespace {

constexpr const char* kTestparm = "/usr/bin/testparm";
// testparm reads 10,000 shares in about 0.3 s; this leaves room for files
// far larger on a loaded machine while still ending a hung run.
constexpr int kTestparmSeconds = 60;
// More of testparm's talk than this is not kept for the caller.
constexpr size_t kVerdictLimit = 64 * 1024;

// The lines testparm always prints, which say nothing about the file.
bool isChatter(std::string_view line)
{
    static const std::array<std::string_view, 4> prefixes = {
        "Load smb config files from", "Loaded services file OK", "Weak crypto is allowed",
        "Server role:"};
    if (line.find_first_not_of(" \t\r") == std::string_view::npos)
        return true;
    for (std::string_view prefix : prefixes) {
        if (line.substr(0, prefix.size()) == prefix)
            return true;
    }
    return false;
}

// What one testparm run said.
struct Judgement {
    bool ran = false;
    bool loads = false;
    bool ignoresKey = false;
    std::string text;
};

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// testparm on content, passed as an in-memory file at /proc/self/fd/3.
Judgement runTestparm(std::string_view content, std::string_view keySet)
{
    Judgement judgement;
    const int fd = memfd_create("smb.conf", MFD_CLOEXEC);
    if (fd < 0)
        return judgement;
    struct Closer {
        ~Closer() { close(fd); }
        int fd;
    } closer{fd};
    if (!writeAll(fd, content))
        return judgement;
    const std::string ignored = "Ignoring unknown parameter \"" + std::string(keySet) + "\"";
    const ChildOutcome outcome = RunChild(
        kTestparm, {"testparm", "-s", "/proc/self/fd/3"}, fd, kTestparmSeconds, [&](std::string_view line) {
            if (!keySet.empty() && line == ignored)
                judgement.ignoresKey = true;
            if (isChatter(line) || judgement.text.size() > kVerdictLimit)
                return;
            judgement.text.append(line).append("\n");
        });
    judgement.ran = outcome.ran;
    judgement.loads = outcome.ran && outcome.exitStatus == 0;
    return judgement;
}

// True when the smb.conf on disk loads; an unreadable one does not.
bool currentFileLoads()
{
    std::string current;
    if (!ReadConf(kSmbConfPath, current))
        return false;
    const Judgement judgement = runTestparm(current, "");
    return !judgement.ran || judgement.loads;
}

}  // namespace

SambaVerdict JudgeSmbConf(std::string_view content, std::string_view keySet)
{
    SambaVerdict verdict;
    if (access(kTestparm, X_OK) != 0)
        return verdict;
    Judgement judgement = runTestparm(content, keySet);
    verdict.text = std::move(judgement.text);
    if (!judgement.ran) {
        syslog(LOG_ERR, "%s could not judge the edit of %s; it goes on without", kTestparm, kSmbConfPath);
        return verdict;
    }
    const bool refused = judgement.ignoresKey || (!judgement.loads && currentFileLoads());
    if (refused) {
        verdict.outcome = SambaVerdict::Outcome::Refused;
        syslog(LOG_ERR, "Samba would not accept the edit of %s: %s", kSmbConfPath, verdict.text.c_str());
    }
    return verdict;
}

}  // namespace velmora
