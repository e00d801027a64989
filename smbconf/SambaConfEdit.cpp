// The editing members of SambaConfFile: the backup copy, and the three
// changes of smb.conf on disk. Every change replaces the file atomically
// (ConfRewrite.h); the object itself is never changed.
#include <stdio.h>
#include <syslog.h>

#include "common/Log.h"
#include "common/Paths.h"
#include "smbconf/Backup.h"
#include "smbconf/ConfRewrite.h"
#include "smbconf/SambaConfFile.h"
#include "smbconf/Text.h"
#include "smbconf/TextView.h"

namespace {

bool isCommentLine(const std::string& line)
{
    std::string text = line;
    trim(text);
    return !text.empty() && text.front() == '#';
}

bool hasKey(const std::string& line, const std::string& key)
{
    const std::vector<std::string> parts = SplitProperty(line);
    return parts.size() == 2 && parts[0] == key;
}

// Where an absent key goes in a section of more than its header: before its
// last line, or, when that line continues a line above it, before the
// first line of that continued line — never inside it, where Samba would
// read the new parameter as part of another one's value.
int32_t insertionLine(const std::vector<std::string>& lines, int32_t first, int32_t last)
{
    int32_t at = last;
    while (at - 1 > first && velmora::continuesOnNextLine(lines[at - 1]))
        --at;
    return at;
}

void appendLine(std::string& out, const std::string& line)
{
    out += line;
    out += '\n';
}

}  // namespace

// The section an edit works on, looked up with GetSectionByName like every
// edit. A miss yields the empty section, whose range 0..0 belongs to no
// section of the file: nothing may be rewritten by it. A model without lines
// rewrites nothing either: the new file would be empty.
bool SambaConfFile::sectionToRewrite(const char* name, SambaSection& section) const
{
    if (sectionsOnly_)
        return false;
    section = GetSectionByName(name);
    return FindSection(name) != nullptr;
}

// Every edit backs up in its commit step now (ConfRewrite.h); this stays
// for callers that want a backup of their own: 0 when made, else -1.
int SambaConfFile::MakeBackupCopy()
{
    velmora::trace("Comimg to SambaConfFile::MakeBackupCopy.......... ");
    return velmora::MakeSmbConfBackup() ? 0 : -1;
}

int SambaConfFile::WriteNewSection(const char* name, const char* path, const char* comment)
{
    velmora::trace("Comimg to SambaConfFile::WriteNewSection.......... ");
    // The leading line feed ends a last line that lacks one, and otherwise
    // leaves an empty line before the new header.
    std::string text = "\n[";
    text.append(name).append("]\n\tpath = ").append(path);
    text.append("\n\tcomment = ").append(comment).append("\n");
    return velmora::AppendToSmbConf(text);
}

// Drops the section's range except its '#' comment lines, which may well
// describe the next section.
int SambaConfFile::RemoveSection(const char* name)
{
    velmora::trace("Comimg to SambaConfFile::RemoveSection.......... ");
    SambaSection section;
    if (!sectionToRewrite(name, section))
        return -1;
    return velmora::RewriteSmbConf(lines, [&](int32_t i, const std::string& line, std::string& out) {
        const bool inSection = i >= section.startLine && i <= section.endLine;
        if (!inSection || isCommentLine(line))
            appendLine(out, line);
    });
}

PropertyExistence SambaConfFile::SamePropertyExists(const char* name, std::string& key,
                                                    std::string& value)
{
    velmora::trace("Comimg to SambaConfFile::SamePropertyExists.......... ");
    const SambaSection section = GetSectionByName(name);
    for (const std::string& line : section.properties) {
        const std::vector<std::string> parts = SplitProperty(line);
        velmora::trace("property after split is :");
        for (const std::string& part : parts)
            velmora::trace("%s", part.c_str());
        if (parts.size() != 2 || parts[0] != key)
            continue;
        velmora::trace("keyname matched");
        if (parts[1] != value)
            return PropertyValueDiffers;
        velmora::trace("keyvalue matched");
        return PropertySameValue;
    }
    return PropertyAbsent;
}

// An absent key goes just before the section's last line (usually the blank
// line before the next header; see insertionLine for continued lines); a
// section that is only its header gets the line right after it, so that the
// line belongs to that section. A differing key replaces every line of the
// section that has it.
int SambaConfFile::ModifySection(const char* name, std::string& key, std::string& value,
                                 PropertyExistence existence)
{
    velmora::trace("Comimg to SambaConfFile::ModifySection.......... ");
    SambaSection section;
    if (!sectionToRewrite(name, section))
        return -1;
    const int32_t first = section.startLine;
    const int32_t last = section.endLine;
    const int32_t at = last > first ? insertionLine(lines, first, last) : first;
    return velmora::RewriteSmbConf(lines, [&](int32_t i, const std::string& line, std::string& out) {
        if (existence == PropertyAbsent && i == at) {
            if (last > first)
                appendLine(out, PasteTogetherNewValue(key, value));
            appendLine(out, line);
            if (last == first)
                appendLine(out, PasteTogetherNewValue(key, value));
            return;
        }
        const bool inSection = i >= first && i <= last;
        const bool replace = existence == PropertyValueDiffers && inSection && hasKey(line, key);
        appendLine(out, replace ? PasteTogetherNewValue(key, value) : line);
    });
}

// Before: key 'read only', value 'no'. After: "\tread only = no".
std::string SambaConfFile::PasteTogetherNewValue(std::string& key, std::string& value)
{
    velmora::trace("Comimg to PasteTogetherNewValue .............");
    return "\t" + key + " = " + value;
}
