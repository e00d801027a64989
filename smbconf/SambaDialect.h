#ifndef VELMORA_SMBCONF_SAMBADIALECT_H
#define VELMORA_SMBCONF_SAMBADIALECT_H

#include <optional>
#include <string>
#include <string_view>

// What Velmora knows of how Samba itself reads smb.conf, in one place: the
// readers (which shares there are, what their parameters say) and the edits
// (which lines set a parameter, what a new line must not be) all ask here.
//
// Samba's rules, line by line:
// - '#' or ';' as the first byte that is not blank makes a comment line;
//   a comment never continues.
// - Within a line, every run of blanks is read as its first blank alone
//   ('a    b' reads 'a b', 'a<TAB><TAB>b' reads 'a<TAB>b').
// - Any other line whose last byte that is not blank is "\" continues on the
//   next line: the "\" and the blank after it go, and the next line follows,
//   its leading blanks squeezed into the blank before them as above
//   ('comment = a \' + '   b' reads 'a b', 'a\' + 'b' reads 'ab'). Whether
//   the joined line goes on is judged on the text read so far: 'x\\' and
//   an empty line still end in "\". A "\" on the file's last line, with
//   no line feed after it, stays. What a line joins is judged by where the
//   joined text starts: '\' + '[x]' is a header, '\' + '# x = y' sets
//   '# x' (a comment is known by the line's own first byte only).
// - A line whose first byte that is not blank is "[" is a section header;
//   the name is the text up to the first "]", blanks kept ('[data] ; x' is
//   data, '[x]y]' is x), and up to a NUL byte, as a C string carries it.
// - Anything else with an "=" is a parameter: its name is the trimmed text
//   before the first "=", its value the trimmed text after it.
namespace velmora::samba {

// Samba's blank: the space and \t \n \v \f \r. (Inline: every byte of a
// parse passes here.)
inline bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline std::string_view Trim(std::string_view text)
{
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool IsComment(std::string_view line);

// True when the line's last byte that is not blank is "\": a line that is
// not a comment, or that continues another, then goes on with the next one.
bool Continues(std::string_view line);

// Appends text to out as Samba reads it: each blank that follows a blank
// (in out or in text) is dropped.
void AppendSqueezed(std::string& out, std::string_view text);

// True when text holds a blank after a blank: Samba reads it otherwise.
bool HasBlankRun(std::string_view text);

// Drops what continues a squeezed line: a final "\", or "\" and one blank.
void DropContinuation(std::string& squeezed);

// How many empty lines after line Samba would join into it: each join drops
// one final "\", and the joined text goes on while it still ends in one
// ('x \' takes 1, 'x\\' takes 2). An edit that puts a line of its own
// after such a last line puts that many empty lines between.
int EmptyLinesToEnd(std::string_view line);

// For a line (not a comment) whose first byte that is not blank is "[":
// the section name. Without a "]", Samba refuses the file; the name is then
// the rest of the line, trimmed.
bool IsHeader(std::string_view line);
std::string_view SectionName(std::string_view header);

// ASCII letters lowered; every other byte as it is.
inline char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Section names that Samba takes for the same section: those it files
// under the same key (SectionKey), and 'global' and 'globals' (in any case)
// are both the global section.
bool IsGlobalSection(std::string_view name);
bool SameSection(std::string_view a, std::string_view b);

// The key Samba files a section name under: the name lowered as Samba
// lowers it, through UTF-16 and back. ASCII letters and the letters beyond
// ASCII that Samba lowers (SambaParameters.h) are lowered ('Bücher' is
// 'BÜCHER'). Where that conversion fails, Samba files the name under one
// key for all such names, so that to Samba they are all one section: a name
// it cannot decode as UTF-8 (a Latin-1 'B\xfccher', say), and a name it
// decodes but cannot encode again (a surrogate) once lowering changed
// something after its first byte beyond ASCII.
std::string SectionKey(std::string_view name);

// A parameter as Samba identifies it: its name folded (lower case, blanks
// removed) and synonyms resolved to the parameter they name. inverted: a
// true value under the name given means false for the parameter
// ('writeable' for 'read only').
struct ParameterId {
    std::string name;
    bool inverted = false;
    bool operator==(const ParameterId& other) const { return name == other.name; }
};
ParameterId Identify(std::string_view key);

// Whether key names the parameter folded names (lower case, no blanks, no
// synonym), without building its identity: a cheap test on every line.
bool NamesParameter(std::string_view key, std::string_view folded);

bool IsBoolean(const ParameterId& id);

// yes/true/on/1 and no/false/off/0 in any case; anything else is none.
std::optional<bool> ParseBoolean(std::string_view value);

// The value a parameter has under the name given: for a boolean, its
// meaning with the synonym's inversion applied (std::nullopt when it is
// not a boolean at all).
std::optional<bool> BooleanValue(const ParameterId& id, std::string_view value);

// Whether two settings of one parameter give Samba the same value: for a
// boolean the meaning (inversions applied), otherwise byte for byte once
// squeezed as Samba reads them.
bool SameSetting(const ParameterId& a, std::string_view valueA, const ParameterId& b,
                 std::string_view valueB);

}  // namespace velmora::samba

#endif
