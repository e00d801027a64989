#include "fuzz/EditCheck.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "fuzz/EditCase.h"
#include "fuzz/ReferenceConf.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace fuzzcheck {
namespace {

using fuzzref::SambaShare;

// What a call must do: its result, and for a create the whole file it must
// leave (the other edits are judged by what Samba reads afterwards).
struct Expectation {
    int rc = 0;
    std::optional<std::string> file;
};

bool singleLine(const Argument& text)
{
    return text && text->find_first_of("\n\r") == std::string::npos;
}

bool validName(const Argument& name) { return singleLine(name) && !name->empty(); }

// A text Samba would join with the next line of the file.
bool continues(const std::string& text)
{
    const std::string trimmed = fuzzref::SambaTrimmed(text);
    return !trimmed.empty() && trimmed.back() == '\\';
}

// A blank right after a blank: Samba reads the text with one of them.
bool hasBlankRun(const std::string& text)
{
    for (size_t i = 1; i < text.size(); ++i)
        if (fuzzref::IsSambaBlank(text[i]) && fuzzref::IsSambaBlank(text[i - 1]))
            return true;
    return false;
}

bool singleValue(const Argument& text)
{
    return singleLine(text) && !continues(*text) && !hasBlankRun(fuzzref::SambaTrimmed(*text));
}

// A value as the share functions write it: trimmed of bytes 0x01..0x20.
bool writtenValue(const Argument& text)
{
    return singleLine(text) && singleValue(fuzzref::Trimmed(*text));
}

bool isGlobalName(const std::string& name)
{
    std::string lower = name;
    for (char& c : lower)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return lower == "global" || lower == "globals";
}

// The line feeds put between the file and a new section ("\n[name]..."):
// the fewest that leave the new header a line of its own for Samba, found
// by trying (each empty line Samba joins into a line that goes on drops one
// final "\").
std::string separatorBefore(const std::string& content)
{
    std::string separator;
    for (;;) {
        const std::string before = content + separator + "\n";
        const size_t header = static_cast<size_t>(std::count(before.begin(), before.end(), '\n'));
        for (const fuzzref::LogicalLine& line : fuzzref::LogicalLines(before + "[x]\n"))
            if (line.first == header)
                return separator;
        separator += '\n';
    }
}

// lstat of the path without its final slashes: '/srv/link/' is the link.
int pathCheck(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return -2;
    return S_ISLNK(st.st_mode) ? -3 : 0;
}

Expectation expectCreate(const EditCase& edit, const std::vector<SambaShare>& before)
{
    const Argument& name = edit.args[0];
    const Argument& path = edit.args[1];
    const Argument& comment = edit.args[2];
    if (!validName(name) || name->find(']') != std::string::npos || isGlobalName(*name) || hasBlankRun(*name) ||
        !singleValue(path) || !singleValue(comment))
        return {-4, std::nullopt};
    if (fuzzref::FindShare(before, *name) != nullptr)
        return {-1, std::nullopt};
    const int rc = pathCheck(*path);
    if (rc != 0)
        return {rc, std::nullopt};
    return {0, edit.content + separatorBefore(edit.content) + "\n[" + *name + "]\n\tpath = " + *path +
                   "\n\tcomment = " + *comment + "\n"};
}

// The key, trimmed as the share functions write it, is a parameter's name.
bool validKey(const EditCase& edit)
{
    if (!validName(edit.args[0]) || !singleLine(edit.args[1]))
        return false;
    const std::string key = fuzzref::Trimmed(*edit.args[1]);
    return !key.empty() && key.find('=') == std::string::npos && key[0] != '#' && key[0] != ';' &&
           key[0] != '[';
}

bool setsParameter(const SambaShare& share, const std::string& key)
{
    const std::string parameter = fuzzref::Identify(fuzzref::Trimmed(key)).name;
    for (const fuzzref::Setting& setting : share.settings)
        if (fuzzref::Identify(setting.key).name == parameter)
            return true;
    return false;
}

int expectParameterEdit(const EditCase& edit, const std::vector<SambaShare>& before)
{
    const bool valid = validKey(edit) && (edit.operation != Operation::Modify || writtenValue(edit.args[2]));
    if (!valid)
        return -4;
    const SambaShare* share = fuzzref::FindShare(before, *edit.args[0]);
    if (share == nullptr)
        return -1;
    // A new line goes into a section of the share: the global share with
    // no header has none.
    const bool absent = !setsParameter(*share, *edit.args[1]);
    return edit.operation == Operation::Modify && absent && !share->sections.back().headed ? -1 : 0;
}

bool hasExactHeader(const std::vector<SambaShare>& shares, const std::string& name)
{
    for (const SambaShare& share : shares)
        for (const fuzzref::SectionLines& section : share.sections)
            if (section.headed && section.name == name)
                return true;
    return false;
}

// Lines Samba reads as part of the line above them.
std::vector<bool> joinedLines(const std::string& content, size_t lineCount)
{
    std::vector<bool> joined(lineCount, false);
    for (const fuzzref::LogicalLine& line : fuzzref::LogicalLines(content))
        for (size_t i = line.first + 1; i <= line.last; ++i)
            joined[i] = true;
    return joined;
}

// Every section of the share goes, except its '#' comment lines (which may
// well describe the next section); lines before the first header stay.
Expectation expectDelete(const EditCase& edit, const std::vector<SambaShare>& before)
{
    const Argument& name = edit.args[0];
    if (!validName(name))
        return {-4, std::nullopt};
    if (!hasExactHeader(before, *name))
        return {-1, std::nullopt};
    const std::vector<std::string> lines = fuzzref::SplitLines(edit.content);
    const std::vector<bool> joined = joinedLines(edit.content, lines.size());
    std::vector<bool> dropped(lines.size(), false);
    for (const fuzzref::SectionLines& section : fuzzref::FindShare(before, *name)->sections) {
        for (size_t i = section.header; section.headed && i <= section.last; ++i) {
            const std::string text = fuzzref::SambaTrimmed(lines[i]);  // a comment as Samba sees one
            dropped[i] = text.empty() || text[0] != '#' || joined[i];
        }
    }
    std::vector<std::string> kept;
    for (size_t i = 0; i < lines.size(); ++i)
        if (!dropped[i])
            kept.push_back(lines[i]);
    std::string after = fuzzref::Join(kept);
    // The file's own last line, continued and without a line feed, keeps
    // going without one (a line feed would drop its "\" for Samba).
    // So does a last line that Samba joined to the ones above and still
    // reads as going on.
    const bool openEnd = !edit.content.empty() && edit.content.back() != '\n';
    const std::vector<fuzzref::LogicalLine> logical = fuzzref::LogicalLines(edit.content);
    const bool stillGoing = !logical.empty() && logical.back().last + 1 == lines.size() &&
                            continues(logical.back().text);
    if (openEnd && !dropped.empty() && !dropped.back() && (continues(lines.back()) || stillGoing))
        after.pop_back();
    return {0, after};
}

Expectation expect(const EditCase& edit, const std::vector<SambaShare>& before)
{
    switch (edit.operation) {
    case Operation::Create: return expectCreate(edit, before);
    case Operation::Delete: return expectDelete(edit, before);
    case Operation::Modify:
    case Operation::Remove: return {expectParameterEdit(edit, before), std::nullopt};
    }
    return {};
}

const char* pointer(const Argument& text) { return text ? text->c_str() : nullptr; }

int run(const EditCase& edit)
{
    VelmoraLibrary& lib = VelmoraLibrary::get();
    const char* a = pointer(edit.args[0]);
    const char* b = pointer(edit.args[1]);
    const char* c = pointer(edit.args[2]);
    switch (edit.operation) {
    case Operation::Create: return lib.createShare(a, b, c);
    case Operation::Modify: return lib.modifyKeyValue(a, b, c);
    case Operation::Delete: return lib.deleteShare(a);
    case Operation::Remove: {
        static const auto remove = reinterpret_cast<decltype(&::CLIRemoveKeyValuePair)>(lib.symbol("CLIRemoveKeyValuePair"));
        return remove(a, b);
    }
    }
    return 0;
}

// A refused call leaves smb.conf byte-identical and takes no backup; a
// change leaves the old file in the backup.
std::string checkFiles(const EditCase& edit, int rc, const std::string& file)
{
    if (testfs::countEntries("/etc/samba", ".smb.conf.velmora-") != 0)
        return "a temporary file was left behind";
    const std::optional<std::string> backup = testfs::readBackup();
    if (rc != 0) {
        if (file != edit.content)
            return "smb.conf changed although the call was refused";
        return backup ? "a backup was taken although the call was refused" : "";
    }
    if (file != edit.content && backup != edit.content)
        return "the backup does not hold the file as it was";
    return "";
}

// --- What Samba reads: every share by its key, its name and its values ---

struct SambaView {
    std::string name;
    std::map<std::string, std::string> values;  // by folded parameter name
};
using View = std::vector<std::pair<std::string, SambaView>>;  // in the shares' order

std::string shareKey(const SambaShare& share)
{
    if (share.global)
        return "global";
    std::string key = share.name;
    for (char& c : key)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return key;
}

std::map<std::string, std::string> valuesOf(const SambaShare& share)
{
    const auto values = fuzzref::Values(share);
    return {values.begin(), values.end()};
}

View viewOf(const std::vector<SambaShare>& shares)
{
    View view;
    for (const SambaShare& share : shares)
        view.push_back({shareKey(share), {share.name, valuesOf(share)}});
    return view;
}

SambaView* find(View& view, const std::string& key)
{
    for (auto& [shareKeyed, share] : view)
        if (shareKeyed == key)
            return &share;
    return nullptr;
}

// What one setting "key = value" makes of the parameter: its folded name
// and value, none for a boolean parameter given no boolean.
std::pair<std::string, std::optional<std::string>> settingOf(const std::string& key, const std::string& value)
{
    SambaShare one;
    one.settings.push_back({0, 0, key, value});
    const std::string name = fuzzref::Identify(key).name;
    return {name, fuzzref::ValueOf(one, key)};
}

// What Samba must read after the edit: what it read before, changed only
// in the share and parameter the call names.
View expectedView(const EditCase& edit, const std::vector<SambaShare>& before)
{
    View view = viewOf(before);
    const std::string& name = *edit.args[0];
    switch (edit.operation) {
    case Operation::Create: {
        SambaShare created;
        created.name = name;
        created.settings = {{0, 0, "path", fuzzref::SambaTrimmed(*edit.args[1])},
                            {0, 0, "comment", fuzzref::SambaTrimmed(*edit.args[2])}};
        view.push_back({shareKey(created), {name, valuesOf(created)}});
        break;
    }
    case Operation::Modify: {
        const SambaShare* share = fuzzref::FindShare(before, name);
        const auto [parameter, value] = settingOf(fuzzref::Trimmed(*edit.args[1]), fuzzref::Trimmed(*edit.args[2]));
        // A value the share already has from a copy needs no line.
        const size_t index = static_cast<size_t>(share - before.data());
        if (value && !setsParameter(*share, *edit.args[1]) &&
            fuzzref::ValueIn(fuzzref::AppliedValues(before)[index], parameter) == value)
            break;
        std::map<std::string, std::string>& values = find(view, shareKey(*share))->values;
        if (value)
            values[parameter] = *value;
        else
            values.erase(parameter);
        break;
    }
    case Operation::Remove: {
        const SambaShare* share = fuzzref::FindShare(before, name);
        find(view, shareKey(*share))->values.erase(fuzzref::Identify(fuzzref::Trimmed(*edit.args[1])).name);
        break;
    }
    case Operation::Delete: {
        // The global share keeps what the lines before the first header set.
        const SambaShare* share = fuzzref::FindShare(before, name);
        SambaShare rest = *share;
        rest.settings.clear();
        for (const fuzzref::Setting& setting : share->settings)
            if (!share->sections.front().headed && setting.last <= share->sections.front().last)
                rest.settings.push_back(setting);
        for (auto it = view.begin(); it != view.end(); ++it) {
            if (it->first == shareKey(*share)) {
                if (rest.settings.empty())
                    view.erase(it);
                else
                    it->second.values = valuesOf(rest);
                break;
            }
        }
        break;
    }
    }
    return view;
}

std::string compareViews(const View& expected, const View& actual)
{
    if (expected.size() != actual.size())
        return "Samba reads " + std::to_string(actual.size()) + " shares after the edit, not " +
               std::to_string(expected.size());
    for (size_t s = 0; s < expected.size(); ++s) {
        if (expected[s].first != actual[s].first || expected[s].second.name != actual[s].second.name)
            return "Samba reads another share " + std::to_string(s) + " after the edit";
        for (const auto& [parameter, value] : expected[s].second.values) {
            const auto found = actual[s].second.values.find(parameter);
            if (found == actual[s].second.values.end() || found->second != value)
                return "after the edit Samba reads " + expected[s].first + ":" + parameter + " as " +
                       (found == actual[s].second.values.end() ? "unset" : "'" + found->second + "'") +
                       ", expected '" + value + "'";
        }
        for (const auto& [parameter, value] : actual[s].second.values)
            if (expected[s].second.values.count(parameter) == 0)
                return "after the edit Samba reads " + expected[s].first + ":" + parameter + " = '" + value +
                       "', expected it unset";
    }
    return "";
}

// The file's lines without those of the share's settings of parameter:
// a parameter edit must leave exactly these as they were.
std::vector<std::string> untouchedLines(const std::string& bytes, const std::string& shareName,
                                        const std::string& key)
{
    const std::vector<std::string> lines = fuzzref::SplitLines(bytes);
    std::vector<bool> edited(lines.size(), false);
    const std::vector<SambaShare> shares = fuzzref::ReadAsSamba(bytes);
    const std::string parameter = fuzzref::Identify(key).name;
    if (const SambaShare* share = fuzzref::FindShare(shares, shareName)) {
        for (const fuzzref::Setting& setting : share->settings)
            for (size_t i = setting.first; fuzzref::Identify(setting.key).name == parameter && i <= setting.last; ++i)
                edited[i] = true;
    }
    // An empty line that takes the continuation of the line above it is no
    // line of its own: an edit may add one after a last line ending in "\".
    const std::vector<bool> joined = joinedLines(bytes, lines.size());
    std::vector<std::string> kept;
    for (size_t i = 0; i < lines.size(); ++i)
        if (!edited[i] && !(joined[i] && fuzzref::SambaTrimmed(lines[i]).empty()))
            kept.push_back(lines[i]);
    return kept;
}

int collectName(const char* shareName, void* context)
{
    static_cast<std::vector<std::string>*>(context)->push_back(shareName);
    return 0;
}

// A parameter added after the file's last line when that line is a header
// without "]" still going on at the end of the file: the line that now
// follows ends it, and the section's name as read loses its "\". Samba
// refuses such a file before and after, so there is no reading of it to
// hold the edit to.
bool headerClosedByEdit(const EditCase& edit, const std::string& file)
{
    const std::string& content = edit.content;
    if (edit.operation != Operation::Modify || separatorBefore(content).empty() || file.size() <= content.size() ||
        file.compare(0, content.size(), content) != 0 || file[content.size()] != '\n')
        return false;
    const std::vector<fuzzref::LogicalLine> logical = fuzzref::LogicalLines(content);
    if (logical.empty())
        return false;
    const std::string text = fuzzref::SambaTrimmed(logical.back().text);
    return !text.empty() && text[0] == '[' && text.find(']') == std::string::npos;
}

// What Samba reads after a successful edit, and the bytes it leaves.
std::string checkOutcome(const EditCase& edit, const Expectation& expected, const std::vector<SambaShare>& before,
                         const std::string& file)
{
    if (expected.file && file != *expected.file)
        return "smb.conf does not hold the expected bytes";
    const std::vector<SambaShare> after = fuzzref::ReadAsSamba(file);
    // A new section appended after a last line that ends in "\" without a
    // line feed ends that line: its value loses the "\" that only the end
    // of the file kept (no appended text can keep it and start a line).
    const bool endsOpen = edit.operation == Operation::Create && !separatorBefore(edit.content).empty();
    const std::vector<SambaShare> closed =
        endsOpen ? fuzzref::ReadAsSamba(edit.content + separatorBefore(edit.content) + "\n") : before;
    std::string failure = headerClosedByEdit(edit, file) ? "" : compareViews(expectedView(edit, closed), viewOf(after));
    if (failure.empty() && (edit.operation == Operation::Modify || edit.operation == Operation::Remove)) {
        const std::string key = fuzzref::Trimmed(*edit.args[1]);
        if (untouchedLines(edit.content, *edit.args[0], key) != untouchedLines(file, *edit.args[0], key))
            failure = "the edit changed lines that do not set the parameter";
    }
    std::vector<std::string> listed;
    VelmoraLibrary::get().getShares(collectName, &listed);
    std::vector<std::string> names;
    for (const SambaShare& share : after)
        if (!share.global)
            names.push_back(fuzzref::CName(share.name));
    if (failure.empty() && listed != names)
        failure = "CLIGetSambaShares does not list the shares of the new file";
    return failure;
}

}  // namespace

std::string CheckEdit(std::string_view input)
{
    const EditCase edit = ParseEditCase(input);
    testfs::writeSmbConf(edit.content);
    testfs::removeFile(testfs::kBackup);
    const std::vector<SambaShare> before = fuzzref::ReadAsSamba(edit.content);
    const Expectation expected = expect(edit, before);
    const int rc = run(edit);
    if (rc != expected.rc)
        return "result " + std::to_string(rc) + ", expected " + std::to_string(expected.rc);
    const std::string file = testfs::readSmbConf().value_or("<no smb.conf>");
    std::string failure = checkFiles(edit, rc, file);
    if (failure.empty() && rc == 0)
        failure = checkOutcome(edit, expected, before, file);
    return failure;
}

}  // namespace fuzzcheck
