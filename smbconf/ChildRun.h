#ifndef VELMORA_SMBCONF_CHILDRUN_H
#define VELMORA_SMBCONF_CHILDRUN_H

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// How a program run by RunChild ended.
struct ChildOutcome {
    bool ran = false;       // started and exited by itself within the time
    int exitStatus = -1;    // its exit status when ran
};

// Runs program with argv (argv[0] included), without a shell, in the C
// locale, with stdin and stdout on /dev/null and passFd (when >= 0) as its
// descriptor 3; every line it writes to stderr goes to onErrorLine as it
// comes. At most seconds: then it is killed. Nothing outlives the call: the
// child is killed (SIGKILL) and reaped on every way out, exceptions
// included, and dies with the calling thread should that be killed first.
ChildOutcome RunChild(const std::string& program, const std::vector<std::string>& argv, int passFd,
                      int seconds, const std::function<void(std::string_view line)>& onErrorLine);

}  // namespace velmora

#endif
