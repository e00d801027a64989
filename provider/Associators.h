#ifndef VELMORA_PROVIDER_ASSOCIATORS_H
#define VELMORA_PROVIDER_ASSOCIATORS_H

#include "cmpi/CmpiObjectPath.h"
#include "cmpi/CmpiResult.h"
#include "common/Export.h"

// The record localAssociatorResponse hands to LocalAssociatorShareHandler;
// it refers to the caller's objects and owns nothing.
struct AssociatorContext {
    CmpiObjectPath& objectPath;
    CmpiResult& result;
};

// Like utilEnumInstanceNamesResponse, with a NUL-terminated namespace.
VELMORA_EXPORT void utilLocalAssociatorNamesResponse(const char* className, CmpiResult& result,
                                                     const char* nameSpace);

// Share handlers. context: an AssociatorContext / a vector<ShareData>. 0.
VELMORA_EXPORT int LocalAssociatorShareHandler(const char* shareName, void* context);
VELMORA_EXPORT int ShareNameHandler(const char* shareName, void* context);

#endif
