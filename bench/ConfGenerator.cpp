#include "bench/ConfGenerator.h"

#include <cstdio>

namespace bench {
namespace {

const char* const kGlobal =
    "# Samba configuration of a departmental file server.\n"
    "[global]\n"
    "   workgroup = EXAMPLE\n"
    "   server string = %h file server\n"
    "   server role = standalone server\n"
    "   log file = /var/log/samba/log.%m\n"
    "   max log size = 1000\n"
    "   logging = file\n"
    "   map to guest = bad user\n"
    "   usershare allow guests = no\n"
    "\n";

const char* const kGroups[] = {"@staff", "@engineering", "@finance", "@sales"};

// One share: every share has a comment, a path and four more parameters;
// every third one a sixth (a create mask), as real files are uneven.
void appendShare(std::string& out, int index)
{
    const std::string name = shareName(index);
    char number[16];
    std::snprintf(number, sizeof number, "%d", index);
    out += "[" + name + "]\n";
    out += "   comment = Project share " + std::string(number) + "\n";
    out += "   path = /srv/shares/" + name + "\n";
    out += index % 2 == 0 ? "   read only = no\n" : "   read only = yes\n";
    out += "   browseable = yes\n";
    out += index % 5 == 0 ? "   inherit acls = no\n" : "   inherit acls = yes\n";
    out += "   valid users = " + std::string(kGroups[index % 4]) + "\n";
    if (index % 3 == 0)
        out += "   create mask = 0664\n";
    out += "\n";
}

}  // namespace

std::string shareName(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "proj%05d", index);
    return name;
}

std::string generateSmbConf(int shares)
{
    std::string out = kGlobal;
    out.reserve(static_cast<size_t>(shares) * 200 + out.size());
    for (int i = 0; i < shares; ++i)
        appendShare(out, i);
    return out;
}

}  // namespace bench
