#ifndef VELMORA_TESTS_VELMORALIBRARY_H
#define VELMORA_TESTS_VELMORALIBRARY_H

#include <string>

#include "shares/SambaShares.h"

// The built libvelmora.so.0, opened with dlopen like any program that uses
// it, with its exported share functions looked up by their plain names.
struct VelmoraLibrary {
    static VelmoraLibrary& get();  // opens once per process; aborts on failure
    static const char* path() { return VELMORA_LIBRARY_PATH; }

    void* handle = nullptr;
    decltype(&::CLIGetSambaShares) getShares = nullptr;
    decltype(&::CLIGetSambaShareInfo) getShareInfo = nullptr;
    decltype(&::CLISambaSharePathName) sharePathName = nullptr;
    decltype(&::CLIIsValidSambaShare) isValidShare = nullptr;
    decltype(&::CLICreateSambaShare) createShare = nullptr;
    decltype(&::CLIModifyKeyValuePair) modifyKeyValue = nullptr;
    decltype(&::CLIDeleteSambaShare) deleteShare = nullptr;
    decltype(&::CLIRemoveKeyValuePair) removeKeyValue = nullptr;

    void* symbol(const std::string& name) const;  // nullptr when not exported
};

#endif
