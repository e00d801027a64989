#ifndef VELMORA_TESTS_HOST_FAKELIBRARY_H
#define VELMORA_TESTS_HOST_FAKELIBRARY_H

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/CallResult.h"
#include "host/Host.h"

// The fake provider libraries built beside this test (FakeProvider.cpp) and
// the controls the fake exports. The test keeps the fake open for the whole
// process, so its state survives a Host's dlclose; reset() clears it.
namespace fake {

inline const char* kProvider = HOST_FAKE_PROVIDER;  // factories fake_Create_*
inline const char* kVelmora = HOST_FAKE_VELMORA;    // factories velmora_Create_*
inline const char* kGeneric = HOST_FAKE_GENERIC;    // fake_Create_* and _Generic_Create_InstanceMI

struct Controls {
    void (*setFactoryMode)(int) = nullptr;  // 0 ok, 1 NULL, 2 rc FAILED, 3 throws
    void (*setCleanupAnswer)(int) = nullptr;
    int (*factoryCalls)() = nullptr;
    int (*cleanupCalls)() = nullptr;
    int (*terminatingCleanups)() = nullptr;
    void (*reset)() = nullptr;

    static Controls& get()
    {
        static Controls controls = [] {
            Controls c;
            void* handle = dlopen(kProvider, RTLD_NOW);
            if (handle == nullptr) {
                std::fprintf(stderr, "dlopen %s: %s\n", kProvider, dlerror());
                std::abort();
            }
            bind(handle, c.setFactoryMode, "fake_setFactoryMode");
            bind(handle, c.setCleanupAnswer, "fake_setCleanupAnswer");
            bind(handle, c.factoryCalls, "fake_factoryCalls");
            bind(handle, c.cleanupCalls, "fake_cleanupCalls");
            bind(handle, c.terminatingCleanups, "fake_terminatingCleanups");
            bind(handle, c.reset, "fake_reset");
            return c;
        }();
        return controls;
    }

private:
    template <typename F>
    static void bind(void* handle, F& slot, const char* name)
    {
        slot = reinterpret_cast<F>(dlsym(handle, name));
        if (slot == nullptr)
            std::abort();
    }
};

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

#endif
