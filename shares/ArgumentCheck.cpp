#include "shares/ArgumentCheck.h"

#include <cstring>
#include <string>

#include "smbconf/SambaDialect.h"
#include "smbconf/Text.h"

namespace velmora {

bool IsSingleLine(const char* text)
{
    return text != nullptr && std::strpbrk(text, "\n\r") == nullptr;
}

bool IsValidShareName(const char* name)
{
    return IsSingleLine(name) && name[0] != '\0';
}

bool IsSingleValue(const char* text)
{
    return IsSingleLine(text) && !samba::Continues(text) && !samba::HasBlankRun(samba::Trim(text));
}

bool IsValidNewShare(const char* name, const char* path, const char* comment)
{
    return IsValidShareName(name) && std::strchr(name, ']') == nullptr && !samba::IsGlobalSection(name) &&
           !samba::HasBlankRun(name) && IsSingleValue(path) && IsSingleValue(comment);
}

// The value is checked as it will be written: trimmed (a "\\" before a
// control byte that the trim removes must not end the line).
bool IsValidParameter(const char* name, const char* key, const char* value)
{
    if (!IsValidKey(name, key) || value == nullptr)
        return false;
    std::string written = value;
    trim(written);
    return IsSingleLine(value) && IsSingleValue(written.c_str());
}

bool IsValidKey(const char* name, const char* key)
{
    if (!IsValidShareName(name) || !IsSingleLine(key))
        return false;
    std::string trimmed = key;
    trim(trimmed);
    return !trimmed.empty() && trimmed.find('=') == std::string::npos &&
           std::strchr("#;[", trimmed.front()) == nullptr;
}

}  // namespace velmora
