#ifndef VELMORA_TESTS_EDIT_EDITSUPPORT_H
#define VELMORA_TESTS_EDIT_EDITSUPPORT_H

#include <string>

// Helpers shared by the tests of the editing share functions.
namespace edittest {

// Temporary files of the atomic replace left in /etc/samba.
int temporaries();

// Hides Samba's testparm from the edits in this test's namespace, for tests
// of where lines go that use parameters Samba does not know ('k', 'z'):
// Samba's verdict is tested on its own with real parameters.
void hideTestparm();

// Expects smb.conf to hold exactly before, no backup and no temporary file:
// the outcome of every refused or failed edit that took no backup.
void expectUntouched(const std::string& before);

// Directories made inside the sandbox for share paths: a directory, a
// symbolic link to it, a regular file and a path that does not exist.
struct SharePaths {
    std::string directory, link, file, missing;
};
const SharePaths& sharePaths();

}  // namespace edittest

#endif
