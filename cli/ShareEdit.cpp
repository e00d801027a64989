#include "cli/ShareEdit.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/ConfDiff.h"
#include "cli/Json.h"
#include "cli/ShareCommand.h"
#include "cli/ShareLookup.h"
#include "cli/SmbdReload.h"

namespace velmora::cli {
namespace {

bool editMade = false;

// The bytes of smb.conf, or nothing when it cannot be read.
std::optional<std::string> readSmbConf()
{
    std::ifstream in(kSmbConf, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string codeText(std::optional<int> code)
{
    return code ? std::to_string(*code) : "none";
}

}  // namespace

bool editWasMade()
{
    return editMade;
}

ShareEdit::ShareEdit(const Invocation& invocation, const ShareLibrary& library, std::string action, std::string share,
           AuditFields details)
    : invocation_(invocation), library_(library), action_(std::move(action)), share_(std::move(share)),
      details_(std::move(details)), dryRun_(invocation.has("--dry-run")), json_(invocation.has("--json"))
{
}

int ShareEdit::apply(const std::function<int()>& call)
{
    before_ = readSmbConf();
    int result = 0;
    if (dryRun_) {
        library_.beginDryRun();
        result = call();
        after_ = library_.endDryRun();
    } else {
        result = call();
        after_ = readSmbConf();
        // A done edit stands from here on, whatever happens to its report.
        editMade = result == 0;
    }
    verdict_ = library_.verdict();
    return result;
}

bool ShareEdit::changed() const
{
    // A dry run that would write nothing leaves the file as it is.
    if (dryRun_)
        return after_ && *after_ != before_.value_or("");
    return after_ != before_;
}

int ShareEdit::refuse(const std::string& message, std::optional<int> code)
{
    if (!dryRun_)
        audit("refused", code);
    std::fprintf(stderr, "velmora: %s\n", message.c_str());
    if (json_)
        printJson("refused", code, message, std::nullopt, std::nullopt);
    return kExitFailed;
}

int ShareEdit::finish(const std::string& done)
{
    if (dryRun_)
        return finishDryRun(done);
    const std::string result = changed() ? "done" : "unchanged";
    audit(result, 0);
    if (!json_)
        std::printf("%s\n", done.c_str());
    const std::optional<bool> reloaded = reloadIfAsked();
    if (json_)
        printJson(result, 0, done, reloaded, std::nullopt);
    return kExitOk;
}

int ShareEdit::finishDryRun(const std::string& done)
{
    std::string diff;
    std::string error;
    if (changed() && !smbConfDiff(*after_, diff, error))
        return fail("cannot show what the edit would change: " + error);
    const std::string message = "dry run, nothing changed: " + done;
    if (json_) {
        printJson(changed() ? "done" : "unchanged", 0, message, std::nullopt, diff);
        return kExitOk;
    }
    std::fputs(diff.c_str(), stdout);
    if (!verdict_.empty())
        std::printf("Samba's verdict:\n%s%s", verdict_.c_str(), verdict_.back() == '\n' ? "" : "\n");
    std::printf("%s%s\n", message.c_str(), changed() ? "" : " (smb.conf would stay as it is)");
    return kExitOk;
}

// With --reload, asks smbd to load the file again: true when it did; a
// failure is only a warning. Not asked: nullopt.
std::optional<bool> ShareEdit::reloadIfAsked()
{
    if (!invocation_.has("--reload"))
        return std::nullopt;
    // The edit's line comes before the reload's, also when both streams go
    // to one place.
    std::fflush(stdout);
    const ReloadOutcome outcome = reloadSmbd();
    if (!outcome.reloaded)
        std::fprintf(stderr, "velmora: warning: smbd was not reloaded: %s\n", outcome.reason.c_str());
    else if (!json_)
        std::printf("smbd reloaded its configuration\n");
    return outcome.reloaded;
}

void ShareEdit::audit(const std::string& result, std::optional<int> code) const
{
    AuditFields fields = {{"command", "shares " + action_}, {"share", share_}};
    fields.insert(fields.end(), details_.begin(), details_.end());
    fields.push_back({"result", result});
    fields.push_back({"code", codeText(code)});
    auditEdit(fields);
}

void ShareEdit::printJson(const std::string& result, std::optional<int> code, const std::string& message,
                     std::optional<bool> reloaded, const std::optional<std::string>& diff) const
{
    json::Object report;
    report.add("share", json::string(share_))
        .add("action", json::string(action_))
        .add("result", json::string(result))
        .add("code", code ? std::to_string(*code) : "null")
        .add("message", json::string(message))
        .add("reloaded", json::boolean(reloaded))
        .add("dryRun", json::boolean(dryRun_))
        .add("diff", json::string(diff))
        .add("verdict", json::string(verdict_));
    std::printf("%s\n", report.text().c_str());
}

}  // namespace velmora::cli
