#include "smbconf/ConfRewrite.h"

#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/Paths.h"
#include "smbconf/AtomicFile.h"
#include "smbconf/Backup.h"
#include "smbconf/ConfRead.h"
#include "smbconf/EditRecord.h"
#include "smbconf/InPlaceWrite.h"
#include "smbconf/SambaVerdict.h"
#include "smbconf/SambaDialect.h"
#include "smbconf/SambaReading.h"

namespace velmora {
namespace {

// What must come between the file's content and an appended text that
// starts with a line feed and then a line of its own: when the content ends
// in a line that Samba still continues, enough empty lines for Samba to
// join into it instead of the text's first line (as many as it would join,
// judged on all the text joined into that line, not its last line alone).
// The text's line feed ends a last line without one, and after a final
// line feed it is already one empty line.
std::string separatorBefore(const std::string& content)
{
    if (content.empty())
        return {};
    const bool lineFeedAtEnd = content.back() == '\n';
    const std::vector<size_t> ends = samba::LineEnds(content);
    samba::Reading reading;
    reading.Build(content, ends, lineFeedAtEnd);
    const int joins = reading.EmptyLinesAtEnd();
    return std::string(static_cast<size_t>(lineFeedAtEnd ? std::max(joins - 1, 0) : joins), '\n');
}

// Errors that say the rename cannot be used here, though the file itself
// may well be writable: no new file in its directory, or a mount point.
bool renameImpossible(int error)
{
    return error == EACCES || error == EPERM || error == EBUSY || error == EXDEV;
}

enum class Replaced { Done, Untouched, InPlaceFailed };

// Step 4 of CommitSmbConf. A file with other hard links is rewritten in
// place at once, so that every name keeps seeing it.
Replaced replaceSmbConf(std::string_view newContent)
{
    AtomicFile file(kSmbConfPath);
    struct stat st {};
    const bool linked = stat(file.Target().c_str(), &st) == 0 && st.st_nlink > 1;
    if (!linked && file.Open() && file.Append(newContent) && file.Commit())
        return Replaced::Done;
    if (!linked && !renameImpossible(file.Error()))
        return Replaced::Untouched;
    return RewriteInPlace(file.Target(), newContent, kSmbConfBackupPath) ? Replaced::Done
                                                                         : Replaced::InPlaceFailed;
}

// The previous backup, kept under a second name while an edit runs, so that
// an edit that fails after its backup gives it back. The name starts like
// the backup's temporary files: the next edit removes one a killed edit
// left.
class PreviousBackup {
public:
    PreviousBackup()
    {
        RemoveStaleTemporaries(kSmbConfBackupPath, AtomicFile::Links::Replace);
        kept_ = link(kSmbConfBackupPath, stash().c_str()) == 0;
    }
    ~PreviousBackup()
    {
        if (kept_)
            unlink(stash().c_str());
    }
    PreviousBackup(const PreviousBackup&) = delete;
    PreviousBackup& operator=(const PreviousBackup&) = delete;

    // Puts the previous backup back in place.
    void Restore()
    {
        if (kept_ && rename(stash().c_str(), kSmbConfBackupPath) == 0)
            kept_ = false;
    }

private:
    static std::string stash()
    {
        return std::string(kSmbConfDir) + "/" + TemporaryPrefix(kSmbConfBackupPath) + "previous";
    }
    bool kept_ = false;
};

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
    PreviousBackup previous;
    if (!MakeSmbConfBackup())
        return -1;
    const Replaced replaced = replaceSmbConf(newContent);
    // After a failed in-place rewrite the new backup may be the only whole
    // copy of smb.conf: it stays.
    if (replaced == Replaced::Untouched)
        previous.Restore();
    return replaced == Replaced::Done ? 0 : -1;
}

int RewriteSmbConf(const std::vector<std::string>& lines, const LineFilter& filter, std::string_view keySet)
{
    // Sized once for the old text and a little more, so that a huge file is
    // not copied at every growth of the buffer.
    size_t size = 4096;
    for (const std::string& line : lines)
        size += line.size() + 1;
    std::string content;
    content.reserve(size);
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
    const std::string separator = separatorBefore(content);
    content.append(separator).append(tail);
    return CommitSmbConf(content, "");
}

}  // namespace velmora
