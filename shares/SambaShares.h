/*
 * The share operations of libvelmora.so.0: plain functions with C linkage that
 * list, read, create, modify and delete the shares of /etc/samba/smb.conf.
 * Every call reads the file afresh; nothing is cached between calls.
 *
 * Share handlers run synchronously on the caller's thread. The share name
 * they receive lives only for that one call. Their int result is ignored. A
 * handler ends a walk early only by throwing (C++ callers): the exception
 * leaves the calling function unchanged, after its model is released.
 *
 * Result codes:
 *   CLIGetSambaShares       0  done (also when smb.conf is missing: no shares);
 *                          -1  smb.conf exists but cannot be read (permissions,
 *                              an I/O error, a directory, FIFO or device in its
 *                              place; logged at LOG_ERR), or the library failed
 *                              (out of memory, say); no handler was called, or
 *                              not for every share.
 *   CLIGetSambaShareInfo    0  done; -1 the library failed (out of memory).
 *   CLISambaSharePathName   0  a path text was stored in *out (free() it);
 *                          -1  no such share, no "path" line, or out is null.
 *   CLIIsValidSambaShare    0  a section of exactly that name exists;
 *                           1  none does (also when the file is unreadable).
 *   CLICreateSambaShare     0  the section was appended;
 *                          -1  the name exists exactly, or smb.conf could
 *                              not be written (file unchanged);
 *                          -2  the path does not exist or cannot be reached;
 *                          -3  the path is a symbolic link;
 *                          -4  invalid argument (null, empty name, or a text
 *                              holding a line feed or carriage return).
 *   CLIModifyKeyValuePair   0  the first line with the key already had the
 *                              value, or the line was added or replaced;
 *                          -1  no such section, or smb.conf could not be
 *                              written (file unchanged);
 *                          -4  invalid argument (null, empty name, line
 *                              break in any text, a key that is empty, holds
 *                              "=" or begins with "#", ";" or "[").
 *   CLIDeleteSambaShare     0  the file was rewritten without the section;
 *                          -1  no section of exactly that name, or smb.conf
 *                              could not be written (file unchanged);
 *                          -4  invalid argument.
 *   CLIRemoveKeyValuePair   0  every line Samba reads as the parameter was
 *                              removed from the share, or there was none;
 *                          -1  no such share, or smb.conf could not be
 *                              written (file unchanged);
 *                          -4  invalid argument (as for CLIModifyKeyValuePair).
 *   Every edit also       -5  Samba's own parser would not load the result
 *                              (nothing written; CLISambaVerdict() says why).
 * Every edit is serialised with every other edit, lets Samba's testparm
 * judge the new text when Samba's tools are installed (-5 above), then copies
 * smb.conf to /etc/samba/smb.conf.temp — a complete copy put in place
 * atomically, with smb.conf's mode, owner and attributes; when it cannot be
 * made the edit returns -1 and changes nothing — and replaces the file
 * atomically (in place, under the lock, where a rename cannot be used: a
 * bind-mounted file, one with several hard links). smb.conf that is not a
 * regular file is never read and never blocks a call.
 *
 * No exception of the library's own leaves these functions: it becomes the
 * function's failure code (-1; 1 for CLIIsValidSambaShare) and a LOG_ERR
 * line. A handler's own exception passes through unchanged.
 */
#ifndef VELMORA_SHARES_SAMBASHARES_H
#define VELMORA_SHARES_SAMBASHARES_H

#ifdef __cplusplus
#include <string>
#include <vector>
#endif

#include "common/Export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int (*SambaShareHandler)(const char* shareName, void* context);

/* Calls handler once per section not named exactly "global", in file order. */
VELMORA_EXPORT int CLIGetSambaShares(SambaShareHandler handler, void* context);

/* Stores a malloc'ed copy of the share's "path" value in *out. */
VELMORA_EXPORT int CLISambaSharePathName(const char* shareName, char** out);

VELMORA_EXPORT int CLIIsValidSambaShare(const char* shareName);

VELMORA_EXPORT int CLICreateSambaShare(const char* shareName, const char* path,
                                       const char* comment);
VELMORA_EXPORT int CLIModifyKeyValuePair(const char* shareName, const char* key,
                                         const char* value);
VELMORA_EXPORT int CLIDeleteSambaShare(const char* shareName);

/* Removes the parameter key (under any name Samba gives it) from the share. */
VELMORA_EXPORT int CLIRemoveKeyValuePair(const char* shareName, const char* key);

/* Dry runs. Between CLIBeginDryRun() and CLIEndDryRun(), the edits this
 * thread calls do all that an edit does (lock, read, checks, Samba's
 * verdict) and return the code they would return, but neither back up nor
 * replace smb.conf. CLIEndDryRun stores in *newText the complete smb.conf
 * that the last of those edits would have written (malloc'ed: free() it), or
 * NULL when it would have written nothing; newText may be NULL. It returns
 * 0, or -1 when no dry run was begun on this thread. */
VELMORA_EXPORT void CLIBeginDryRun(void);
VELMORA_EXPORT int CLIEndDryRun(char** newText);

/* What Samba's own parser (testparm) said of the text that the last edit on
 * this thread made or would have made: its warnings and errors, or "" when
 * it said nothing or Samba's tools are not installed. Valid until this
 * thread's next edit. */
VELMORA_EXPORT const char* CLISambaVerdict(void);

#ifdef __cplusplus
/* The share's parameter lines (its own copy, raw as in the file). */
typedef int (*SambaShareInfoHandler)(const char* shareName, std::vector<std::string> lines,
                                     void* context);

/* Calls handler exactly once with the caller's shareName and the parameter
 * lines of the first section matching it ignoring case (empty when none). */
VELMORA_EXPORT int CLIGetSambaShareInfo(SambaShareInfoHandler handler, const char* shareName,
                                        void* context);
#endif

#ifdef __cplusplus
}
#endif

#endif
