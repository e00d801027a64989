#ifndef VELMORA_CLI_SUBPROCESS_H
#define VELMORA_CLI_SUBPROCESS_H

#include <cstddef>
#include <string>
#include <vector>

namespace velmora::cli {

struct ProgramRun {
    bool started = false;  // false: could not be started, see failure
    int status = -1;       // the wait status (WIFEXITED…), -1 when it could not be awaited
    std::string output;    // what it wrote, cut after the bytes asked for
    std::string failure;   // why it could not be started (strerror text)
};

// Runs the program at path with argv (argv[0] included) without a shell,
// standard input from /dev/null, and waits for it. Its standard output is
// captured; its standard error too when withErrors, else it is left to go
// where ours goes. Only the first keep bytes are kept; the rest is drained,
// so that the program never blocks on a full pipe. Descriptors without
// close-on-exec are passed on (how a caller hands it a file to read).
ProgramRun runProgram(const char* path, const std::vector<std::string>& argv, bool withErrors,
                      size_t keep = static_cast<size_t>(-1));

// "exited with status N" or "was killed by signal N" (or "could not be
// awaited"), for a run that started.
std::string describeStatus(int status);

}  // namespace velmora::cli

#endif
