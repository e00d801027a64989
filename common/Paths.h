#ifndef VELMORA_COMMON_PATHS_H
#define VELMORA_COMMON_PATHS_H

// The system's fixed paths. Tests reach them inside a private mount
// namespace; nothing here is configurable on purpose.
namespace velmora {

inline constexpr const char* kSmbConfPath = "/etc/samba/smb.conf";
inline constexpr const char* kSmbConfBackupPath = "/etc/samba/smb.conf.temp";
inline constexpr const char* kSmbConfDir = "/etc/samba";
inline constexpr const char* kSmbdPath = "/usr/sbin/smbd";
inline constexpr const char* kRightsLibraryPath = "/usr/lib64/libqel_misc.so";

}  // namespace velmora

#endif
