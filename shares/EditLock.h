#ifndef VELMORA_SHARES_EDITLOCK_H
#define VELMORA_SHARES_EDITLOCK_H

namespace velmora {

// Serialises the edits of /etc/samba/smb.conf among all threads and
// processes that use this library: an exclusive flock on the directory
// /etc/samba, which the atomic rename of smb.conf leaves in place (a lock on
// smb.conf itself would be lost with the file it replaces). An edit holds
// it from before reading the file to after renaming the new one over it, so
// no edit writes back a snapshot that another edit has already changed.
// Readers take no lock. The kernel releases the lock of a process that dies.
//
// Once held, the temporary files that earlier edits killed before their
// rename left behind are removed: no other edit can be writing one then.
class EditLock {
public:
    // Waits until the lock is held, or fails (see Held()).
    EditLock();
    ~EditLock();
    EditLock(const EditLock&) = delete;
    EditLock& operator=(const EditLock&) = delete;

    // False when /etc/samba could not be opened or locked; the edit must
    // then not go on.
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace velmora

#endif
