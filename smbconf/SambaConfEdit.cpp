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
#include "smbconf/SambaDialect.h"

namespace {

using velmora::samba::Parameter;
using velmora::samba::Share;

// A '#' comment line as Samba reads it: a line that only looks like one
// after other control bytes ('\x10#...') is a parameter to Samba, and a kept
// copy of it would set something in the section above.
bool isCommentLine(const std::string& line)
{
    const std::string_view text = velmora::samba::Trim(line);
    return !text.empty() && text.front() == '#';
}

void appendLine(std::string& out, const std::string& line)
{
    out += line;
    out += '\n';
}

// The lines of share that set the parameter key, under any of its names.
std::vector<const Parameter*> settingsOf(const velmora::samba::Reading& reading, const Share& share,
                                         const std::string& key)
{
    const velmora::samba::ParameterId id = velmora::samba::Identify(key);
    std::vector<const Parameter*> found;
    for (const Parameter& parameter : reading.Parameters(share))
        if (velmora::samba::Identify(parameter.key()) == id)
            found.push_back(&parameter);
    return found;
}

// For each line of the file, what becomes of it when the parameters given
// go: a parameter's first line is marked to be replaced, its other lines
// (those it continues on) to be dropped.
enum class LineFate : uint8_t { Keep, Replace, Drop };
std::vector<LineFate> fatesOf(size_t lineCount, const std::vector<const Parameter*>& parameters, LineFate first)
{
    std::vector<LineFate> fates(lineCount, LineFate::Keep);
    for (const Parameter* parameter : parameters) {
        fates[static_cast<size_t>(parameter->first)] = first;
        for (int32_t i = parameter->first + 1; i <= parameter->last; ++i)
            fates[static_cast<size_t>(i)] = LineFate::Drop;
    }
    return fates;
}

}  // namespace

// The share an edit works on: the one Samba takes name for. None when no
// section has that name, or for a model without lines (the new file would
// be empty).
const velmora::samba::Share* SambaConfFile::shareToRewrite(const char* name) const
{
    if (sectionsOnly_)
        return nullptr;
    return samba_.Find(name);
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

// Drops every section of the share (Samba merges them all), except their
// '#' comment lines, which may well describe the next section. A parameter
// that continues over lines goes whole with its section.
int SambaConfFile::RemoveSection(const char* name)
{
    velmora::trace("Comimg to SambaConfFile::RemoveSection.......... ");
    const Share* share = shareToRewrite(name);
    if (share == nullptr)
        return -1;
    std::vector<bool> dropped(lines.size(), false);
    for (const velmora::samba::SectionRange& section : samba_.Sections(*share)) {
        if (section.header < 0)
            continue;  // the lines before the first header are no section
        for (int32_t i = section.first; i <= section.last; ++i)
            dropped[static_cast<size_t>(i)] = !isCommentLine(lines[static_cast<size_t>(i)]) || samba_.JoinedToAbove(i);
    }
    return velmora::RewriteSmbConf(lines, [&](int32_t i, const std::string& line, std::string& out) {
        if (!dropped[static_cast<size_t>(i)])
            keepLine(out, i, line);
    });
}

// Samba's value is the last one it reads: the answer compares the value
// given with that one, as Samba compares values ('True' and 'yes' are the
// same boolean; 'writeable = no' is 'read only = yes').
PropertyExistence SambaConfFile::SamePropertyExists(const char* name, std::string& key,
                                                    std::string& value)
{
    velmora::trace("Comimg to SambaConfFile::SamePropertyExists.......... ");
    const Share* share = samba_.Find(name);
    if (share == nullptr)
        return PropertyAbsent;
    const std::vector<const Parameter*> settings = settingsOf(samba_, *share, key);
    // Without a line of its own, the share may still have the value from a
    // share it copies: then only an equal value needs no line.
    const Parameter* copied = settings.empty() ? velmora::samba::LastSetting(samba_, *share, key) : nullptr;
    if (settings.empty() && copied == nullptr)
        return PropertyAbsent;
    const Parameter& last = copied != nullptr ? *copied : *settings.back();
    velmora::trace("keyname matched");
    if (!velmora::samba::SameSetting(velmora::samba::Identify(key), value,
                                     velmora::samba::Identify(last.key()), last.value()))
        return copied != nullptr ? PropertyAbsent : PropertyValueDiffers;
    velmora::trace("keyvalue matched");
    return PropertySameValue;
}

// Where a new line goes in a section: before its last line (usually the
// blank line before the next header), but never inside a line that
// continues — neither the section's header nor a parameter — where Samba
// would read it as part of that line. The result is the index of the line
// it goes before (lines.size() for the end of the file).
int32_t SambaConfFile::insertionPoint(const velmora::samba::SectionRange& section) const
{
    int32_t at = section.last;
    while (at > section.header && samba_.JoinedToAbove(at))
        --at;
    if (at > section.header)
        return at;
    // Only the header (with the lines it continues on): just after it.
    at = section.header + 1;
    while (samba_.JoinedToAbove(at))
        ++at;
    return at;
}

// An absent key goes into the share's first section (insertionPoint); a
// present one is replaced wherever Samba reads it, under any of its names,
// in every section of the share: each such line, with the lines it
// continues on, becomes the one new line.
int SambaConfFile::ModifySection(const char* name, std::string& key, std::string& value,
                                 PropertyExistence existence)
{
    velmora::trace("Comimg to SambaConfFile::ModifySection.......... ");
    const Share* share = shareToRewrite(name);
    if (share == nullptr)
        return -1;
    const std::string newLine = PasteTogetherNewValue(key, value);
    if (existence != PropertyAbsent) {
        const std::vector<LineFate> fates = fatesOf(lines.size(), settingsOf(samba_, *share, key), LineFate::Replace);
        return velmora::RewriteSmbConf(lines, [&](int32_t i, const std::string& line, std::string& out) {
            const LineFate fate = fates[static_cast<size_t>(i)];
            if (fate == LineFate::Replace)
                appendLine(out, newLine);
            else if (fate == LineFate::Keep)
                keepLine(out, i, line);
        }, key);
    }
    const velmora::samba::SectionRange* section = firstHeaded(*share);
    if (section == nullptr)
        return -1;
    const int32_t at = insertionPoint(*section);
    const int32_t end = static_cast<int32_t>(lines.size());
    return velmora::RewriteSmbConf(lines, [&](int32_t i, const std::string& line, std::string& out) {
        if (i == at)
            appendLine(out, newLine);
        if (at == end && i == end - 1) {
            // The new line follows: this one must end, and when it ends in
            // "\" an empty line takes the continuation instead of the new line.
            appendLine(out, line);
            out.append(static_cast<size_t>(samba_.EmptyLinesAtEnd()), '\n');
        } else {
            keepLine(out, i, line);
        }
        if (at == end && i == end - 1)
            appendLine(out, newLine);
    }, key);
}

// Drops every line Samba reads as the parameter, under any of its names, in
// every section of the share, with the lines each continues on. 0 also
// when there is none (nothing written).
int SambaConfFile::RemoveProperty(const char* name, std::string& key)
{
    velmora::trace("Comimg to SambaConfFile::RemoveProperty.......... ");
    const Share* share = shareToRewrite(name);
    if (share == nullptr)
        return -1;
    const std::vector<const Parameter*> settings = settingsOf(samba_, *share, key);
    if (settings.empty())
        return 0;
    const std::vector<LineFate> fates = fatesOf(lines.size(), settings, LineFate::Drop);
    return velmora::RewriteSmbConf(lines, [&](int32_t i, const std::string& line, std::string& out) {
        if (fates[static_cast<size_t>(i)] == LineFate::Keep)
            keepLine(out, i, line);
    });
}

// The first section of share that has a header: the one a new parameter
// goes into. nullptr when it has none.
const velmora::samba::SectionRange* SambaConfFile::firstHeaded(const velmora::samba::Share& share) const
{
    for (const velmora::samba::SectionRange& section : samba_.Sections(share))
        if (section.header >= 0)
            return &section;
    return nullptr;
}

// Line i, kept as it was, followed by a line feed; but the file's last
// line, when the file does not end with a line feed and Samba's reading
// still goes on there, stays without one: with a line feed after it, Samba
// would drop a "\" from its value ('comment = end \' would read 'end', and
// so would 'comment = end \\' joined with a last line of blanks). A last
// line that ends in "\" stays as it is in any case (a comment too).
void SambaConfFile::keepLine(std::string& out, int32_t i, const std::string& line) const
{
    out += line;
    const bool last = static_cast<size_t>(i) + 1 == lines.size();
    const bool open = velmora::samba::Continues(line) || samba_.EmptyLinesAtEnd() > 0;
    if (!(last && !endsWithLineFeed_ && open))
        out += '\n';
}

// Before: key 'read only', value 'no'. After: "\tread only = no".
std::string SambaConfFile::PasteTogetherNewValue(std::string& key, std::string& value)
{
    velmora::trace("Comimg to PasteTogetherNewValue .............");
    return "\t" + key + " = " + value;
}
