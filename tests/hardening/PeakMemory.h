#ifndef VELMORA_TESTS_HARDENING_PEAKMEMORY_H
#define VELMORA_TESTS_HARDENING_PEAKMEMORY_H

#include <cstddef>
#include <functional>
#include <optional>

namespace hardening {

// Runs fn and returns how far this process's resident memory rose above its
// level at the start, in bytes: the kernel's peak mark (VmHWM), reset first
// through /proc/self/clear_refs, minus the resident size (VmRSS) then. Free
// memory the allocator holds is given back first (malloc_trim), so that
// fn's growth is not hidden by reuse of what an earlier call freed.
// nullopt (fn still run) when the kernel would not reset the mark.
std::optional<size_t> PeakGrowth(const std::function<void()>& fn);

// True when the resident size means little here: under AddressSanitizer
// (redzones and its quarantine of freed memory) or valgrind.
bool MemoryIsInstrumented();

}  // namespace hardening

#endif
