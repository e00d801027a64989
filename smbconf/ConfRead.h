#ifndef VELMORA_SMBCONF_CONFREAD_H
#define VELMORA_SMBCONF_CONFREAD_H

#include <string>

// Opening and reading smb.conf (and its backup) safely: a FIFO, a device or
// a directory in the file's place never blocks a call and is never read.
// Only regular files are read; anything else is "unreadable".
namespace velmora {

enum class ConfState {
    Readable,    // a regular file, opened
    Missing,     // nothing at the path (ENOENT, or a dangling link)
    Unreadable,  // there, but not a regular file or not readable (see error)
};

// What the last OpenConf on this thread found.
struct ConfStatus {
    ConfState state = ConfState::Readable;
    int error = 0;  // errno of the failure; 0 when it is not a regular file
    std::string path;

    // "Permission denied", "not a regular file", ...
    std::string Reason() const;
    // "Cannot read /etc/samba/smb.conf: Permission denied".
    std::string Message() const;
};

// Opens path for reading (or reading and writing when forWriting) without
// blocking: opened with O_NONBLOCK, then refused unless fstat shows a
// regular file. The descriptor (close-on-exec, blocking again) or -1. An
// unreadable file (not a missing one) is logged at LOG_ERR. The outcome is
// kept for LastConfStatus().
int OpenConf(const char* path, bool forWriting = false);

// Notes a read that failed midway (errno error) on the file the last
// OpenConf opened: it is unreadable (and logged).
void NoteReadFailure(int error);

// The outcome of this thread's last OpenConf.
const ConfStatus& LastConfStatus();

// Reads the regular file at path whole into content (replaced). False when
// it cannot be opened (see LastConfStatus) or a read fails.
bool ReadConf(const char* path, std::string& content, bool forWriting = false);

}  // namespace velmora

#endif
