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
// the sandbox), which start() writes.
//
// The server stops smbd and the samba-dcerpcd helper that smbd starts
// (which detaches from it) by their PIDs: in stop(), and in the destructor
// when a test failed halfway. Nothing else is signalled.
class SmbdServer {
public:
    SmbdServer() = default;
    SmbdServer(const SmbdServer&) = delete;
    SmbdServer& operator=(const SmbdServer&) = delete;
    ~SmbdServer();

    // Mounts the state directories, writes /etc/samba/smb.conf as the
    // server's [global] section followed by `shares`, starts smbd and waits
    // until it accepts connections. Tries a few ports when one is taken
    // meanwhile. False with a reason (and smbd's log) on failure.
    bool start(const std::string& shares, std::string& error);

    // Makes smbd load its configuration again (SIGHUP).
    bool reload(std::string& error);

    // The shares smbclient lists, anonymously; nullopt (with smbclient's
    // words in error) when the listing failed.
    std::optional<std::vector<ListedShare>> listShares(std::string& error) const;

    // Stops smbd and samba-dcerpcd and waits until both are gone. False with
    // a reason when one of them had to be killed or would not end.
    bool stop(std::string& error);

    int port() const { return port_; }
    // smbd's own log of this run (debug output), for failure messages.
    std::string log() const;

private:
    bool startOnce(const std::string& shares, std::string& error);
    bool waitUntilListening(std::string& error);

    pid_t smbd_ = -1;
    int port_ = 0;
};

}  // namespace samba

#endif
