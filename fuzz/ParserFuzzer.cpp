// libFuzzer entry point: the parser on arbitrary bytes (fuzz/ParserCheck.h).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzTarget.h"
#include "fuzz/ParserCheck.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzztarget::Enter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzztarget::Require(fuzzcheck::CheckParse(bytes));
    return 0;
}
