#ifndef VELMORA_TESTS_SAMBA_COMMAND_H
#define VELMORA_TESTS_SAMBA_COMMAND_H

#include <string>
#include <vector>

namespace samba {

// What a finished program left behind.
struct CommandResult {
    int exitCode = -1;  // its exit status; -1 when it could not start, was killed or timed out
    bool timedOut = false;
    std::string out;  // everything it wrote to standard output
    std::string err;  // everything it wrote to standard error
};

// Runs argv[0] (looked up in PATH) with argv as its arguments, without a
// shell, with standard input from /dev/null, and waits for it. A program
// still running after timeoutMs is killed (by its PID) and reported as
// timed out. Never throws for a failing program.
CommandResult runCommand(const std::vector<std::string>& argv, int timeoutMs = 30000);

// True when a program of that name is found in PATH and may be executed.
bool haveProgram(const std::string& name);

}  // namespace samba

#endif
