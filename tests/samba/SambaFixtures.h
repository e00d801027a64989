#ifndef VELMORA_TESTS_SAMBA_SAMBAFIXTURES_H
#define VELMORA_TESTS_SAMBA_SAMBAFIXTURES_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Instance.h"
#include "tests/samba/SambaTools.h"

// Skips the running test when Samba's programs are not installed (CI always
// has them; a developer's machine may not).
#define SKIP_WITHOUT_SAMBA()                                                               \
    do {                                                                                   \
        const std::string missing = samba::missingSambaTools();                            \
        if (!missing.empty())                                                              \
            GTEST_SKIP() << "Samba is not installed (missing: " << missing                 \
                         << "); apt-get install samba samba-common-bin smbclient";         \
    } while (false)

namespace samba {

// The realistic configuration files the tests feed to Samba and Velmora, by
// name: "debian" (the package's template), "office", "nas" and "member"
// (tests/samba/data), "office-crlf" (office with CR LF line ends) and
// "nas-unterminated" (nas without its final line feed).
std::string fixture(const std::string& name);

// Mounts a tmpfs on /srv inside the sandbox and creates the directories
// the tests share below it (/srv/link is a symbolic link to /srv/new);
// fails the calling test on error.
void makeShareDirectories();

// The share instances a CIMOM receives for /etc/samba/smb.conf as it is:
// enumInstances of QVX_SambaFileShare in root/cimv2 through vhost::Host,
// with Samba "installed", a granted principal (root) and the fake rights
// library. Fails the calling test when the provider does not answer OK.
std::vector<vhost::Instance> providerInstances();

}  // namespace samba

#endif
