#include "cli/Audit.h"

#include <pwd.h>
#include <syslog.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "common/Log.h"

namespace velmora::cli {
namespace {

// "text" with '"' and '\' escaped and control bytes as \xHH, so that one
// field can never end the line early or pass for another field.
std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string auditLine(const AuditFields& fields)
{
    std::string line = "user=" + quoted(invokingUser());
    if (const char* sudoUser = std::getenv("SUDO_USER"))
        line += " sudo_user=" + quoted(sudoUser);
    for (const auto& [name, value] : fields) {
        const bool bare = name == "result" || name == "code";
        line += " " + name + "=" + (bare ? value : quoted(value));
    }
    return line;
}

}  // namespace

std::string invokingUser()
{
    const uid_t uid = getuid();
    const struct passwd* entry = getpwuid(uid);
    return entry != nullptr ? std::string(entry->pw_name) : std::to_string(uid);
}

void auditEdit(const AuditFields& fields)
{
    const std::string line = auditLine(fields);
    const int mask = setlogmask(LOG_UPTO(LOG_DEBUG));
    openlog("velmora", LOG_PID, LOG_USER);
    syslog(LOG_NOTICE, "%s", line.c_str());
    closelog();
    velmora::openVelmoraLog();
    setlogmask(mask);
}

}  // namespace velmora::cli
