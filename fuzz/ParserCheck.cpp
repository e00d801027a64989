#include "fuzz/ParserCheck.h"

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "fuzz/ReferenceConf.h"
#include "smbconf/SambaConfFile.h"
#include "smbconf/Text.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace fuzzcheck {
namespace {

using fuzzref::LineKind;

// Lookups cost a walk of all sections each; the first ones suffice.
constexpr size_t kLookedUpSections = 32;

std::string at(size_t index) { return " (section " + std::to_string(index) + ")"; }

std::string checkLines(const SambaConfFile& conf, std::string_view bytes)
{
    if (conf.lineCount < 0 || static_cast<size_t>(conf.lineCount) != conf.lines.size())
        return "lineCount " + std::to_string(conf.lineCount) + " for " +
               std::to_string(conf.lines.size()) + " lines";
    for (const std::string& line : conf.lines) {
        if (line.find('\n') != std::string::npos)
            return "a line holds a line feed";
    }
    std::string expected(bytes);
    if (!expected.empty() && expected.back() != '\n')
        expected += '\n';
    if (fuzzref::Join(conf.lines) != expected)
        return "the lines do not give back the file";
    return "";
}

// The header at section.startLine, no header after it up to endLine, and
// exactly the parameter lines of that range as properties.
std::string checkRange(const SambaConfFile& conf, const SambaSection& section, size_t index)
{
    const int32_t count = conf.lineCount;
    if (section.startLine < 0 || section.startLine > section.endLine || section.endLine >= count)
        return "line range out of order or out of the file" + at(index);
    const std::string& header = conf.lines[section.startLine];
    if (fuzzref::KindOf(header) != LineKind::Header)
        return "startLine is not a header line" + at(index);
    const std::string text = fuzzref::Trimmed(header);
    if (section.name != text.substr(1, text.size() >= 2 ? text.size() - 2 : 0))
        return "name is not the header without its first and last character" + at(index);
    std::vector<std::string> parameters;
    for (int32_t i = section.startLine + 1; i <= section.endLine; ++i) {
        const LineKind kind = fuzzref::KindOf(conf.lines[i]);
        if (kind == LineKind::Header)
            return "a header inside the range" + at(index);
        if (kind == LineKind::Parameter)
            parameters.push_back(conf.lines[i]);
    }
    if (section.properties != parameters)
        return "properties are not the parameter lines of the range" + at(index);
    return "";
}

std::string checkSections(const SambaConfFile& conf)
{
    int32_t firstHeader = -1;
    for (int32_t i = 0; i < conf.lineCount && firstHeader < 0; ++i) {
        if (fuzzref::KindOf(conf.lines[i]) == LineKind::Header)
            firstHeader = i;
    }
    if (conf.sections.empty())
        return firstHeader < 0 ? "" : "a header but no section";
    if (conf.sections.front().startLine != firstHeader)
        return "the first section does not start at the first header";
    if (conf.sections.back().endLine != conf.lineCount - 1)
        return "the last section does not reach the last line";
    for (size_t s = 0; s < conf.sections.size(); ++s) {
        const std::string failure = checkRange(conf, conf.sections[s], s);
        if (!failure.empty())
            return failure;
        if (s > 0 && conf.sections[s].startLine != conf.sections[s - 1].endLine + 1)
            return "a gap or an overlap before" + at(s);
    }
    return "";
}

bool sameSection(const SambaSection& a, const SambaSection& b)
{
    return a.startLine == b.startLine && a.endLine == b.endLine && a.name == b.name &&
           a.properties == b.properties;
}

std::string checkLookups(const SambaConfFile& conf, const fuzzref::Conf& reference)
{
    const std::vector<SambaSection> all = conf.GetAllSectionInfo();
    if (all.size() != conf.sections.size())
        return "GetAllSectionInfo misses sections";
    for (size_t s = 0; s < all.size(); ++s) {
        if (!sameSection(all[s], conf.sections[s]))
            return "GetAllSectionInfo differs" + at(s);
    }
    for (size_t s = 0; s < conf.sections.size() && s < kLookedUpSections; ++s) {
        const std::string name = fuzzref::CName(conf.sections[s].name);
        const fuzzref::Section* first = fuzzref::FindIgnoringCase(reference, name);
        const SambaSection found = conf.GetSectionByName(name.c_str());
        if (first == nullptr || found.startLine != static_cast<int32_t>(first->start))
            return "GetSectionByName finds another section" + at(s);
        if (conf.SectionExists(name.c_str()) != (fuzzref::HasExactly(reference, name) ? 1 : 0))
            return "SectionExists disagrees" + at(s);
    }
    return "";
}

std::string checkSplits(const SambaConfFile& conf)
{
    for (const SambaSection& section : conf.sections) {
        for (const std::string& line : section.properties) {
            std::string key;
            std::string value;
            const bool split = fuzzref::SplitParameter(line, key, value);
            const std::vector<std::string> parts = SplitProperty(line);
            if (split ? parts != std::vector<std::string>{key, value} : !parts.empty())
                return "SplitProperty disagrees on a parameter line";
        }
    }
    return "";
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

std::string inShare(size_t index) { return " (share " + std::to_string(index) + ")"; }

// The library's reading of one share against the reference's.
std::string compareShare(const velmora::samba::Reading& reading, const velmora::samba::Share& share,
                         const fuzzref::SambaShare& expected, size_t index)
{
    if (share.name != expected.name || share.global != expected.global)
        return "Samba's reading names another share" + inShare(index);
    std::vector<fuzzref::SectionLines> sections;
    for (const velmora::samba::SectionRange& section : reading.Sections(share))
        sections.push_back({section.header >= 0, static_cast<size_t>(section.header >= 0 ? section.header : 0),
                            static_cast<size_t>(section.last), std::string(section.name)});
    if (sections.size() != expected.sections.size())
        return "Samba's reading finds another number of sections" + inShare(index);
    for (size_t s = 0; s < sections.size(); ++s) {
        const fuzzref::SectionLines& a = sections[s];
        const fuzzref::SectionLines& b = expected.sections[s];
        if (a.headed != b.headed || a.header != b.header || a.last != b.last || a.name != b.name)
            return "Samba's reading cuts a section differently" + inShare(index);
    }
    size_t p = 0;
    for (const velmora::samba::Parameter& parameter : reading.Parameters(share)) {
        if (p == expected.settings.size())
            return "Samba's reading finds more parameters" + inShare(index);
        const fuzzref::Setting& setting = expected.settings[p++];
        if (static_cast<size_t>(parameter.first) != setting.first || static_cast<size_t>(parameter.last) != setting.last)
            return "Samba's reading puts a parameter on other lines" + inShare(index);
        // Samba's value squeezes runs of blanks; a name compares without them.
        if (fuzzref::Identify(std::string(parameter.key())).name != fuzzref::Identify(setting.key).name ||
            velmora::samba::SambaValue(parameter) != setting.value)
            return "Samba's reading splits a parameter differently" + inShare(index);
    }
    return p == expected.settings.size() ? "" : "Samba's reading misses parameters" + inShare(index);
}

std::string compareReading(const velmora::samba::Reading& reading, const std::vector<fuzzref::SambaShare>& expected)
{
    if (reading.Shares().size() != expected.size())
        return "Samba's reading finds " + std::to_string(reading.Shares().size()) + " shares, not " +
               std::to_string(expected.size());
    for (size_t s = 0; s < expected.size(); ++s) {
        const std::string failure = compareShare(reading, reading.Shares()[s], expected[s], s);
        if (!failure.empty())
            return failure;
    }
    return "";
}

// The readers' parse keeps no lines but must read the file as Init does.
std::string checkSectionsOnly(const std::vector<fuzzref::SambaShare>& expected)
{
    SambaConfFile sectionsOnly;
    if (sectionsOnly.InitSections() != 0)
        return "InitSections failed on a readable file";
    if (!sectionsOnly.lines.empty() || !sectionsOnly.sections.empty())
        return "InitSections kept lines or sections";
    const std::string failure = compareReading(sectionsOnly.Samba(), expected);
    return failure.empty() ? "" : "InitSections: " + failure;
}

bool hasExactHeader(const fuzzref::SambaShare& share, const std::string& name)
{
    for (const fuzzref::SectionLines& section : share.sections)
        if (section.headed && section.name == name)
            return true;
    return false;
}

// What the lines of a share's lookup give Samba: the later line wins.
std::map<std::string, std::string> valuesOfLines(const std::vector<std::string>& lines)
{
    fuzzref::SambaShare read;
    for (const std::string& line : lines) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos)
            read.settings.push_back({0, 0, fuzzref::SambaTrimmed(line.substr(0, eq)), fuzzref::SambaTrimmed(line.substr(eq + 1))});
    }
    const auto values = fuzzref::Values(read);
    return {values.begin(), values.end()};
}

// The one-share lookups: the parameter lines (one per setting, split as
// Samba splits them; with a copy, lines that give Samba's values), the path
// (the last one), and the exact existence test.
std::string checkShareLookups(const fuzzref::SambaShare& share, const std::map<std::string, std::string>& applied)
{
    VelmoraLibrary& lib = VelmoraLibrary::get();
    std::vector<std::string> lines;
    lib.getShareInfo(collectLines, share.name.c_str(), &lines);
    if (fuzzref::Copies(share)) {
        if (valuesOfLines(lines) != applied)
            return "CLIGetSambaShareInfo hands lines that give other values";
    } else {
        if (lines.size() != share.settings.size())
            return "CLIGetSambaShareInfo hands another number of lines";
        for (size_t i = 0; i < lines.size(); ++i) {
            const size_t eq = lines[i].find('=');
            if (eq == std::string::npos || fuzzref::SambaTrimmed(lines[i].substr(0, eq)) != share.settings[i].key ||
                fuzzref::SambaTrimmed(lines[i].substr(eq + 1)) != share.settings[i].value)
                return "CLIGetSambaShareInfo hands another line";
        }
    }
    char* path = nullptr;
    const int rc = lib.sharePathName(share.name.c_str(), &path);
    const std::string found = rc == 0 ? path : "<none>";
    free(path);
    if (found != fuzzref::CName(fuzzref::ValueIn(applied, "path").value_or("<none>")))
        return "CLISambaSharePathName gives another path";
    if ((lib.isValidShare(share.name.c_str()) == 0) != hasExactHeader(share, share.name))
        return "CLIIsValidSambaShare disagrees";
    return "";
}

std::string checkShares(const std::vector<fuzzref::SambaShare>& shares)
{
    std::vector<std::string> expected;
    for (const fuzzref::SambaShare& share : shares) {
        if (!share.global)
            expected.push_back(fuzzref::CName(share.name));
    }
    std::vector<std::string> listed;
    if (VelmoraLibrary::get().getShares(collectName, &listed) != 0)
        return "CLIGetSambaShares did not return 0";
    if (listed != expected)
        return "CLIGetSambaShares lists other shares";
    const std::vector<std::map<std::string, std::string>> applied = fuzzref::AppliedValues(shares);
    for (size_t s = 0; s < shares.size() && s < kLookedUpSections; ++s) {
        // A name cut at a NUL byte may name another share.
        if (shares[s].name.find('\0') != std::string::npos)
            continue;
        const std::string failure = checkShareLookups(shares[s], applied[s]);
        if (!failure.empty())
            return failure + inShare(s);
    }
    return "";
}

}  // namespace

std::string CheckParse(std::string_view bytes)
{
    testfs::writeSmbConf(std::string(bytes));
    SambaConfFile conf;
    if (conf.Init() != 0)
        return "Init failed on a readable file";
    // In order: each check relies on the ones before it (checkSections
    // indexes lines by lineCount, for one).
    std::string failure = checkLines(conf, bytes);
    if (failure.empty())
        failure = checkSections(conf);
    const fuzzref::Conf reference = fuzzref::Parse(bytes);
    if (failure.empty())
        failure = checkLookups(conf, reference);
    if (failure.empty())
        failure = checkSplits(conf);
    const std::vector<fuzzref::SambaShare> shares = fuzzref::ReadAsSamba(bytes);
    if (failure.empty())
        failure = compareReading(conf.Samba(), shares);
    if (failure.empty())
        failure = checkSectionsOnly(shares);
    if (failure.empty()) {
        // A copy reads its own lines afresh, without the parse's list of
        // the lines that may shape sections.
        const SambaConfFile copy = conf;
        failure = compareReading(copy.Samba(), shares);
        if (!failure.empty())
            failure = "a copy: " + failure;
    }
    if (failure.empty())
        failure = checkShares(shares);
    return failure;
}

}  // namespace fuzzcheck
