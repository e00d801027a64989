#ifndef VELMORA_HOST_CLI_SHARECOMMAND_H
#define VELMORA_HOST_CLI_SHARECOMMAND_H

#include <memory>
#include <string>

#include "host/cli/Command.h"
#include "host/cli/ShareLibrary.h"

// What the "shares" commands have in common: the library they use, how
// they fail, and how an edit ends.
namespace velmora::cli {

// The library named by --library (default: ProviderSession::defaultLibrary()),
// opened with its share functions. On failure prints "velmora: <reason>" on
// stderr and returns null.
std::unique_ptr<ShareLibrary> openShareLibrary(const Invocation& invocation);

// The library, opened for a command that reads the share named by the
// first argument; null, after printing why, when the library cannot be
// opened or the share must not be read (see readRefusal).
std::unique_ptr<ShareLibrary> openShareToRead(const Invocation& invocation);

// Prints "velmora: <message>" on stderr and returns kExitFailed.
int fail(const std::string& message);

// The end of a successful edit: prints done on stdout; with --reload, then
// asks smbd to reload its configuration and prints "smbd reloaded its
// configuration" on stdout, or "velmora: warning: smbd was not reloaded:
// <reason>" on stderr. Returns kExitOk either way: the edit was made.
int editDone(const Invocation& invocation, const std::string& done);

}  // namespace velmora::cli

#endif
