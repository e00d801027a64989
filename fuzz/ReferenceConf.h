#ifndef VELMORA_FUZZ_REFERENCECONF_H
#define VELMORA_FUZZ_REFERENCECONF_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A second, deliberately plain reading of smb.conf's line rules: the
// yardstick the fuzz targets and their corpus test hold the library against.
// It shares no code with smbconf/, so a fault in one shows as a difference.
//
// The rules: lines are cut at each line feed, a trailing text without one is
// a last line, a final line feed adds none. A line is judged by its text
// without the bytes 0x01..0x20 at both ends: empty is blank, "#..." is a
// comment, "[..." is a header whose name drops the first and last character,
// anything else is a parameter line of the open section.
namespace fuzzref {

enum class LineKind { Blank, Comment, Header, Parameter };

struct Section {
    size_t start = 0;               // index of the header line
    size_t end = 0;                 // index of the last line, included
    std::string name;               // as cut from the header, NUL bytes and all
    std::vector<size_t> parameters; // indices of its parameter lines, in order
};

struct Conf {
    std::vector<std::string> lines;
    std::vector<Section> sections;
};

std::vector<std::string> SplitLines(std::string_view bytes);
std::string Trimmed(std::string_view text);
LineKind KindOf(std::string_view line);
Conf Parse(std::string_view bytes);

// Every line followed by a line feed: the file a rewrite of lines gives.
std::string Join(const std::vector<std::string>& lines);

// Key and value of a parameter line, split at its first "=" and trimmed;
// false when the line holds no "=".
bool SplitParameter(std::string_view line, std::string& key, std::string& value);

// A name as it crosses the C interface: cut at its first NUL byte.
std::string CName(const std::string& name);

// The first section whose name equals name ignoring the case of ASCII
// letters, both compared as C strings (the lookup by name); nullptr if none.
const Section* FindIgnoringCase(const Conf& conf, const std::string& name);

// True when a section's whole name equals name byte for byte (the exact
// existence test).
bool HasExactly(const Conf& conf, const std::string& name);

// The parameter lines of a section, as text.
std::vector<std::string> ParameterLines(const Conf& conf, const Section& section);

}  // namespace fuzzref

#endif
