#include "fuzz/ReferenceConf.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <set>

#include "smbconf/SambaParameters.h"

namespace fuzzref {
namespace {

bool isBlankByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x01 && byte <= 0x20;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::string current;
    for (char c : bytes) {
        if (c == '\n') {
            lines.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

std::string Trimmed(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlankByte(text[first]))
        ++first;
    while (last > first && isBlankByte(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

LineKind KindOf(std::string_view line)
{
    const std::string text = Trimmed(line);
    if (text.empty())
        return LineKind::Blank;
    if (text[0] == '#')
        return LineKind::Comment;
    return text[0] == '[' ? LineKind::Header : LineKind::Parameter;
}

Conf Parse(std::string_view bytes)
{
    Conf conf;
    conf.lines = SplitLines(bytes);
    for (size_t i = 0; i < conf.lines.size(); ++i) {
        const LineKind kind = KindOf(conf.lines[i]);
        if (kind == LineKind::Header) {
            const std::string text = Trimmed(conf.lines[i]);
            Section section;
            section.start = i;
            section.name = text.size() >= 2 ? text.substr(1, text.size() - 2) : "";
            conf.sections.push_back(section);
        } else if (kind == LineKind::Parameter && !conf.sections.empty()) {
            conf.sections.back().parameters.push_back(i);
        }
    }
    for (size_t s = 0; s < conf.sections.size(); ++s) {
        const bool last = s + 1 == conf.sections.size();
        conf.sections[s].end = last ? conf.lines.size() - 1 : conf.sections[s + 1].start - 1;
    }
    return conf;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool SplitParameter(std::string_view line, std::string& key, std::string& value)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trimmed(line.substr(0, eq));
    value = Trimmed(line.substr(eq + 1));
    return true;
}

std::string CName(const std::string& name) { return name.substr(0, name.find('\0')); }

const Section* FindIgnoringCase(const Conf& conf, const std::string& name)
{
    const std::string wanted = CName(name);
    for (const Section& section : conf.sections) {
        if (equalIgnoringCase(CName(section.name), wanted))
            return &section;
    }
    return nullptr;
}

bool HasExactly(const Conf& conf, const std::string& name)
{
    for (const Section& section : conf.sections) {
        if (section.name == name)
            return true;
    }
    return false;
}

std::vector<std::string> ParameterLines(const Conf& conf, const Section& section)
{
    std::vector<std::string> lines;
    for (size_t index : section.parameters)
        lines.push_back(conf.lines[index]);
    return lines;
}

// --- Samba's reading ---

namespace {

char lastNonBlank(std::string_view line)
{
    const std::string text = SambaTrimmed(line);
    return text.empty() ? '\0' : text.back();
}

// Appends text as Samba reads it: a blank right after a blank is dropped
// ('a    b' reads 'a b').
void appendSqueezed(std::string& out, const std::string& text)
{
    for (char c : text) {
        if (IsSambaBlank(c) && !out.empty() && IsSambaBlank(out.back()))
            continue;
        out += c;
    }
}

std::string withoutLeadingBlanks(const std::string& line)
{
    size_t first = 0;
    while (first < line.size() && IsSambaBlank(line[first]))
        ++first;
    return line.substr(first);
}

std::string lowered(std::string text)
{
    for (char& c : text)
        c = lowerAscii(c);
    return text;
}

// One character of a name as Samba's conversion reads it: its code point
// and its bytes. Samba decodes sequences of up to four bytes (leads up to
// 0xF7, so beyond U+10FFFF too) and surrogates, but no stray byte, cut
// sequence or overlong form.
struct Character {
    uint32_t code;
    std::string bytes;
};

bool decodeName(const std::string& name, std::vector<Character>& characters)
{
    size_t i = 0;
    while (i < name.size()) {
        const unsigned char lead = static_cast<unsigned char>(name[i]);
        size_t count = 0;
        uint32_t code = 0;
        uint32_t least = 0;
        if (lead < 0x80) {
            count = 0, code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            count = 1, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            count = 2, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            count = 3, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + count >= name.size())
            return false;  // cut short
        for (size_t k = 1; k <= count; ++k) {
            const unsigned char next = static_cast<unsigned char>(name[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        if (count > 0 && code < least)
            return false;
        characters.push_back({code, name.substr(i, count + 1)});
        i += count + 1;
    }
    return true;
}

std::string encoded(uint32_t code)
{
    if (code < 0x80)
        return std::string(1, static_cast<char>(code));
    if (code < 0x800)
        return {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
    return {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | (code >> 6 & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

uint32_t sambaLower(uint32_t code)
{
    if (code >= 'A' && code <= 'Z')
        return code + 32;
    for (size_t i = 0; i < velmora::samba::kLowerCaseCount; ++i)
        if (velmora::samba::kLowerCase[i].upper == code)
            return velmora::samba::kLowerCase[i].lower;
    return code;
}

// The key under which Samba tells sections apart: the name lowered through
// UTF-16 and back. A name it cannot decode, or cannot encode again once
// lowering changed something after its first character beyond ASCII, fails
// that, and all such names share one key.
std::string sectionKey(const std::string& name)
{
    const std::string failed = "\xff";
    std::vector<Character> characters;
    if (!decodeName(name, characters))
        return failed;
    std::string key;
    bool seenBeyondAscii = false, changedAfter = false, unencodable = false;
    for (const Character& character : characters) {
        seenBeyondAscii = seenBeyondAscii || character.code >= 0x80;
        unencodable = unencodable || (character.code >= 0xD800 && character.code <= 0xDFFF) || character.code > 0x10FFFF;
        const uint32_t lower = sambaLower(character.code);
        changedAfter = changedAfter || (seenBeyondAscii && lower != character.code);
        key += lower == character.code ? character.bytes : encoded(lower);
    }
    return unencodable && changedAfter ? failed : key;
}

// The key under which shares are told apart.
std::string shareKey(const std::string& name)
{
    const std::string lower = sectionKey(name);
    return lower == "global" || lower == "globals" ? "global" : lower;
}

// The index of the share a header (or, without one, the settings before
// the first header) belongs to, added when new.
size_t shareFor(std::vector<SambaShare>& shares, const std::string& name, bool header)
{
    const std::string key = header ? shareKey(name) : "global";
    for (size_t s = 0; s < shares.size(); ++s) {
        if ((shares[s].global ? std::string("global") : shareKey(shares[s].name)) == key)
            return s;
    }
    SambaShare& share = shares.emplace_back();
    share.name = header ? name : "global";
    share.global = key == "global";
    return shares.size() - 1;
}

}  // namespace

bool IsSambaBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string SambaTrimmed(std::string_view text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsSambaBlank(text[first]))
        ++first;
    while (last > first && IsSambaBlank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

std::vector<LogicalLine> LogicalLines(std::string_view bytes)
{
    const std::vector<std::string> lines = SplitLines(bytes);
    const bool lineFeedAtEnd = !bytes.empty() && bytes.back() == '\n';
    std::vector<LogicalLine> logical;
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t first = i;
        std::string text = lines[i];
        const std::string trimmed = SambaTrimmed(text);
        if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == ';')
            continue;
        // Blanks squeezed; joins while the line read so far ends in "\"
        // (and at most one blank, once squeezed) and a line feed follows it.
        text.clear();
        appendSqueezed(text, withoutLeadingBlanks(lines[i]));
        while (lastNonBlank(text) == '\\' && (i + 1 < lines.size() || lineFeedAtEnd)) {
            if (IsSambaBlank(text.back()))
                text.pop_back();
            text.pop_back();
            if (++i == lines.size())
                break;
            appendSqueezed(text, lines[i]);
        }
        i = std::min(i, lines.size() - 1);
        logical.push_back({first, i, text});
    }
    return logical;
}

std::vector<SambaShare> ReadAsSamba(std::string_view bytes)
{
    const size_t lineCount = SplitLines(bytes).size();
    std::vector<SambaShare> shares;
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t open = kNone;  // the share of the section being read
    for (const LogicalLine& line : LogicalLines(bytes)) {
        const std::string trimmed = SambaTrimmed(line.text);
        if (!trimmed.empty() && trimmed[0] == '[') {
            const size_t close = trimmed.find(']');
            const std::string name = CName(
                close == std::string::npos ? SambaTrimmed(trimmed.substr(1)) : trimmed.substr(1, close - 1));
            if (open != kNone)
                shares[open].sections.back().last = line.first - 1;
            open = shareFor(shares, name, true);
            shares[open].sections.push_back({true, line.first, lineCount - 1, name});
            continue;
        }
        const size_t eq = line.text.find('=');
        if (eq == std::string::npos)
            continue;
        if (open == kNone) {
            open = shareFor(shares, "", false);
            shares[open].sections.push_back({false, 0, lineCount - 1, ""});
        }
        shares[open].settings.push_back(
            {line.first, line.last, SambaTrimmed(line.text.substr(0, eq)), SambaTrimmed(line.text.substr(eq + 1))});
    }
    return shares;
}

const SambaShare* FindShare(const std::vector<SambaShare>& shares, const std::string& name)
{
    const std::string key = shareKey(CName(name));
    for (const SambaShare& share : shares) {
        if ((share.global ? std::string("global") : shareKey(share.name)) == key)
            return &share;
    }
    return nullptr;
}

Identity Identify(const std::string& key)
{
    Identity id;
    for (char c : key) {
        if (!IsSambaBlank(c))
            id.name += lowerAscii(c);
    }
    for (size_t i = 0; i < velmora::samba::kSynonymCount; ++i) {
        const velmora::samba::Synonym& synonym = velmora::samba::kSynonyms[i];
        if (id.name == synonym.name)
            return {std::string(synonym.parameter), synonym.inverted};
    }
    return id;
}

bool IsBooleanParameter(const std::string& folded)
{
    for (size_t i = 0; i < velmora::samba::kBooleanCount; ++i) {
        if (folded == velmora::samba::kBooleans[i])
            return true;
    }
    return false;
}

std::optional<bool> ParseBoolean(const std::string& value)
{
    const std::string lower = lowered(value);
    if (lower == "yes" || lower == "true" || lower == "on" || lower == "1")
        return true;
    if (lower == "no" || lower == "false" || lower == "off" || lower == "0")
        return false;
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> Values(const SambaShare& share)
{
    std::map<std::string, std::string> values;
    for (const Setting& setting : share.settings) {
        const Identity id = Identify(setting.key);
        if (!IsBooleanParameter(id.name)) {
            values[id.name] = (id.inverted ? "!" : "") + setting.value;
        } else if (const std::optional<bool> meaning = ParseBoolean(setting.value)) {
            values[id.name] = *meaning != id.inverted ? "yes" : "no";
        }
    }
    return {values.begin(), values.end()};
}

namespace {

// A parameter line of a share as the file orders them.
struct Event {
    size_t line;
    size_t share;
    const Setting* setting;
};

std::vector<Event> eventsInFileOrder(const std::vector<SambaShare>& shares)
{
    std::vector<Event> events;
    for (size_t s = 0; s < shares.size(); ++s)
        for (const Setting& setting : shares[s].settings)
            events.push_back({setting.first, s, &setting});
    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.line < b.line; });
    return events;
}

// The share a copy on line names, when the copy holds.
std::optional<size_t> copySource(const std::vector<SambaShare>& shares, size_t into, const Setting& copy)
{
    const SambaShare* source = FindShare(shares, copy.value);
    if (source == nullptr || source->global || source == &shares[into])
        return std::nullopt;
    const SectionLines& first = source->sections.front();
    if (!first.headed || first.header >= copy.first)
        return std::nullopt;
    return static_cast<size_t>(source - shares.data());
}

}  // namespace

std::vector<std::map<std::string, std::string>> AppliedValues(const std::vector<SambaShare>& shares)
{
    std::vector<std::map<std::string, std::string>> values(shares.size());
    std::vector<std::set<std::string>> own(shares.size());  // set by the share's own lines
    for (const Event& event : eventsInFileOrder(shares)) {
        SambaShare one;
        one.settings.push_back(*event.setting);
        std::map<std::string, std::string>& mine = values[event.share];
        for (const auto& [name, value] : Values(one)) {
            mine[name] = value;
            own[event.share].insert(name);
        }
        if (shares[event.share].global || Identify(event.setting->key).name != "copy")
            continue;
        const std::optional<size_t> source = copySource(shares, event.share, *event.setting);
        if (!source)
            continue;
        for (auto it = mine.begin(); it != mine.end();)
            it = own[event.share].count(it->first) != 0 ? std::next(it) : mine.erase(it);
        for (const auto& [name, value] : values[*source])
            if (own[event.share].count(name) == 0)
                mine[name] = value;
    }
    return values;
}

std::optional<std::string> ValueIn(const std::map<std::string, std::string>& values, const std::string& key)
{
    const auto found = values.find(Identify(key).name);
    return found != values.end() ? std::optional<std::string>(found->second) : std::nullopt;
}

bool Copies(const SambaShare& share)
{
    for (const Setting& setting : share.settings)
        if (Identify(setting.key).name == "copy")
            return true;
    return false;
}

std::optional<std::string> ValueOf(const SambaShare& share, const std::string& key)
{
    const std::string name = Identify(key).name;
    for (const auto& [parameter, value] : Values(share)) {
        if (parameter == name)
            return value;
    }
    return std::nullopt;
}

}  // namespace fuzzref
