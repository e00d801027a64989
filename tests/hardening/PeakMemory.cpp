#include "tests/hardening/PeakMemory.h"

#include <malloc.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace hardening {
namespace {

// Slack between the reset peak mark and the resident size read just after.
constexpr size_t kResetSlack = 1024 * 1024;

// A "Vm...:  1234 kB" line of /proc/self/status, in bytes.
size_t statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::strtoull(line.c_str() + field.size() + 1, nullptr, 10) * 1024;
    }
    return 0;
}

// Sets the peak mark to the present resident size; false when it stays.
bool resetPeakMark()
{
    {
        std::ofstream clear("/proc/self/clear_refs");
        clear << "5";
    }
    return statusBytes("VmHWM") <= statusBytes("VmRSS") + kResetSlack;
}

}  // namespace

std::optional<size_t> PeakGrowth(const std::function<void()>& fn)
{
    malloc_trim(0);
    const bool reset = resetPeakMark();
    const size_t before = statusBytes("VmRSS");
    fn();
    const size_t peak = statusBytes("VmHWM");
    if (!reset)
        return std::nullopt;
    return peak > before ? peak - before : 0;
}

bool MemoryIsInstrumented()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr && std::string(preload).find("vgpreload") != std::string::npos;
#endif
}

}  // namespace hardening
