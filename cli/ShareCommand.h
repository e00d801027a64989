#ifndef VELMORA_CLI_SHARECOMMAND_H
#define VELMORA_CLI_SHARECOMMAND_H

#include <memory>
#include <string>

#include "cli/Command.h"
#include "cli/ShareLibrary.h"

// What the "shares" commands have in common: the library they use, how
// they fail, and the reasons every edit may give (ShareEdit.h runs and
// reports the edits themselves).
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

// The reason of an edit's result -5: Samba's own parser would not load the
// file the edit makes, and what it said (its verdict).
std::string sambaRefusal(const std::string& verdict);

// The reason of a result the library does not document for function.
std::string unexpectedResult(int result, const std::string& function);

// Why an edit of a parameter of share name by function failed with result:
// no such share, a file that could not be written, invalid (the reason for
// -4), or Samba's refusal (verdict, for -5).
std::string parameterEditFailure(const ShareLibrary& library, int result, const std::string& name,
                                 const std::string& invalid, const std::string& verdict,
                                 const std::string& function);

}  // namespace velmora::cli

#endif
