#include "shares/ShareWalk.h"

#include <strings.h>

#include <cctype>
#include <vector>

#include <stdexcept>

#include "common/Log.h"
#include "smbconf/ConfRead.h"
#include "smbconf/SambaConfFile.h"

namespace velmora {
namespace {

// A hash of name that agrees with strcasecmp: names it finds equal fold to
// the same bytes with tolower (in the same locale) and so hash alike.
size_t foldedHash(const char* name)
{
    size_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char* c = name; *c != '\0'; ++c) {
        hash ^= static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(*c)));
        hash *= 1099511628211ull;
    }
    return hash;
}

// For every section, the index of the first section whose name matches its
// own as FindSection compares names (strcasecmp): itself when no earlier
// section does. An open-addressing table of section indices, filled in file
// order, so that the first of each name is the one kept; two allocations,
// whatever the number of sections.
std::vector<size_t> firstMatches(const std::vector<SambaSection>& sections)
{
    constexpr size_t kEmpty = static_cast<size_t>(-1);
    size_t slots = 16;
    while (slots < 2 * sections.size())
        slots *= 2;
    std::vector<size_t> table(slots, kEmpty);
    std::vector<size_t> first(sections.size());
    for (size_t i = 0; i < sections.size(); ++i) {
        const char* name = sections[i].name.c_str();
        size_t slot = foldedHash(name) & (slots - 1);
        while (table[slot] != kEmpty && strcasecmp(sections[table[slot]].name.c_str(), name) != 0)
            slot = (slot + 1) & (slots - 1);
        if (table[slot] == kEmpty)
            table[slot] = i;
        first[i] = table[slot];
    }
    return first;
}

}  // namespace

void forEachShare(const std::function<void(const SambaSection& share,
                                           const SambaSection& parameters)>& visit)
{
    trace("coming to CLIGetSambaShares ..............");
    SambaConfFile conf;
    // An unreadable file is a failure, not a file without shares.
    if (conf.InitSections() != 0 && LastConfStatus().state == ConfState::Unreadable)
        throw std::runtime_error(LastConfStatus().Message());
    const std::vector<size_t> first = firstMatches(conf.sections);
    for (size_t i = 0; i < conf.sections.size(); ++i) {
        if (conf.sections[i].name != "global")
            visit(conf.sections[i], conf.sections[first[i]]);
    }
}

}  // namespace velmora
