#include "smbconf/ConfRewrite.h"

#include <sys/stat.h>
#include <syslog.h>

#include <cerrno>

#include "common/Paths.h"
#include "smbconf/AtomicFile.h"
#include "smbconf/Backup.h"
#include "smbconf/ConfRead.h"
#include "smbconf/EditRecord.h"
#include "smbconf/InPlaceWrite.h"
#include "smbconf/SambaVerdict.h"
#include "smbconf/TextView.h"

namespace velmora {
namespace {

// What must come between the file's content and an appended text that
// starts on a line of its own: one more line feed when the content ends,
// without a line feed, in a line that Samba continues with the next one.
// The text's own first line feed then ends that line, and the extra one
// gives it an empty line to join instead of the text's first line.
std::string_view separatorBefore(const std::string& content)
{
    if (content.empty() || content.back() == '\n')
        return {};
    const size_t start = content.rfind('\n');
    const std::string_view last(content.data() + (start == std::string::npos ? 0 : start + 1),
                                content.size() - (start == std::string::npos ? 0 : start + 1));
    return continuesOnNextLine(last) ? "\n" : "";
}

// Errors that say the rename cannot be used here, though the file itself
// may well be writable: no new file in its directory, or a mount point.
bool renameImpossible(int error)
{
    return error == EACCES || error == EPERM || error == EBUSY || error == EXDEV;
}

// Step 4 of CommitSmbConf. A file with other hard links is rewritten in
// place at once, so that every name keeps seeing it.
bool replaceSmbConf(std::string_view newContent)
{
    AtomicFile file(kSmbConfPath);
    struct stat st {};
    const bool linked = stat(file.Target().c_str(), &st) == 0 && st.st_nlink > 1;
    if (!linked && file.Open() && file.Append(newContent) && file.Commit())
        return true;
    if (!linked && !renameImpossible(file.Error()))
        return false;
    return RewriteInPlace(file.Target(), newContent, kSmbConfBackupPath);
}

}  // namespace

int CommitSmbConf(std::string_view newContent, std::string_view keySet)
{
    EditRecord& record = ThisThreadEdits();
    SambaVerdict verdict = JudgeSmbConf(newContent, keySet);
    record.verdict = std::move(verdict.text);
    const int code = verdict.outcome == SambaVerdict::Outcome::Refused ? -5 : 0;
    if (record.dryRun) {
        if (code == 0)
            record.wouldWrite = std::string(newContent);
        return code;
    }
    if (code != 0)
        return code;
    if (!MakeSmbConfBackup())
        return -1;
    return replaceSmbConf(newContent) ? 0 : -1;
}

int RewriteSmbConf(const std::vector<std::string>& lines, const LineFilter& filter, std::string_view keySet)
{
    std::string content;
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        out.clear();
        filter(static_cast<int32_t>(i), lines[i], out);
        content += out;
    }
    return CommitSmbConf(content, keySet);
}

int AppendToSmbConf(std::string_view tail)
{
    std::string content;
    if (!ReadConf(kSmbConfPath, content, true))
        return -1;
    const std::string_view separator = separatorBefore(content);
    content.append(separator).append(tail);
    return CommitSmbConf(content, "");
}

}  // namespace velmora
