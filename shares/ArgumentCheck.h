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

// For CLICreateSambaShare: a valid name, and path and comment single lines.
bool IsValidNewShare(const char* name, const char* path, const char* comment);

// For CLIModifyKeyValuePair: a valid name, key and value single lines, and
// a key that, trimmed as it will be written, is not empty, holds no "=" and
// does not begin with "#", ";" or "[" (which would make the new line a
// comment or a header instead of a parameter).
bool IsValidParameter(const char* name, const char* key, const char* value);

}  // namespace velmora

#endif
