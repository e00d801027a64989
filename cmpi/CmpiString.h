#ifndef VELMORA_CMPI_CMPISTRING_H
#define VELMORA_CMPI_CMPISTRING_H

#include "cmpi/cmpift.h"
#include "common/Export.h"

// A broker string. Does not own it: it lives as long as the object or the
// CIMOM call it came from, so copy the text at once when it must last.
class VELMORA_EXPORT CmpiString {
public:
    // The null string.
    CmpiString();
    explicit CmpiString(const CMPIString* enc);

    // The text (via ft->getCharPtr), or nullptr when the string is null, the
    // broker gives no text or the string's table is unusable. Never throws.
    const char* charPtr() const;
    // True when there is no text: exactly when charPtr() is nullptr.
    bool isNull() const;
    const CMPIString* getEnc() const;

private:
    const CMPIString* enc_;
};

#endif
