#ifndef VELMORA_CLI_SHAREEDIT_H
#define VELMORA_CLI_SHAREEDIT_H

#include <functional>
#include <optional>
#include <string>

#include "cli/Audit.h"
#include "cli/Command.h"
#include "cli/ShareLibrary.h"

// One edit of the "shares" commands from the library call to the report,
// the same for create, set, unset and delete:
//  - with --dry-run the call runs inside the library's dry run, and the
//    report is the unified diff of smb.conf it would make, Samba's verdict
//    and what it would have done; nothing is changed and nothing audited;
//  - otherwise the edit is made, audited (see Audit.h), reported, and with
//    --reload smbd is asked to load the file again;
//  - with --json the report is one JSON object on stdout:
//      {"share":…,"action":…,"result":"done"|"unchanged"|"refused",
//       "code":N|null,"message":…,"reloaded":true|false|null,
//       "dryRun":…,"diff":…|null,"verdict":…}
//    (a refusal's message goes to stderr as well).
// "unchanged" is an edit that succeeded without changing a byte of the file
// (a set to the value in place, an unset of an absent parameter).
namespace velmora::cli {

class ShareEdit {
public:
    // action: "create", "set", "unset" or "delete"; details: what the audit
    // line records after the share (e.g. {"key","comment"},{"value","x"}).
    ShareEdit(const Invocation& invocation, const ShareLibrary& library, std::string action, std::string share,
         AuditFields details);

    bool dryRun() const { return dryRun_; }

    // Runs the library call (within a dry run with --dry-run) and returns
    // its result code.
    int apply(const std::function<int()>& call);
    // Samba's verdict on the text of the applied call ("" when none).
    const std::string& verdict() const { return verdict_; }

    // Ends a refused edit: the message (without "velmora: ") on stderr, the
    // JSON report with --json, the audit line; returns kExitFailed. code is
    // the library's result, nullopt when the tool itself refused.
    int refuse(const std::string& message, std::optional<int> code = std::nullopt);
    // Ends an edit whose call returned 0; done says what it did. Returns
    // kExitOk (kExitFailed only when a dry run's diff cannot be made).
    int finish(const std::string& done);

    // True when the applied call changed smb.conf (in a dry run: would
    // change it).
    bool changed() const;

private:
    int finishDryRun(const std::string& done);
    std::optional<bool> reloadIfAsked();
    void audit(const std::string& result, std::optional<int> code) const;
    void printJson(const std::string& result, std::optional<int> code, const std::string& message,
                   std::optional<bool> reloaded, const std::optional<std::string>& diff) const;

    const Invocation& invocation_;
    const ShareLibrary& library_;
    std::string action_, share_;
    AuditFields details_;
    bool dryRun_, json_;
    std::optional<std::string> before_, after_;
    std::string verdict_;
};

// True once an edit was made in this run (a dry run makes none): its exit
// code then stands even when the report cannot be written.
bool editWasMade();

}  // namespace velmora::cli

#endif
