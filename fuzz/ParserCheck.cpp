#include "fuzz/ParserCheck.h"

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

// The readers' parse keeps no lines but must find the very same sections.
std::string checkSectionsOnly(const SambaConfFile& conf)
{
    SambaConfFile sectionsOnly;
    if (sectionsOnly.InitSections() != 0)
        return "InitSections failed on a readable file";
    if (!sectionsOnly.lines.empty() || sectionsOnly.sections.size() != conf.sections.size())
        return "InitSections kept lines or found another number of sections";
    for (size_t i = 0; i < conf.sections.size(); ++i)
        if (!sameSection(sectionsOnly.sections[i], conf.sections[i]))
            return "InitSections made section " + std::to_string(i) + " differently";
    return "";
}

std::string checkShareList(const fuzzref::Conf& reference)
{
    std::vector<std::string> expected;
    for (const fuzzref::Section& section : reference.sections) {
        if (section.name != "global")
            expected.push_back(fuzzref::CName(section.name));
    }
    std::vector<std::string> listed;
    if (VelmoraLibrary::get().getShares(collectName, &listed) != 0)
        return "CLIGetSambaShares did not return 0";
    return listed == expected ? "" : "CLIGetSambaShares lists other shares";
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
    if (failure.empty())
        failure = checkSectionsOnly(conf);
    if (failure.empty())
        failure = checkShareList(reference);
    return failure;
}

}  // namespace fuzzcheck
