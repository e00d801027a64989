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
// the old or the new file, whole. The new file gets the old one's mode,
// owner, group and extended attributes (ACLs and security labels
// included); hard links to the old file keep the old content, and a
// target that is a mount point cannot be renamed over (EBUSY): see
// InPlaceWrite.h for both.
//
// Use: Open(), Append() any number of times, Commit(). Every call after a
// failure fails as well, so a caller may check only the result of Commit().
// Not thread-safe; one object per rewrite.
class AtomicFile {
public:
    // Follow: a link at target stands for the file it names (smb.conf).
    // Replace: a link (or FIFO, or anything but a directory) at target is
    // itself replaced, never written through (the backup).
    enum class Links { Follow, Replace };

    explicit AtomicFile(std::string target, Links links = Links::Follow);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file with the attributes (FileAttributes.h) of
    // the file at attributesFrom, by default the target. False when that
    // file cannot be examined (it is missing, say) or the temporary file
    // cannot be created or given those attributes.
    bool Open(const std::string& attributesFrom = "");

    // Adds text to the new content. False once any write has failed.
    bool Append(std::string_view text);

    // Writes what is left, syncs and closes the temporary file, renames it
    // over the target and syncs the directory. True when the target now
    // holds the new content; false when it still holds the old one.
    bool Commit();

    // The errno of the first failure (0 while none): EACCES from Open when
    // the directory does not let this process create a file, EBUSY or EXDEV
    // from Commit when the target is a mount point.
    int Error() const { return error_; }

    // The file that is replaced: the target with a link followed, or not.
    const std::string& Target() const { return target_; }

private:
    bool flushBuffer();
    bool fail();

    std::string target_;
    std::string temporary_;
    std::string buffer_;
    int fd_ = -1;
    int error_ = 0;
    bool failed_ = false;
    bool committed_ = false;
};

// The prefix of the temporary files that AtomicFile makes for target, e.g.
// ".smb.conf.velmora-" for "/etc/samba/smb.conf".
std::string TemporaryPrefix(const std::string& target);

// Removes the temporary files that a rewrite of target (or of the file it
// links to) killed before its rename left behind. Only a caller that excludes every other rewrite of
// target (the edit lock) may call it.
// A link at target is followed unless links is Replace.
void RemoveStaleTemporaries(const std::string& target,
                            AtomicFile::Links links = AtomicFile::Links::Follow);

}  // namespace velmora

#endif
