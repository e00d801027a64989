// libFuzzer entry point: the editing share functions on arbitrary files and
// arguments (fuzz/EditCheck.h describes the input).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/EditCheck.h"
#include "fuzz/FuzzTarget.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzztarget::Enter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzztarget::Require(fuzzcheck::CheckEdit(input));
    return 0;
}
