#ifndef VELMORA_SMBCONF_BACKUP_H
#define VELMORA_SMBCONF_BACKUP_H

namespace velmora {

// Makes /etc/samba/smb.conf.temp a complete copy of smb.conf, the
// administrator's undo of the edit about to be made. The copy is made in
// this process (no helper program that could outlive it) and put in place
// like smb.conf itself: written to a temporary file beside it, synced,
// given smb.conf's mode, owner, group and extended attributes, then renamed
// over the old backup — so the old backup stays whole until a complete new
// one replaces it. Whatever is at the backup's path (a link, a FIFO) is
// replaced, never written through; a directory there, a mount point or a
// full file system make it fail. smb.conf itself is read only when it is a
// regular file. Only under the edit lock, after removing the temporary files
// of killed edits (AtomicFile.h). True when the backup is in place.
bool MakeSmbConfBackup();

}  // namespace velmora

#endif
