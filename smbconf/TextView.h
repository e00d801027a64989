#ifndef VELMORA_SMBCONF_TEXTVIEW_H
#define VELMORA_SMBCONF_TEXTVIEW_H

#include <string_view>

// An allocation-free form of trim for the hot paths (the
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

}  // namespace velmora

#endif
