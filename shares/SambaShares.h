/*
 * The share operations of libvelmora.so.0: plain functions with C linkage that
 * list, read, create, modify and delete the shares of /etc/samba/smb.conf.
 * Every call reads the file afresh; nothing is cached between calls.
 *
 * They read the file as Samba does (continued lines joined, '#' and ';'
 * comments, runs of blanks squeezed, section names cut at the first "]"):
 * a share is every section whose name is the same for Samba (equal
 * ignoring case; 'global' and 'globals' are Samba's global section), and a
 * parameter is found under any of its names (case and blanks aside, and
 * Samba's synonyms: 'directory' is 'path', 'writeable' the inverse of
 * 'read only').
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
 *   CLISambaSharePathName   0  Samba's path of the share (the last line that
 *                              sets it, or else what its copy brings) was
 *                              stored in *out (free() it);
 *                          -1  no such share, no line sets its path, or out
 *                              is null.
 *   CLIIsValidSambaShare    0  a section header names exactly that share;
 *                           1  none does (also when the file is unreadable).
 *   CLICreateSambaShare     0  the section was appended;
 *                          -1  a share of that name exists, ignoring case
 *                              (Samba would merge the two), or smb.conf could
 *                              not be written (file unchanged);
 *                          -2  the path does not exist or cannot be reached;
 *                          -3  the path is a symbolic link (a final "/" aside);
 *                          -4  invalid argument: null, an empty name, a text
 *                              holding a line feed or carriage return, a name
 *                              holding "]" or a run of blanks or naming the
 *                              global section, a path or comment whose last
 *                              non-blank is "\" or that holds a run of blanks.
 *   CLIModifyKeyValuePair   0  Samba's value already was the value (as Samba
 *                              compares values: 'True' is 'yes'), or every
 *                              line that sets the parameter in the share was
 *                              replaced by one line of key and value, or that
 *                              line was added to the share's first section;
 *                          -1  no such share, or smb.conf could not be
 *                              written (file unchanged);
 *                          -4  invalid argument (null, empty name, line
 *                              break in any text, a key that is empty, holds
 *                              "=" or begins with "#", ";" or "[", a value,
 *                              trimmed, whose last non-blank is "\" or that
 *                              holds a run of blanks).
 *   CLIDeleteSambaShare     0  the file was rewritten without every section
 *                              of the share;
 *                          -1  no section header names exactly that share,
 *                              or smb.conf could not be written (file
 *                              unchanged);
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

/* Calls handler once per share Samba sees, its global section left out, in
 * the order of the share's first header, with the name that header gives. */
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
/* The share's parameter lines, the handler's own copy. A line is one
 * parameter as Samba reads it, in file order across the share's sections:
 * the file's line itself (leading blanks, a trailing carriage return and
 * all), or, where Samba joins continued lines or squeezes a run of blanks,
 * the text Samba reads ('comment = a \' + '  b' gives 'comment = a b').
 * Comments ('#', ';') and lines without "=" are not parameters. When the
 * share copies another ("copy = name"), the lines of that share which Samba
 * copies come first, in the same form (and, before them, those its own copy
 * brings): of two lines setting one parameter, the later one is Samba's. */
typedef int (*SambaShareInfoHandler)(const char* shareName, std::vector<std::string> lines,
                                     void* context);

/* Calls handler exactly once with the caller's shareName and the parameter
 * lines of the share Samba takes that name for (empty when none). */
VELMORA_EXPORT int CLIGetSambaShareInfo(SambaShareInfoHandler handler, const char* shareName,
                                        void* context);
#endif

#ifdef __cplusplus
}
#endif

#endif
