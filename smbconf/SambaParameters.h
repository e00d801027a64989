#ifndef VELMORA_SMBCONF_SAMBAPARAMETERS_H
#define VELMORA_SMBCONF_SAMBAPARAMETERS_H

#include <cstddef>
#include <cstdint>
#include <string_view>

// Samba's own tables: its parameter names, as its testparm lists them
// (generated into SambaParameters.cpp by scripts/samba-parameters), and the
// letters beyond ASCII it lowers in section names (SambaCase.cpp, by
// scripts/samba-case). Every parameter name is folded: lower case, blanks
// removed ('read only' is "readonly").
namespace velmora::samba {

// A second name of a parameter; inverted when a true value of the synonym
// means false for the parameter ('writeable' for 'read only').
struct Synonym {
    std::string_view name;
    std::string_view parameter;
    bool inverted;
};

// Both sorted by name (bytewise), for binary search.
extern const Synonym kSynonyms[];
extern const size_t kSynonymCount;
extern const std::string_view kBooleans[];
extern const size_t kBooleanCount;

// A letter of the Basic Multilingual Plane and its lower case, as Samba
// lowers section names (an older Unicode than today's: 'Ș' stays 'Ș').
// Sorted by upper, for binary search.
struct CaseMapping {
    uint16_t upper;
    uint16_t lower;
};
extern const CaseMapping kLowerCase[];
extern const size_t kLowerCaseCount;

}  // namespace velmora::samba

#endif
