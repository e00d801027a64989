#ifndef VELMORA_SMBCONF_TEXTVIEW_H
#define VELMORA_SMBCONF_TEXTVIEW_H

#include <string_view>

// Allocation-free forms of trim and SplitProperty for the hot paths (the
// parser, the enumeration). Same rules: bytes 0x01..0x20 are blank at both
// ends; everything else, NUL and 0x80..0xFF included, stays.
namespace velmora {

inline bool isBlank(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x01 && byte <= 0x20;
}

inline std::string_view trimView(std::string_view text)
{
    size_t first = 0;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// Key and value of a parameter line split at its first "=", both trimmed;
// false when the line has no "=".
inline bool splitView(std::string_view line, std::string_view& key, std::string_view& value)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = trimView(line.substr(0, eq));
    value = trimView(line.substr(eq + 1));
    return true;
}

// True when Samba joins the line with the next one: its last byte other
// than a blank is a backslash.
inline bool continuesOnNextLine(std::string_view line)
{
    size_t end = line.size();
    while (end > 0 && static_cast<unsigned char>(line[end - 1]) <= 0x20)
        --end;
    return end > 0 && line[end - 1] == '\\';
}

}  // namespace velmora

#endif
