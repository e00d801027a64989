#include "tests/samba/SmbdServer.h"

#include <arpa/inet.h>
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

// All of smbd's state lives below the tmpfs on /var/lib/samba, the run-time
// directories included, so that nothing needs /run/samba, which may not
// exist on the host and must not be created there.
const std::string kStateDir = "/var/lib/samba";
const std::string kRunDir = kStateDir + "/run";
const std::string kSmbdLog = kStateDir + "/smbd-test.log";

std::string globalSection(int port)
{
    return "[global]\n   smb ports = " + std::to_string(port) +
           "\n   interfaces = lo\n   bind interfaces only = yes\n   disable netbios = yes\n"
           "   load printers = no\n   disable spoolss = yes\n   map to guest = bad user\n"
           "   pid directory = " + kRunDir + "\n   lock directory = " + kStateDir + "/lock\n"
           "   ncalrpc dir = " + kRunDir + "/ncalrpc\n\n";
}

// Private, empty state directories for this test process. Only directories
// that exist are covered: none is ever created on the host.
bool prepareStateDirs(std::string& error)
{
    struct stat st {};
    for (const char* dir : {"/var/log/samba", "/run/samba", "/var/lib/samba", "/var/cache/samba"}) {
        if (stat(dir, &st) == 0 && !sandbox::mountTmpfs(dir, "size=64m,mode=0755", error))
            return false;
    }
    for (const std::string& dir : {kRunDir, kStateDir + "/lock", kStateDir + "/private"}) {
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
            error = "cannot create " + dir + " (is Samba installed?)";
            return false;
        }
    }
    // smbd's helper detaches from it; as its subreaper this process can
    // wait for it to end instead of leaving that to init.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    return true;
}

// Binds to (port 0: a free port) or connects to 127.0.0.1:port; the bound
// port, the port connected to, or 0 on failure.
int onLoopback(int port, bool connectToIt)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    socklen_t length = sizeof address;
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    const bool done = fd >= 0 && (connectToIt ? connect(fd, raw, length) == 0
                                              : bind(fd, raw, length) == 0 && getsockname(fd, raw, &length) == 0);
    if (fd >= 0)
        close(fd);
    return done ? ntohs(address.sin_port) : 0;
}

// The child between fork and exec: a session of its own, since smbd
// signals its whole process group when it ends; SIGTERM when this test
// process dies, so that no smbd outlives a crashed test.
[[noreturn]] void execSmbd(pid_t parent, int logFd)
{
    setsid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int devNull = open("/dev/null", O_RDONLY);
    if (getppid() != parent || devNull < 0 || dup2(devNull, 0) < 0 || dup2(logFd, 1) < 0 || dup2(logFd, 2) < 0)
        _exit(127);
    const char* args[] = {"smbd", "--foreground", "--no-process-group", "--debug-stdout",
                          "--configfile=/etc/samba/smb.conf", nullptr};
    execv(testfs::kSmbd, const_cast<char* const*>(args));
    _exit(127);
}

// samba-dcerpcd's PID from its pid file, when that process is still the
// samba-dcerpcd this test's smbd started; -1 otherwise.
pid_t dcerpcdPid()
{
    std::ifstream file(kRunDir + "/samba-dcerpcd.pid");
    long pid = -1;
    if (!(file >> pid) || pid <= 1)
        return -1;
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    return comm >> name && name == "samba-dcerpcd" ? static_cast<pid_t>(pid) : -1;
}

// Reaps this process's children until none is left (true) or the time is up.
bool reapAll(std::chrono::seconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        const pid_t done = waitpid(-1, nullptr, WNOHANG);
        if (done < 0 && errno == ECHILD)
            return true;
        if (done <= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

}  // namespace

SmbdServer::~SmbdServer()
{
    std::string ignored;
    stop(ignored);
}

// A port found free may be taken before smbd binds it: a few tries.
bool SmbdServer::start(std::string& error)
{
    if (!prepareStateDirs(error))
        return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        error.clear();
        if (startOnce(error))
            return true;
    }
    return false;
}

bool SmbdServer::startOnce(std::string& error)
{
    port_ = onLoopback(0, false);
    testfs::writeSmbConf(globalSection(port_));
    const int logFd = open(kSmbdLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (port_ == 0 || logFd < 0) {
        error = "no free port on 127.0.0.1, or cannot create " + kSmbdLog;
        return false;
    }
    const pid_t parent = getpid();
    smbd_ = fork();
    if (smbd_ == 0)
        execSmbd(parent, logFd);
    close(logFd);
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (smbd_ > 0 && Clock::now() < deadline) {
        if (waitpid(smbd_, nullptr, WNOHANG) == smbd_)
            smbd_ = -1;
        else if (onLoopback(port_, true) != 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    error = "smbd did not listen on port " + std::to_string(port_) + ":\n" + log();
    std::string ignored;
    stop(ignored);
    return false;
}

bool SmbdServer::reload(std::string& error)
{
    if (smbd_ > 0 && kill(smbd_, SIGHUP) == 0)
        return true;
    error = "smbd is not running";
    return false;
}

// smbclient under timeout(1), so that a hung listing fails the test instead
// of stalling it.
std::optional<std::vector<ListedShare>> SmbdServer::listShares(std::string& error) const
{
    const CommandResult run =
        runCommand({"timeout", "-s", "KILL", "20", "smbclient", "-L", "//127.0.0.1", "-p", std::to_string(port_), "-N"});
    if (run.exitCode != 0) {
        error = "smbclient -L failed (" + std::to_string(run.exitCode) + "): " + run.out + run.err;
        return std::nullopt;
    }
    static const std::regex row(R"(^\t(.+?)\s+(Disk|IPC|Printer)(?:\s+(.*))?$)");
    std::vector<ListedShare> shares;
    std::istringstream lines(run.out);
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_match(line, match, row))
            shares.push_back({match[1].str(), match[2].str(), match[3].str()});
    }
    return shares;
}

bool SmbdServer::stop(std::string& error)
{
    if (smbd_ <= 0)
        return true;
    const pid_t helper = dcerpcdPid();
    const pid_t smbd = smbd_;
    smbd_ = -1;
    for (const int signal : {SIGTERM, SIGKILL}) {
        kill(smbd, signal);
        if (helper > 0)
            kill(helper, signal);
        if (reapAll(std::chrono::seconds(10)) && signal == SIGTERM)
            return true;
    }
    error = "smbd or its helper ignored SIGTERM and was killed";
    return false;
}

std::string SmbdServer::log() const
{
    return testfs::readFile(kSmbdLog).value_or("(no log)");
}

}  // namespace samba
