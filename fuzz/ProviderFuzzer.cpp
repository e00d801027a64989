// libFuzzer entry point: the provider, loaded into the CIMOM stand-in, on
// arbitrary files (fuzz/ProviderCheck.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzTarget.h"
#include "fuzz/ProviderCheck.h"

namespace {

// Made after the sandbox is entered, and kept for the whole run: a CIMOM
// loads the provider once and calls it many times.
fuzzcheck::ProviderProbe* probe = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzztarget::Enter();
    static fuzzcheck::ProviderProbe loaded;
    probe = &loaded;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzztarget::Require(probe->Check(bytes));
    return 0;
}
