#ifndef VELMORA_SHARES_ARGUMENTCHECK_H
#define VELMORA_SHARES_ARGUMENTCHECK_H

// The checks behind the result -4 ("invalid argument") of the editing share
// functions. Every text they write ends up in smb.conf, where a line break
// would start a line of the caller's choosing: a new section, or a
// parameter such as 'username map script', which Samba runs as root. A
// refused call writes nothing and takes no backup.
namespace velmora {

// Not null, and holds no line feed or carriage return.
bool IsSingleLine(const char* text);

// A single line, not empty.
bool IsValidShareName(const char* name);

// A single line whose last byte that is not blank is not "\" (Samba would
// join the next line of the file into it: a comment ending in "\" would
// swallow the share's next parameter, 'valid users' say), and without a run
// of blanks inside (Samba would read '/srv/a  b' as '/srv/a b').
bool IsSingleValue(const char* text);

// For CLICreateSambaShare: a valid name that Samba reads back whole as a
// share's (no "]", which ends Samba's name; no run of blanks; not 'global'
// or 'globals' in any case, which are Samba's global section), and path and
// comment single values.
bool IsValidNewShare(const char* name, const char* path, const char* comment);

// For CLIModifyKeyValuePair and CLIRemoveKeyValuePair: a valid name, and a
// key that is a single line and, trimmed as it will be written, is not
// empty, holds no "=" and does not begin with "#", ";" or "[" (which would
// make the new line a comment or a header instead of a parameter).
bool IsValidKey(const char* name, const char* key);

// For CLIModifyKeyValuePair: a valid key, and a single value.
bool IsValidParameter(const char* name, const char* key, const char* value);

}  // namespace velmora

#endif
