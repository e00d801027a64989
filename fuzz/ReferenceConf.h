#ifndef VELMORA_FUZZ_REFERENCECONF_H
#define VELMORA_FUZZ_REFERENCECONF_H

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A second, deliberately plain reading of smb.conf: the yardstick the fuzz
// targets and their corpus test hold the library against. It shares no code
// with smbconf/ (only Samba's own table of parameter names, which is data),
// so a fault in one shows as a difference. Two readings:
//
// The raw model's rules (Parse): lines are cut at each line feed, a trailing text without one is
// a last line, a final line feed adds none. A line is judged by its text
// without the bytes 0x01..0x20 at both ends: empty is blank, "#..." is a
// comment, "[..." is a header whose name drops the first and last character,
// anything else is a parameter line of the open section.
//
// Samba's rules (ReadAsSamba), with Samba's blanks (space, \t \n \v \f \r):
// a line whose first byte that is not blank is '#' or ';' is a comment and
// never continues; any other line whose last byte that is not blank is "\"
// goes on with the next line (the "\" and the blanks after it go, and so do
// the next line's leading blanks), unless it is the file's last line with no
// line feed after it; a line starting with "[" is a header naming the text up
// to the first "]" (blanks kept; without "]", the rest trimmed); any other
// line with "=" sets the trimmed name before it to the trimmed value after
// it. Sections named alike ignoring case are one share, named by its first
// header; 'global' and 'globals' are the global section, as are the
// settings before the first header.
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

// --- Samba's reading ---

// One parameter as Samba reads it: the file's lines first..last joined.
struct Setting {
    size_t first = 0;
    size_t last = 0;
    std::string key;    // trimmed, as written
    std::string value;  // trimmed
};

// The lines of one section: its header's to the line before the next
// header. The settings before the first header have none (headed false).
struct SectionLines {
    bool headed = true;
    size_t header = 0;
    size_t last = 0;
    std::string name;  // as its header names it
};

struct SambaShare {
    std::string name;  // as its first header names it ("global" without one)
    bool global = false;
    std::vector<SectionLines> sections;
    std::vector<Setting> settings;                     // across its sections, in file order
};

// A line as Samba reads it: the file's lines first..last joined. Blank
// lines and comments are left out.
struct LogicalLine {
    size_t first = 0;
    size_t last = 0;
    std::string text;
};
std::vector<LogicalLine> LogicalLines(std::string_view bytes);

// Every share, the global one included, in the order of first appearance.
std::vector<SambaShare> ReadAsSamba(std::string_view bytes);

bool IsSambaBlank(char c);
std::string SambaTrimmed(std::string_view text);

// The share Samba takes name for (a C string): the same ignoring case, or
// either name of the global section; nullptr if none.
const SambaShare* FindShare(const std::vector<SambaShare>& shares, const std::string& name);

// A parameter's name folded (lower case, blanks gone) and resolved through
// Samba's synonyms; inverted when a true value under that name means false.
struct Identity {
    std::string name;
    bool inverted = false;
};
Identity Identify(const std::string& key);
bool IsBooleanParameter(const std::string& folded);
std::optional<bool> ParseBoolean(const std::string& value);

// What Samba makes of a parameter in a share: the last setting wins; for a
// boolean, only settings that are booleans count, given as "yes" or "no"
// with the synonym's inversion applied. nullopt when nothing sets it.
std::optional<std::string> ValueOf(const SambaShare& share, const std::string& key);

// Every parameter the share sets with its value (ValueOf), by folded name.
std::vector<std::pair<std::string, std::string>> Values(const SambaShare& share);

// Every parameter Samba gives each share (as Values gives them), one map
// per share of shares, in their order, with Samba's "copy = name" played
// out line by line as Samba does: a copy in a share other than global,
// naming (as FindShare finds it) another share that is not global and
// whose first header stands above the line, replaces every value the
// share's own lines have not set with that share's values as they stand
// then; values set by the share's own lines stay, and later ones win.
std::vector<std::map<std::string, std::string>> AppliedValues(const std::vector<SambaShare>& shares);

// Whether the share has a line that sets "copy".
bool Copies(const SambaShare& share);

// The value of key in a map of AppliedValues, nullopt when unset.
std::optional<std::string> ValueIn(const std::map<std::string, std::string>& values, const std::string& key);

}  // namespace fuzzref

#endif
