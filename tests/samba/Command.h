#ifndef VELMORA_TESTS_SAMBA_COMMAND_H
#define VELMORA_TESTS_SAMBA_COMMAND_H

#include <string>
#include <vector>

namespace samba {

// What a finished program left behind.
struct CommandResult {
    int exitCode = -1;  // its exit status; -1 when it could not start or was killed
    std::string out;    // everything it wrote to standard output
    std::string err;    // everything it wrote to standard error
};

// Runs argv[0] (looked up in PATH) with argv as its arguments, without a
// shell, with standard input from /dev/null, and waits for it. Never throws.
CommandResult runCommand(const std::vector<std::string>& argv);

}  // namespace samba

#endif
