#ifndef VELMORA_SMBCONF_TEXT_H
#define VELMORA_SMBCONF_TEXT_H

#include <string>
#include <vector>

#include "common/Export.h"

// Removes the bytes 0x01..0x20 at both ends of text, in place, and returns a
// copy of the result: '  a b  ' becomes 'a b'; blanks only give ''.
// Bytes 0x21..0xFF are never removed.
VELMORA_EXPORT std::string trim(std::string& text);

// Splits a parameter line at its first "=" into a trimmed key and a trimmed
// value: '   path = /srv' gives {'path', '/srv'}, 'comment = a = b' gives
// {'comment', 'a = b'}. A line without "=" gives an empty vector.
VELMORA_EXPORT std::vector<std::string> SplitProperty(std::string line);

#endif
