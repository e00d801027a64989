#ifndef VELMORA_SMBCONF_SAMBAPARAMETERS_H
#define VELMORA_SMBCONF_SAMBAPARAMETERS_H

#include <cstddef>

// Samba's own tables of parameter names, as its testparm lists them
// (generated into SambaParameters.cpp by scripts/samba-parameters). Every
// name is folded: lower case, blanks removed ('read only' is "readonly").
namespace velmora::samba {

// A second name of a parameter; inverted when a true value of the synonym
// means false for the parameter ('writeable' for 'read only').
struct Synonym {
    const char* name;
    const char* parameter;
    bool inverted;
};

// Both sorted by name (strcmp), for binary search.
extern const Synonym kSynonyms[];
extern const size_t kSynonymCount;
extern const char* const kBooleans[];
extern const size_t kBooleanCount;

}  // namespace velmora::samba

#endif
