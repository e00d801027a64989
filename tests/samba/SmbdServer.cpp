#include "tests/samba/SmbdServer.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "tests/samba/Command.h"
#include "tests/support/Files.h"
#include "tests/support/Sandbox.h"

namespace samba {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// All of smbd's state lives below the tmpfs on /var/lib/samba. The run-time
// directories are moved there too, so that nothing needs /run/samba, which
// may not exist on the host and must not be created there.
const std::string kStateDir = "/var/lib/samba";
const std::string kRunDir = kStateDir + "/run";
const std::string kLockDir = kStateDir + "/lock";
const std::string kDcerpcdPidFile = kRunDir + "/samba-dcerpcd.pid";
const std::string kSmbdLog = kStateDir + "/smbd-test.log";

std::string globalSection(int port)
{
    return "[global]\n"
           "   smb ports = " + std::to_string(port) + "\n"
           "   interfaces = lo\n"
           "   bind interfaces only = yes\n"
           "   disable netbios = yes\n"
           "   load printers = no\n"
           "   disable spoolss = yes\n"
           "   map to guest = bad user\n"
           "   pid directory = " + kRunDir + "\n"
           "   lock directory = " + kLockDir + "\n"
           "   ncalrpc dir = " + kRunDir + "/ncalrpc\n"
           "\n";
}

// Private, empty state directories for this test process. Only directories
// that exist are covered; smbd's own are all redirected below kStateDir.
bool prepareStateDirs(std::string& error)
{
    static bool prepared = false;
    if (prepared)
        return true;
    for (const char* dir : {"/var/log/samba", "/run/samba", "/var/lib/samba", "/var/cache/samba"}) {
        struct stat st {};
        if (stat(dir, &st) != 0)
            continue;  // never create one on the host
        if (!sandbox::mountTmpfs(dir, "size=64m,mode=0755", error))
            return false;
    }
    struct stat st {};
    if (stat(kStateDir.c_str(), &st) != 0) {
        error = kStateDir + " is missing: is Samba installed?";
        return false;
    }
    for (const std::string& dir : {kRunDir, kLockDir, kStateDir + "/private"}) {
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
            error = "cannot create " + dir;
            return false;
        }
    }
    // smbd's helpers detach from it; as their subreaper this process can
    // wait for them to end instead of leaving that to init.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    prepared = true;
    return true;
}

// A port the kernel found free a moment ago; 0 when none could be had.
int freePort()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

bool accepts(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

// The child between fork and exec: a session of its own, since smbd
// signals its whole process group when it ends; SIGTERM when this test
// process dies, so that no smbd outlives a crashed test.
[[noreturn]] void execSmbd(pid_t parent, int logFd)
{
    setsid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(126);
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull < 0 || dup2(devNull, 0) < 0 || dup2(logFd, 1) < 0 || dup2(logFd, 2) < 0)
        _exit(127);
    const char* args[] = {"smbd", "--foreground", "--no-process-group", "--debug-stdout",
                          "--configfile=/etc/samba/smb.conf", nullptr};
    execv(testfs::kSmbd, const_cast<char* const*>(args));
    _exit(127);
}

// Reaps pid when it is a child of this process; true once it has ended.
// A process that is not a child counts as ended when it is gone or left as
// a zombie for its own parent to reap.
bool ended(pid_t pid)
{
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid)
        return true;
    if (done == 0)
        return false;
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(file, stat);
    const size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 2 >= stat.size())
        return true;
    const char state = stat[nameEnd + 2];
    return state == 'Z' || state == 'X';
}

bool awaitEnd(pid_t pid, std::chrono::seconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (ended(pid))
            return true;
        std::this_thread::sleep_for(milliseconds(20));
    }
    return false;
}

// SIGTERM, up to ten seconds for the process to end, then SIGKILL.
bool terminate(pid_t pid, const std::string& what, std::string& error)
{
    kill(pid, SIGTERM);
    if (awaitEnd(pid, std::chrono::seconds(10)))
        return true;
    kill(pid, SIGKILL);
    while (!ended(pid))
        std::this_thread::sleep_for(milliseconds(20));
    error += what + " " + std::to_string(pid) + " ignored SIGTERM and was killed. ";
    return false;
}

// The processes whose parent is `parent` (samba-dcerpcd's rpcd_* workers).
std::vector<pid_t> childrenOf(pid_t parent)
{
    std::vector<pid_t> children;
    DIR* proc = opendir("/proc");
    if (proc == nullptr)
        return children;
    while (const dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atol(entry->d_name));
        std::ifstream file("/proc/" + std::string(entry->d_name) + "/stat");
        std::string stat;
        if (pid <= 0 || !std::getline(file, stat) || stat.rfind(')') == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(stat.rfind(')') + 1));
        std::string state;
        long ppid = 0;
        if (rest >> state >> ppid && ppid == parent)
            children.push_back(pid);
    }
    closedir(proc);
    return children;
}

// samba-dcerpcd's PID from its pid file, when that process is still the
// samba-dcerpcd this test's smbd started; -1 otherwise.
pid_t dcerpcdPid()
{
    std::ifstream file(kDcerpcdPidFile);
    long pid = -1;
    if (!(file >> pid) || pid <= 1)
        return -1;
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    return comm >> name && name == "samba-dcerpcd" ? static_cast<pid_t>(pid) : -1;
}

std::vector<ListedShare> parseListing(const std::string& out)
{
    static const std::regex row(R"(^\t(.+?)\s+(Disk|IPC|Printer)(?:\s+(.*))?$)");
    std::vector<ListedShare> shares;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch match;
        if (std::regex_match(line, match, row))
            shares.push_back({match[1].str(), match[2].str(), match[3].str()});
    }
    return shares;
}

}  // namespace

SmbdServer::~SmbdServer()
{
    std::string ignored;
    stop(ignored);
}

bool SmbdServer::start(const std::string& shares, std::string& error)
{
    if (!prepareStateDirs(error))
        return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        error.clear();
        if (startOnce(shares, error))
            return true;
    }
    return false;
}

bool SmbdServer::startOnce(const std::string& shares, std::string& error)
{
    port_ = freePort();
    if (port_ == 0) {
        error = "no free port on 127.0.0.1";
        return false;
    }
    testfs::writeSmbConf(globalSection(port_) + shares);
    const int logFd = open(kSmbdLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (logFd < 0) {
        error = "cannot create " + kSmbdLog;
        return false;
    }
    const pid_t parent = getpid();
    smbd_ = fork();
    if (smbd_ == 0)
        execSmbd(parent, logFd);
    close(logFd);
    if (smbd_ < 0) {
        error = "fork failed";
        return false;
    }
    if (waitUntilListening(error))
        return true;
    std::string ignored;
    stop(ignored);
    return false;
}

bool SmbdServer::waitUntilListening(std::string& error)
{
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        int status = 0;
        if (waitpid(smbd_, &status, WNOHANG) == smbd_) {
            smbd_ = -1;
            error = "smbd ended before it listened on port " + std::to_string(port_) + ":\n" + log();
            return false;
        }
        if (accepts(port_))
            return true;
        std::this_thread::sleep_for(milliseconds(50));
    }
    error = "smbd did not listen on port " + std::to_string(port_) + " within 20 s:\n" + log();
    return false;
}

bool SmbdServer::reload(std::string& error)
{
    if (smbd_ > 0 && kill(smbd_, SIGHUP) == 0)
        return true;
    error = "smbd is not running";
    return false;
}

std::optional<std::vector<ListedShare>> SmbdServer::listShares(std::string& error) const
{
    const CommandResult run =
        runCommand({"smbclient", "-L", "//127.0.0.1", "-p", std::to_string(port_), "-N"}, 20000);
    if (run.exitCode != 0) {
        error = "smbclient -L failed (" + std::to_string(run.exitCode) + "): " + run.out + run.err;
        return std::nullopt;
    }
    return parseListing(run.out);
}

bool SmbdServer::stop(std::string& error)
{
    if (smbd_ <= 0)
        return true;
    const pid_t helper = dcerpcdPid();
    const std::vector<pid_t> workers = helper > 0 ? childrenOf(helper) : std::vector<pid_t>{};
    bool clean = terminate(smbd_, "smbd", error);
    smbd_ = -1;
    if (helper > 0)
        clean = terminate(helper, "samba-dcerpcd", error) && clean;
    // The workers end with samba-dcerpcd and come to this process, their
    // subreaper, to be reaped; only one that lingers is stopped.
    for (const pid_t worker : workers) {
        if (!awaitEnd(worker, std::chrono::seconds(5)))
            clean = terminate(worker, "rpcd worker", error) && clean;
    }
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    return clean;
}

std::string SmbdServer::log() const
{
    return testfs::readFile(kSmbdLog).value_or("(no log)");
}

}  // namespace samba
