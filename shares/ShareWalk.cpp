#include "shares/ShareWalk.h"

#include <syslog.h>

#include <string>
#include <unordered_map>

#include "smbconf/SambaConfFile.h"

namespace velmora {
namespace {

// Section names folded as strcasecmp compares them (ASCII letters).
std::string foldCase(const std::string& name)
{
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

// For every folded name, the first section that bears it.
std::unordered_map<std::string, const SambaSection*> firstByName(const SambaConfFile& conf)
{
    std::unordered_map<std::string, const SambaSection*> first;
    first.reserve(conf.sections.size());
    for (const SambaSection& section : conf.sections)
        first.emplace(foldCase(section.name), &section);  // keeps the earliest
    return first;
}

}  // namespace

void forEachShare(const std::function<void(const SambaSection& share,
                                           const SambaSection& parameters)>& visit)
{
    syslog(LOG_INFO, "coming to CLIGetSambaShares ..............");
    SambaConfFile conf;
    conf.Init();
    const auto first = firstByName(conf);
    for (const SambaSection& section : conf.sections) {
        if (section.name != "global")
            visit(section, *first.at(foldCase(section.name)));
    }
}

}  // namespace velmora
