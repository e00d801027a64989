#ifndef VELMORA_SMBCONF_ATOMICFILE_H
#define VELMORA_SMBCONF_ATOMICFILE_H

#include <string>
#include <string_view>

namespace velmora {

// Replaces a file as a whole or not at all. A target that is a symbolic
// link stands for the file it points to: that file is replaced and the link
// kept. The new content goes to a temporary file beside the target (same
// directory, so the same file system), named "." + the target's base name +
// ".velmora-" + six random characters, e.g.
// "/etc/samba/.smb.conf.velmora-Ab3xYz". Commit() flushes
// and syncs it, and renames it over the target; until then, and after any
// failure, the target is exactly as it was. The destructor removes a
// temporary file that was not committed. Readers of the target see either
// the old or the new file, whole. Hard links to the target are not kept:
// the target becomes a new file with the old one's mode, owner and group.
//
// Use: Open(), Append() any number of times, Commit(). Every call after a
// failure fails as well, so a caller may check only the result of Commit().
// Not thread-safe; one object per rewrite.
class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file with the target's mode, owner and group.
    // False when the target cannot be examined (it is missing, say) or the
    // temporary file cannot be created or given those attributes.
    bool Open();

    // Adds text to the new content. False once any write has failed.
    bool Append(std::string_view text);

    // Writes what is left, syncs and closes the temporary file, renames it
    // over the target and syncs the directory. True when the target now
    // holds the new content; false when it still holds the old one.
    bool Commit();

private:
    bool flushBuffer();
    bool copyAttributes();

    std::string target_;
    std::string temporary_;
    std::string buffer_;
    int fd_ = -1;
    bool failed_ = false;
    bool committed_ = false;
};

// The prefix of the temporary files that AtomicFile makes for target, e.g.
// ".smb.conf.velmora-" for "/etc/samba/smb.conf".
std::string TemporaryPrefix(const std::string& target);

// Removes the temporary files that a rewrite of target (or of the file it
// links to) killed before its rename left behind. Only a caller that excludes every other rewrite of
// target (the edit lock) may call it.
void RemoveStaleTemporaries(const std::string& target);

}  // namespace velmora

#endif
