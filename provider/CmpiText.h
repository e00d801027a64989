#ifndef VELMORA_PROVIDER_CMPITEXT_H
#define VELMORA_PROVIDER_CMPITEXT_H

#include <string>

#include "cmpi/CmpiString.h"

// The text of a broker string; "" for a null string or a null text, which
// some CIMOMs hand over (e.g. an unauthenticated principal).
inline std::string textOf(const CmpiString& value)
{
    const char* text = value.charPtr();
    return text != nullptr ? std::string(text) : std::string();
}

#endif
