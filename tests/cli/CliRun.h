#ifndef VELMORA_TESTS_CLI_CLIRUN_H
#define VELMORA_TESTS_CLI_CLIRUN_H

#include <optional>
#include <string>
#include <vector>

#include "tests/samba/Command.h"

// Running the real velmora tool in the test's sandbox, and comparing what
// it did with what a case expects.
namespace clitest {

struct Case {
    std::vector<std::string> args;
    int exit;
    std::string out;  // exact, or a prefix when it ends in "..."
    std::string err;  // likewise
    std::optional<std::string> conf = std::nullopt;  // smb.conf afterwards; nullopt: unchanged
};

// Expects actual to equal expected, or to begin with it when expected ends
// in "...".
void expectText(const std::string& expected, const std::string& actual);

// The last line of text (the library's backup copy, /bin/cp, adds its own
// complaint before the tool's message when it fails).
std::string lastLine(const std::string& text);

// Runs `velmora <command> args` (no command: `velmora args`).
samba::CommandResult runTool(const std::vector<std::string>& args, const char* command = "shares");

// Runs `velmora <command> args` for each case (no command: `velmora args`)
// on a fresh copy of original (nullopt: no smb.conf), which is written only
// when it differs, so that a read-only /etc/samba works. With lastLineOnly
// the standard error's last line is compared.
void runCases(const std::optional<std::string>& original, const std::vector<Case>& cases,
              bool lastLineOnly = false, const char* command = "shares");

// True when text is one valid JSON document (judged by python3's parser);
// fails the calling test with the parser's complaint otherwise.
bool isJson(const std::string& text);

}  // namespace clitest

#endif
