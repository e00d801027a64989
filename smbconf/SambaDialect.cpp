#include "smbconf/SambaDialect.h"

#include <strings.h>

#include <algorithm>

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
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

// Asked for every parameter line read: the name is folded in place, not a
// byte appended at a time.
std::string fold(std::string_view key)
{
    std::string folded(key.size(), '\0');
    size_t at = 0;
    for (const char c : key) {
        if (!IsBlank(c))
            folded[at++] = LowerAscii(c);
    }
    folded.resize(at);
    return folded;
}

// The entry of a table sorted by name that is named folded, or nullptr.
// Every line read asks: the table is searched by first byte, and only the
// few names that share it are compared whole (by length first).
template <typename Entry, typename NameOf>
const Entry* findFolded(const Entry* begin, const Entry* end, std::string_view folded, NameOf nameOf)
{
    if (folded.empty())
        return nullptr;
    const auto lead = static_cast<unsigned char>(folded.front());
    const Entry* at = std::lower_bound(begin, end, lead, [&](const Entry& entry, unsigned char wanted) {
        return static_cast<unsigned char>(nameOf(entry).front()) < wanted;
    });
    for (; at != end && static_cast<unsigned char>(nameOf(*at).front()) == lead; ++at)
        if (nameOf(*at) == folded)
            return at;
    return nullptr;
}

const Synonym* findSynonym(std::string_view folded)
{
    return findFolded(kSynonyms, kSynonyms + kSynonymCount, folded, [](const Synonym& s) { return s.name; });
}

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// One well-formed sequence of two to four bytes.
uint32_t decodeUtf8(std::string_view sequence)
{
    const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(sequence[i])); };
    uint32_t code = byte(0) & (sequence.size() == 2 ? 0x1F : sequence.size() == 3 ? 0x0F : 0x07);
    for (size_t i = 1; i < sequence.size(); ++i)
        code = (code << 6) | (byte(i) & 0x3F);
    return code;
}

// How Samba's conversion of a name to UTF-16 and back fares (tried with
// testparm): Whole; Undecodable, when it cannot decode the name (a stray
// byte, a sequence cut short, an overlong form); Unencodable, when it
// decodes the name but could not encode it again (a surrogate, a code point
// beyond U+10FFFF), which fails only when lowering changed something after
// the name's first byte beyond ASCII (it then converts back).
enum class Conversion { Whole, Undecodable, Unencodable };

Conversion conversionOf(std::string_view text)
{
    Conversion result = Conversion::Whole;
    for (size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        const size_t length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
                            : c >= 0xF0 && c <= 0xF7 ? 4 : 0;
        if (length == 0 || at + length > text.size())
            return Conversion::Undecodable;
        for (size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
                return Conversion::Undecodable;
        if (length > 1) {
            const uint32_t code = decodeUtf8(text.substr(at, length));
            if (code < (length == 2 ? 0x80u : length == 3 ? 0x800u : 0x10000u))
                return Conversion::Undecodable;
            if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
                result = Conversion::Unencodable;
        }
        at += length;
    }
    return result;
}

void appendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
}

// A letter beyond ASCII as Samba lowers it.
uint32_t lowerLetter(uint32_t code)
{
    const CaseMapping* end = kLowerCase + kLowerCaseCount;
    const CaseMapping* found = std::lower_bound(kLowerCase, end, code, [](const CaseMapping& m, uint32_t wanted) {
        return m.upper < wanted;
    });
    return found != end && found->upper == code ? found->lower : code;
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
    // Appended a run at a time: most texts have no blank to drop.
    bool afterBlank = !out.empty() && IsBlank(out.back());
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool blank = IsBlank(text[i]);
        if (blank && afterBlank) {
            out.append(text, run, i - run);
            run = i + 1;
        }
        afterBlank = blank;
    }
    out.append(text, run, text.size() - run);
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
    if (IsGlobalSection(a) && IsGlobalSection(b))
        return true;
    if (isAscii(a) && isAscii(b))
        return equalIgnoringCase(a, b);
    return SectionKey(a) == SectionKey(b);
}

std::string SectionKey(std::string_view name)
{
    const Conversion conversion = conversionOf(name);
    const std::string failed = "\xff";  // no name Samba converts holds this byte
    if (conversion == Conversion::Undecodable)
        return failed;
    std::string key;
    key.reserve(name.size());
    bool beyondAscii = false;
    bool lowered = false;  // something after the first byte beyond ASCII
    for (size_t at = 0; at < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[at]);
        uint32_t code = c;
        size_t length = 1;
        if (c >= 0x80) {
            beyondAscii = true;
            length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            code = decodeUtf8(name.substr(at, length));
        }
        const uint32_t lower = code < 0x80 ? static_cast<unsigned char>(LowerAscii(static_cast<char>(code))) : lowerLetter(code);
        lowered = lowered || (beyondAscii && lower != code);
        if (lower == code)
            key.append(name.substr(at, length));
        else if (lower < 0x80)
            key += static_cast<char>(lower);
        else
            appendUtf8(key, lower);
        at += length;
    }
    return conversion == Conversion::Unencodable && lowered ? failed : key;
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
        if (at == folded.size() || LowerAscii(c) != folded[at])
            return false;
        ++at;
    }
    return at == folded.size();
}

bool IsBoolean(const ParameterId& id)
{
    return findFolded(kBooleans, kBooleans + kBooleanCount, id.name, [](std::string_view name) { return name; }) !=
           nullptr;
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
