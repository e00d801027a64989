#include "fuzz/ReferenceConf.h"

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

}  // namespace fuzzref
