#include "cli/SmbdReload.h"

#include <sys/wait.h>

#include "cli/Subprocess.h"

namespace velmora::cli {
namespace {

constexpr size_t kOutputKept = 4096;

// The first non-blank line of the output, without surrounding blanks.
std::string firstLine(const std::string& output)
{
    size_t start = output.find_first_not_of(" \t\r\n");
    if (start == std::string::npos)
        return "";
    const size_t end = output.find_first_of("\r\n", start);
    std::string line = output.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return line.erase(line.find_last_not_of(" \t") + 1);
}

}  // namespace

ReloadOutcome reloadSmbd()
{
    const ProgramRun run = runProgram(kSmbcontrol, {"smbcontrol", "smbd", "reload-config"}, true, kOutputKept);
    if (!run.started)
        return {false, std::string("cannot run ") + kSmbcontrol + ": " + run.failure};
    if (run.status != -1 && WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0)
        return {true, ""};
    const std::string said = firstLine(run.output);
    const std::string status = "smbcontrol " + describeStatus(run.status);
    return {false, said.empty() ? status : said + " (" + status + ")"};
}

}  // namespace velmora::cli
