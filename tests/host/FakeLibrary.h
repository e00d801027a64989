#ifndef VELMORA_TESTS_HOST_FAKELIBRARY_H
#define VELMORA_TESTS_HOST_FAKELIBRARY_H

#include <string>

#include "host/CallResult.h"
#include "host/Host.h"

// The fake provider libraries built beside this test (FakeProvider.cpp). The
// test binary links the first one, so that the controls below reach the very
// library the hosts load, and its state survives a Host's dlclose.
namespace fake {

inline const char* kProvider = HOST_FAKE_PROVIDER;  // factories fake_Create_*
inline const char* kGeneric = HOST_FAKE_GENERIC;    // fake_Create_* and _Generic_Create_InstanceMI

inline vhost::Options options(bool strict = true, bool sparse = false)
{
    vhost::Options o;
    o.strict = strict;
    o.sparse = sparse;
    o.providerName = "fake";
    return o;
}

// The kinds of the refused items, joined like CallResult::kinds().
inline std::string rejectedKinds(const vhost::CallResult& result)
{
    vhost::CallResult copy;
    copy.sequence = result.rejected;
    return copy.kinds();
}

}  // namespace fake

extern "C" {
void fake_setFactoryMode(int mode);  // 0 ok, 1 NULL with OK, 2 the MI with FAILED, 3 throws
void fake_setCleanupAnswer(int rc);
int fake_factoryCalls();
int fake_cleanupCalls();
int fake_terminatingCleanups();
void fake_reset();
}

#endif
