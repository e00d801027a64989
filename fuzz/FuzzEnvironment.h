#ifndef VELMORA_FUZZ_FUZZENVIRONMENT_H
#define VELMORA_FUZZ_FUZZENVIRONMENT_H

#include <string>

// What every fuzz check needs at the library's fixed paths: Samba
// "installed" (a stub /usr/sbin/smbd), a rights library that grants every
// principal, and paths to offer as share directories. Only ever called
// inside the test sandbox (tests/support/Sandbox.h), which the caller
// entered first; failures abort, as nothing after them would mean anything.
namespace fuzzenv {

struct SharePaths {
    std::string directory;  // an existing directory
    std::string link;       // a symbolic link to it
    std::string file;       // a regular file
    std::string missing;    // nothing there
};

// Sets everything up on the first call; later calls only return the paths.
const SharePaths& Prepare();

}  // namespace fuzzenv

#endif
