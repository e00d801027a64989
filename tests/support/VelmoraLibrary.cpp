#include "tests/support/VelmoraLibrary.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

template <typename F>
void bind(const VelmoraLibrary& lib, F& slot, const char* name)
{
    slot = reinterpret_cast<F>(lib.symbol(name));
    if (slot == nullptr) {
        std::fprintf(stderr, "libvelmora does not export %s\n", name);
        std::abort();
    }
}

}  // namespace

VelmoraLibrary& VelmoraLibrary::get()
{
    static VelmoraLibrary lib = [] {
        VelmoraLibrary l;
        l.handle = dlopen(path(), RTLD_NOW);
        if (l.handle == nullptr) {
            std::fprintf(stderr, "dlopen %s: %s\n", path(), dlerror());
            std::abort();
        }
        bind(l, l.getShares, "CLIGetSambaShares");
        bind(l, l.getShareInfo, "CLIGetSambaShareInfo");
        bind(l, l.sharePathName, "CLISambaSharePathName");
        bind(l, l.isValidShare, "CLIIsValidSambaShare");
        bind(l, l.createShare, "CLICreateSambaShare");
        bind(l, l.modifyKeyValue, "CLIModifyKeyValuePair");
        bind(l, l.deleteShare, "CLIDeleteSambaShare");
        bind(l, l.removeKeyValue, "CLIRemoveKeyValuePair");
        return l;
    }();
    return lib;
}

void* VelmoraLibrary::symbol(const std::string& name) const
{
    return dlsym(handle, name.c_str());
}
