#include "common/Log.h"
#include "smbconf/Text.h"

#include <syslog.h>

#include "smbconf/TextView.h"

std::string trim(std::string& text)
{
    velmora::trace("Comimg to trim .............");
    text = std::string(velmora::trimView(text));
    return text;
}

std::vector<std::string> SplitProperty(std::string line)
{
    velmora::trace("Comimg to SplitProperty .............");
    const size_t eq = line.find('=');
    if (eq == std::string::npos)
        return {};
    std::string key = line.substr(0, eq);
    std::string value = line.substr(eq + 1);
    return {trim(key), trim(value)};
}
