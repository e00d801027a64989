#ifndef VELMORA_TESTS_FILES_H
#define VELMORA_TESTS_FILES_H

#include <sys/types.h>

#include <optional>
#include <string>

// File helpers for tests running inside the sandbox (see Sandbox.h).
namespace testfs {

inline constexpr const char* kSmbConf = "/etc/samba/smb.conf";
inline constexpr const char* kBackup = "/etc/samba/smb.conf.temp";
inline constexpr const char* kSmbd = "/usr/sbin/smbd";
inline constexpr const char* kRights = "/usr/lib64/libqel_misc.so";

// Writes content to path (replacing it) with the given mode; aborts the
// test binary on failure, since nothing after it would mean anything.
void writeFile(const std::string& path, const std::string& content, mode_t mode = 0644);
std::optional<std::string> readFile(const std::string& path);
bool exists(const std::string& path);
void removeFile(const std::string& path);

inline void writeSmbConf(const std::string& content) { writeFile(kSmbConf, content); }
inline std::optional<std::string> readSmbConf() { return readFile(kSmbConf); }
inline std::optional<std::string> readBackup() { return readFile(kBackup); }

// /usr/sbin/smbd: make sure a program is there (a stub when the real one is
// not installed), or take it away.
void installSmbd();
void removeSmbd();

// /usr/lib64/libqel_misc.so: the project's real rights library, a fake whose
// answer the test sets with setFakeRights, or a library without the symbol.
enum class Rights { Real, Fake, NoSymbol };
void installRights(Rights kind);
void removeRights();
// The fake answers rc and stores bits in the privilege word.
void setFakeRights(int rc, unsigned bits);

// Directory entries of dir whose names start with prefix (e.g. leftovers).
int countEntries(const std::string& dir, const std::string& prefix);

}  // namespace testfs

#endif
