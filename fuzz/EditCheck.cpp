#include "fuzz/EditCheck.h"

#include <strings.h>
#include <sys/stat.h>

#include <optional>
#include <vector>

#include "fuzz/EditCase.h"
#include "fuzz/ReferenceConf.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace fuzzcheck {
namespace {

// What a call must do: its result, and the whole file it must leave
// (nullopt: smb.conf untouched and no backup taken).
struct Expectation {
    int rc = 0;
    std::optional<std::string> file;
};

bool singleLine(const Argument& text)
{
    return text && text->find_first_of("\n\r") == std::string::npos;
}

bool validName(const Argument& name) { return singleLine(name) && !name->empty(); }

// Samba joins a line ending in a backslash (blanks after it aside) with
// the next one.
bool endsInBackslash(const std::string& line)
{
    size_t end = line.size();
    while (end > 0 && static_cast<unsigned char>(line[end - 1]) <= 0x20)
        --end;
    return end > 0 && line[end - 1] == '\\';
}

// A file that ends, without a line feed, in a line Samba continues gets one
// more line feed before the new section, whose header would else be joined
// to that line.
std::string separatorBefore(const std::string& content)
{
    if (content.empty() || content.back() == '\n')
        return "";
    const size_t start = content.rfind('\n');
    return endsInBackslash(content.substr(start == std::string::npos ? 0 : start + 1)) ? "\n" : "";
}

Expectation expectCreate(const EditCase& edit, const fuzzref::Conf& before)
{
    const Argument& name = edit.args[0];
    const Argument& path = edit.args[1];
    const Argument& comment = edit.args[2];
    if (!validName(name) || !singleLine(path) || !singleLine(comment))
        return {-4, std::nullopt};
    if (fuzzref::HasExactly(before, *name))
        return {-1, std::nullopt};
    struct stat st {};
    if (lstat(path->c_str(), &st) != 0)
        return {-2, std::nullopt};
    if (S_ISLNK(st.st_mode))
        return {-3, std::nullopt};
    return {0, edit.content + separatorBefore(edit.content) + "\n[" + *name + "]\n\tpath = " + *path +
                   "\n\tcomment = " + *comment + "\n"};
}

bool validParameter(const EditCase& edit)
{
    if (!validName(edit.args[0]) || !singleLine(edit.args[1]) || !singleLine(edit.args[2]))
        return false;
    const std::string key = fuzzref::Trimmed(*edit.args[1]);
    return !key.empty() && key.find('=') == std::string::npos && key[0] != '#' && key[0] != ';' &&
           key[0] != '[';
}

// "false" in any case is written "No", "true" exactly is written "Yes".
std::string sambaSpelling(const std::string& value)
{
    if (strcasecmp(value.c_str(), "false") == 0)
        return "No";
    return value == "true" ? "Yes" : value;
}

// The first line with the key decides: nullopt when none has it, else
// whether it carries this very value.
std::optional<bool> firstValueMatches(const fuzzref::Conf& conf, const fuzzref::Section& section,
                                      const std::string& key, const std::string& value)
{
    for (const std::string& line : fuzzref::ParameterLines(conf, section)) {
        std::string lineKey;
        std::string lineValue;
        if (fuzzref::SplitParameter(line, lineKey, lineValue) && lineKey == key)
            return lineValue == value;
    }
    return std::nullopt;
}

Expectation expectModify(const EditCase& edit, const fuzzref::Conf& before)
{
    if (!validParameter(edit))
        return {-4, std::nullopt};
    const fuzzref::Section* section = fuzzref::FindIgnoringCase(before, *edit.args[0]);
    if (section == nullptr)
        return {-1, std::nullopt};
    const std::string key = fuzzref::Trimmed(*edit.args[1]);
    const std::string value = fuzzref::Trimmed(*edit.args[2]);
    const std::optional<bool> same = firstValueMatches(before, *section, key, value);
    if (same == true)
        return {0, std::nullopt};
    const std::string line = "\t" + key + " = " + sambaSpelling(value);
    std::vector<std::string> lines = before.lines;
    if (!same.has_value()) {
        // Before the section's last line, or before the first line of the
        // backslash-continued line that last line belongs to; right after a
        // lone header.
        size_t at = section->end > section->start ? section->end : section->start + 1;
        while (section->end > section->start && at - 1 > section->start &&
               endsInBackslash(lines[at - 1]))
            --at;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
        return {0, fuzzref::Join(lines)};
    }
    for (size_t i = section->start; i <= section->end; ++i) {
        std::string lineKey;
        std::string lineValue;
        if (fuzzref::SplitParameter(lines[i], lineKey, lineValue) && lineKey == key)
            lines[i] = line;
    }
    return {0, fuzzref::Join(lines)};
}

Expectation expectDelete(const EditCase& edit, const fuzzref::Conf& before)
{
    const Argument& name = edit.args[0];
    if (!validName(name))
        return {-4, std::nullopt};
    if (!fuzzref::HasExactly(before, *name))
        return {-1, std::nullopt};
    // The section that goes is the first matching ignoring case; its "#"
    // comment lines stay.
    const fuzzref::Section* section = fuzzref::FindIgnoringCase(before, *name);
    std::vector<std::string> kept;
    for (size_t i = 0; i < before.lines.size(); ++i) {
        const bool inside = i >= section->start && i <= section->end;
        if (!inside || fuzzref::KindOf(before.lines[i]) == fuzzref::LineKind::Comment)
            kept.push_back(before.lines[i]);
    }
    return {0, fuzzref::Join(kept)};
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
    }
    return 0;
}

std::string checkFiles(const EditCase& edit, const Expectation& expected)
{
    if (testfs::countEntries("/etc/samba", ".smb.conf.velmora-") != 0)
        return "a temporary file was left behind";
    const std::optional<std::string> file = testfs::readSmbConf();
    const std::optional<std::string> backup = testfs::readBackup();
    if (!expected.file) {
        if (file != edit.content)
            return "smb.conf changed although nothing was to change";
        return backup ? "a backup was taken although nothing changed" : "";
    }
    if (backup != edit.content)
        return "the backup does not hold the file as it was";
    return file == expected.file ? "" : "smb.conf does not hold the expected bytes";
}

int collectName(const char* shareName, void* context)
{
    static_cast<std::vector<std::string>*>(context)->push_back(shareName);
    return 0;
}

int collectLines(const char*, std::vector<std::string> lines, void* context)
{
    *static_cast<std::vector<std::string>*>(context) = std::move(lines);
    return 0;
}

std::vector<std::string> shareList(const fuzzref::Conf& conf)
{
    std::vector<std::string> names;
    for (const fuzzref::Section& section : conf.sections) {
        if (section.name != "global")
            names.push_back(fuzzref::CName(section.name));
    }
    return names;
}

std::string readBackParameter(const EditCase& edit)
{
    const std::string key = fuzzref::Trimmed(*edit.args[1]);
    const std::string value = sambaSpelling(fuzzref::Trimmed(*edit.args[2]));
    std::vector<std::string> lines;
    VelmoraLibrary::get().getShareInfo(collectLines, edit.args[0]->c_str(), &lines);
    for (const std::string& line : lines) {
        std::string lineKey;
        std::string lineValue;
        if (fuzzref::SplitParameter(line, lineKey, lineValue) && lineKey == key)
            return lineValue == value ? "" : "the share's first line with the key has another value";
    }
    return "the share's parameter lines lack the key";
}

std::string readBackPath(const std::string& name, const std::string& path)
{
    char* found = nullptr;
    if (VelmoraLibrary::get().sharePathName(name.c_str(), &found) != 0)
        return "CLISambaSharePathName finds no path for the new share";
    const std::string text = found;
    free(found);
    return text == fuzzref::Trimmed(path) ? "" : "CLISambaSharePathName gives another path";
}

// The lookups read the change back, from the file as it is now.
std::string checkReadBack(const EditCase& edit, const fuzzref::Conf& before)
{
    VelmoraLibrary& lib = VelmoraLibrary::get();
    const fuzzref::Conf after = fuzzref::Parse(*testfs::readSmbConf());
    std::vector<std::string> listed;
    lib.getShares(collectName, &listed);
    if (listed != shareList(after))
        return "CLIGetSambaShares does not list the shares of the new file";
    const std::string& name = *edit.args[0];
    const int exists = fuzzref::HasExactly(after, name) ? 0 : 1;
    if (lib.isValidShare(name.c_str()) != exists)
        return "CLIIsValidSambaShare disagrees with the new file";
    switch (edit.operation) {
    case Operation::Create:
        if (exists != 0 || after.sections.size() != before.sections.size() + 1)
            return "the new share is not there";
        // Lookups ignoring case find an older namesake first.
        return fuzzref::FindIgnoringCase(before, name) ? "" : readBackPath(name, *edit.args[1]);
    case Operation::Modify: return readBackParameter(edit);
    case Operation::Delete:
        return after.sections.size() + 1 == before.sections.size() ? "" : "no section went";
    }
    return "";
}

Expectation expect(const EditCase& edit, const fuzzref::Conf& before)
{
    switch (edit.operation) {
    case Operation::Create: return expectCreate(edit, before);
    case Operation::Modify: return expectModify(edit, before);
    case Operation::Delete: return expectDelete(edit, before);
    }
    return {};
}

}  // namespace

std::string CheckEdit(std::string_view input)
{
    const EditCase edit = ParseEditCase(input);
    testfs::writeSmbConf(edit.content);
    testfs::removeFile(testfs::kBackup);
    const fuzzref::Conf before = fuzzref::Parse(edit.content);
    const Expectation expected = expect(edit, before);
    const int rc = run(edit);
    if (rc != expected.rc)
        return "result " + std::to_string(rc) + ", expected " + std::to_string(expected.rc);
    std::string failure = checkFiles(edit, expected);
    if (failure.empty() && expected.file)
        failure = checkReadBack(edit, before);
    return failure;
}

}  // namespace fuzzcheck
