#ifndef VELMORA_TESTS_SAMBA_SMBDSERVER_H
#define VELMORA_TESTS_SAMBA_SMBDSERVER_H

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace samba {

// One share as `smbclient -L` lists it.
struct ListedShare {
    std::string name;
    std::string type;  // "Disk", "IPC" or "Printer"
    std::string comment;
};

// A real smbd for one test: it runs in the foreground in a session of its
// own, listens on 127.0.0.1 only, at a free unprivileged port, and keeps all
// its state on tmpfs mounts inside the test's sandbox, so that the host's
// Samba is never touched. Its configuration is /etc/samba/smb.conf (inside
// the sandbox), which start() writes with a [global] section only.
//
// Stopping signals smbd and the samba-dcerpcd helper it starts by their
// PIDs; both come to this process (their subreaper) to be reaped, so the
// test may have no other child process then. The destructor stops a server
// that a failed test left running.
class SmbdServer {
public:
    SmbdServer() = default;
    SmbdServer(const SmbdServer&) = delete;
    SmbdServer& operator=(const SmbdServer&) = delete;
    ~SmbdServer();

    // Starts smbd and waits until it accepts connections; false with a
    // reason (and smbd's log) on failure.
    bool start(std::string& error);
    // Makes smbd load its configuration again (SIGHUP).
    bool reload(std::string& error);
    // The shares smbclient lists, anonymously; nullopt (with smbclient's
    // words in error) when the listing failed.
    std::optional<std::vector<ListedShare>> listShares(std::string& error) const;
    // Stops smbd and its helper and waits until all are gone; false with a
    // reason when one of them had to be killed.
    bool stop(std::string& error);
    // smbd's own log of this run, for failure messages.
    std::string log() const;

private:
    bool startOnce(std::string& error);

    pid_t smbd_ = -1;
    int port_ = 0;
};

}  // namespace samba

#endif
