#ifndef VELMORA_CLI_AUDIT_H
#define VELMORA_CLI_AUDIT_H

#include <string>
#include <utility>
#include <vector>

// The audit trail of the edits: one syslog line per edit, done or refused,
// under the identity "velmora" at LOG_NOTICE (facility LOG_USER), e.g.
//   velmora[812]: user=root sudo_user=alice command="shares set" share="data"
//                 key="comment" value="Files" result=done code=0
// The library logs in the same process under its own identity with a mask
// that drops LOG_NOTICE; the line is written with the tool's identity and
// an open mask, and the library's identity and mask are put back after it.
namespace velmora::cli {

// The fields after "user=… [sudo_user=…]", in order: name and value. A value
// is written in double quotes with '"', '\' and control bytes escaped,
// except for the fields "result" and "code", which are written bare.
using AuditFields = std::vector<std::pair<std::string, std::string>>;

// Writes the line. user is the invoking (real) user's name; sudo_user is
// added when SUDO_USER is set.
void auditEdit(const AuditFields& fields);

// The name of the real user running the tool, or the uid as a number.
std::string invokingUser();

}  // namespace velmora::cli

#endif
