#include "smbconf/SambaDialect.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "smbconf/SambaParameters.h"

namespace velmora::samba {

namespace {

char firstNonBlank(std::string_view line)
{
    const std::string_view text = Trim(line);
    return text.empty() ? '\0' : text.front();
}

// ASCII case aside, every byte counts (a NUL included, which strncasecmp
// would stop at).
bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::string fold(std::string_view key)
{
    std::string folded;
    folded.reserve(key.size());
    for (const char c : key) {
        if (!IsBlank(c))
            folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return folded;
}

const Synonym* findSynonym(const std::string& folded)
{
    const Synonym* end = kSynonyms + kSynonymCount;
    const Synonym* found = std::lower_bound(kSynonyms, end, folded, [](const Synonym& s, const std::string& name) {
        return std::strcmp(s.name, name.c_str()) < 0;
    });
    return found != end && folded == found->name ? found : nullptr;
}

}  // namespace

bool IsComment(std::string_view line)
{
    const char first = firstNonBlank(line);
    return first == '#' || first == ';';
}

bool Continues(std::string_view line)
{
    const std::string_view text = Trim(line);
    return !text.empty() && text.back() == '\\';
}

void AppendSqueezed(std::string& out, std::string_view text)
{
    for (const char c : text) {
        if (!(IsBlank(c) && !out.empty() && IsBlank(out.back())))
            out += c;
    }
}

bool HasBlankRun(std::string_view text)
{
    for (size_t i = 1; i < text.size(); ++i)
        if (IsBlank(text[i]) && IsBlank(text[i - 1]))
            return true;
    return false;
}

void DropContinuation(std::string& squeezed)
{
    if (!squeezed.empty() && IsBlank(squeezed.back()))
        squeezed.pop_back();
    if (!squeezed.empty() && squeezed.back() == '\\')
        squeezed.pop_back();
}

int EmptyLinesToEnd(std::string_view line)
{
    if (IsComment(line))
        return 0;
    std::string text;
    AppendSqueezed(text, line);
    int joins = 0;
    while (Continues(text)) {
        DropContinuation(text);
        ++joins;
    }
    return joins;
}

bool IsHeader(std::string_view line)
{
    return firstNonBlank(line) == '[';
}

std::string_view SectionName(std::string_view header)
{
    const std::string_view text = Trim(header);
    const std::string_view inside = text.substr(text.empty() ? 0 : 1);
    const size_t close = inside.find(']');
    const std::string_view name = close == std::string_view::npos ? Trim(inside) : inside.substr(0, close);
    // A name is a C string wherever it goes (handlers, InstanceID, lookups):
    // it ends at a NUL byte, so that a share is found by the name it is
    // listed under. (Samba refuses such a file.)
    return name.substr(0, name.find('\0'));
}

bool IsGlobalSection(std::string_view name)
{
    return equalIgnoringCase(name, "global") || equalIgnoringCase(name, "globals");
}

bool SameSection(std::string_view a, std::string_view b)
{
    return equalIgnoringCase(a, b) || (IsGlobalSection(a) && IsGlobalSection(b));
}

ParameterId Identify(std::string_view key)
{
    ParameterId id{fold(key), false};
    if (const Synonym* synonym = findSynonym(id.name)) {
        id.name = synonym->parameter;
        id.inverted = synonym->inverted;
    }
    return id;
}

bool NamesParameter(std::string_view key, std::string_view folded)
{
    size_t at = 0;
    for (const char c : key) {
        if (IsBlank(c))
            continue;
        if (at == folded.size() || (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != folded[at])
            return false;
        ++at;
    }
    return at == folded.size();
}

bool IsBoolean(const ParameterId& id)
{
    const char* const* end = kBooleans + kBooleanCount;
    const char* const* found = std::lower_bound(kBooleans, end, id.name, [](const char* name, const std::string& wanted) {
        return std::strcmp(name, wanted.c_str()) < 0;
    });
    return found != end && id.name == *found;
}

std::optional<bool> ParseBoolean(std::string_view value)
{
    for (const char* yes : {"yes", "true", "on", "1"})
        if (equalIgnoringCase(value, yes))
            return true;
    for (const char* no : {"no", "false", "off", "0"})
        if (equalIgnoringCase(value, no))
            return false;
    return std::nullopt;
}

std::optional<bool> BooleanValue(const ParameterId& id, std::string_view value)
{
    const std::optional<bool> parsed = ParseBoolean(value);
    if (!parsed)
        return std::nullopt;
    return *parsed != id.inverted;
}

bool SameSetting(const ParameterId& a, std::string_view valueA, const ParameterId& b,
                 std::string_view valueB)
{
    if (IsBoolean(a)) {
        const std::optional<bool> meaningA = BooleanValue(a, valueA);
        return meaningA && meaningA == BooleanValue(b, valueB);
    }
    if (a.inverted != b.inverted)
        return false;
    std::string squeezedA;
    std::string squeezedB;
    AppendSqueezed(squeezedA, valueA);
    AppendSqueezed(squeezedB, valueB);
    return squeezedA == squeezedB;
}

}  // namespace velmora::samba
