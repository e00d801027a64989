#include "shares/ArgumentCheck.h"

#include <cstring>
#include <string>

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

bool IsValidNewShare(const char* name, const char* path, const char* comment)
{
    return IsValidShareName(name) && IsSingleLine(path) && IsSingleLine(comment);
}

bool IsValidParameter(const char* name, const char* key, const char* value)
{
    if (!IsValidShareName(name) || !IsSingleLine(key) || !IsSingleLine(value))
        return false;
    std::string trimmed = key;
    trim(trimmed);
    return !trimmed.empty() && trimmed.find('=') == std::string::npos &&
           std::strchr("#;[", trimmed.front()) == nullptr;
}

}  // namespace velmora
