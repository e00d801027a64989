#ifndef VELMORA_TESTS_HARDENING_CHILDRUN_H
#define VELMORA_TESTS_HARDENING_CHILDRUN_H

#include <functional>
#include <string>

namespace hardening {

enum class FileAccess { Kept, Dropped };

// Runs body in a forked child of the test process and returns the text it
// returned, or a text starting with "child failed" when the child could
// not run it or died. The child shares the test's sandbox.
//
// With FileAccess::Dropped the child first loses CAP_DAC_OVERRIDE and
// CAP_DAC_READ_SEARCH, from its bounding set too, so that the commands it
// starts (the backup's /bin/cp) lack them as well: it stays root, but is
// held to file permissions like any other user. The test process keeps
// every right and can inspect the files afterwards.
std::string RunInChild(const std::function<std::string()>& body, FileAccess access);

}  // namespace hardening

#endif
