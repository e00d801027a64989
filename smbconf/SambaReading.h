#ifndef VELMORA_SMBCONF_SAMBAREADING_H
#define VELMORA_SMBCONF_SAMBAREADING_H

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "smbconf/SambaDialect.h"

// smb.conf as Samba reads it (the rules are in SambaDialect.h): lines
// joined where they continue, comments dropped, and the sections merged into
// shares. Positions are indices of the file's lines (counted from 0), so
// that an edit knows which lines to replace or drop.
namespace velmora::samba {

constexpr uint32_t kNoIndex = static_cast<uint32_t>(-1);

// One parameter as Samba reads it, from the file's lines first to last
// (more than one when it continues). text is the file's line itself when it
// does not continue, else the lines joined as Samba joins them (blanks
// squeezed). Samba also reads every run of blanks inside a line as its first
// blank: SambaValue and SambaText apply that to a value or a line taken
// out (Samba's value of 'comment = a    b' is 'a b'); names compare
// without blanks anyway. The views live as long as the reading and the
// lines it was built from.
struct Parameter {
    int32_t first = 0;
    int32_t last = 0;
    std::string_view text;
    uint32_t keyAt = 0, keyLength = 0, valueAt = 0, valueLength = 0;

    std::string_view key() const { return text.substr(keyAt, keyLength); }      // trimmed, as written
    std::string_view value() const { return text.substr(valueAt, valueLength); }  // trimmed
};

// The lines of one section of a share: its header's first line to the line
// before the next header (or the file's last line). The global share also
// has the lines before the first header, which have no header (header -1).
struct SectionRange {
    int32_t header = -1;
    int32_t first = 0;
    int32_t last = 0;
    std::string_view name;  // as this header names it; empty without one
    uint32_t next = kNoIndex;  // the share's next section
};

// One share as Samba sees it: every section whose name is the same for
// Samba (SameSection), named as the first of them names it. Its sections
// and parameters are listed by Reading::Sections and Reading::Parameters.
struct Share {
    std::string_view name;
    bool global = false;
    uint32_t firstSection = kNoIndex, lastSection = kNoIndex;
};

// The items of one share, in file order: a range over a list linked by
// index (every share's items lie in one array, which spares a list per
// share on files of many thousand shares).
template <typename Item>
class Linked {
public:
    class iterator {
    public:
        iterator(const std::vector<Item>* items, uint32_t at) : items_(items), at_(at) {}
        const Item& operator*() const { return (*items_)[at_]; }
        const Item* operator->() const { return &(*items_)[at_]; }
        iterator& operator++()
        {
            at_ = (*items_)[at_].next;
            return *this;
        }
        bool operator!=(const iterator& other) const { return at_ != other.at_; }

    private:
        const std::vector<Item>* items_;
        uint32_t at_;
    };
    Linked(const std::vector<Item>& items, uint32_t first) : items_(&items), first_(first) {}
    iterator begin() const { return iterator(items_, first_); }
    iterator end() const { return iterator(items_, kNoIndex); }
    bool empty() const { return first_ == kNoIndex; }

private:
    const std::vector<Item>* items_;
    uint32_t first_;
};

// The parameters of one share, in file order: a run of the reading's
// parameters.
class ParameterList {
public:
    ParameterList(const Parameter* first, const Parameter* end) : first_(first), end_(end) {}
    const Parameter* begin() const { return first_; }
    const Parameter* end() const { return end_; }
    bool empty() const { return first_ == end_; }

private:
    const Parameter* first_;
    const Parameter* end_;
};

class Reading {
public:
    Reading() = default;
    // A reading points into the bytes and line ends it was built from, and
    // into its own joined texts: it is built afresh, never copied.
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    // Reads the file's bytes, cut into lines at lineEnds (where each line's
    // line feed stands, or the end for a last line without one).
    // endsWithLineFeed: whether a line feed follows the last line (a "\"
    // there only continues when one does). Replaces any earlier reading.
    // Both bytes and lineEnds must outlive the reading: its views point
    // into them, and a share's parameters are read from them when first
    // asked for.
    // shaping, when given, lists (in order) at least every line for which
    // MayShapeSections holds: once a section is open, Build looks at no
    // other line.
    void Build(std::string_view bytes, const std::vector<size_t>& lineEnds, bool endsWithLineFeed,
               const std::vector<int32_t>* shaping = nullptr);

    // Every share, global included, in the order of its first header (the
    // global share first when lines before the first header set anything).
    const std::vector<Share>& Shares() const { return shares_; }

    // The share that Samba takes name for, or nullptr.
    const Share* Find(std::string_view name) const;

    Linked<SectionRange> Sections(const Share& share) const { return {sections_, share.firstSection}; }

    // The share's parameters, across its sections. Build finds only where
    // the shares and sections lie; each share's parameters are read the
    // first time they are asked for (an edit needs those of one share).
    // A parameter, once read, stays where it is while the reading lives.
    // share must be one of Shares(). Reading a share's parameters changes
    // the reading's insides: one thread at a time, as for any other use of
    // a SambaConfFile.
    ParameterList Parameters(const Share& share) const;

    // Reads the parameters of every share now, in one run over the file: a
    // caller about to walk them all saves going back to each share's lines
    // once they have left the cache.
    void ReadAllParameters() const;

    // True when a header of the share is exactly name (case counts).
    bool NamedExactly(const Share& share, std::string_view name) const;

    // How many empty lines Samba would join into the file's last line if
    // lines followed it: EmptyLinesToEnd (SambaDialect.h) of all the text
    // Samba has joined into that line, not of the last line alone. An edit
    // that puts a line of its own after the last puts that many between.
    int EmptyLinesAtEnd() const;

    // True when line i is read as part of a line above it (it continues
    // that line).
    bool JoinedToAbove(int32_t i) const { return i >= 0 && static_cast<size_t>(i) < joinedToAbove_.size() && joinedToAbove_[static_cast<size_t>(i)]; }

private:
    // A line Samba reads otherwise than it stands: continued over the
    // lines first to last, or a header with runs of blanks; its text is
    // joined_[text]. atEnd: it still went on at the end of the file, whose
    // line feed ended it (the text has lost its last "\").
    struct Joined {
        int32_t first, last;
        size_t text;
        bool atEnd;
    };
    // Where a share's parameters lie in parameters_, once read.
    struct Span {
        size_t first = 0, end = 0;
        bool read = false;
    };

    std::string_view lineAt(int32_t i) const;
    size_t join(int32_t& i, bool goesOn);
    void readParameters(size_t share) const;
    // The index of the share that name (or, headerless, the lines before
    // the first header) belongs to, added when new.
    size_t shareNamed(std::string_view name, bool headerless);
    size_t slotOf(std::string_view name) const;
    void growNames();
    void addSection(size_t share, SectionRange section);

    std::string_view bytes_;
    const std::vector<size_t>* lineEnds_ = nullptr;
    bool endsWithLineFeed_ = false;
    std::vector<Share> shares_;
    std::vector<SectionRange> sections_;
    std::vector<uint32_t> byName_;  // share indices by name (SameSection)
    std::deque<std::string> joined_;
    std::vector<Joined> joins_;  // in line order
    std::vector<bool> joinedToAbove_;
    // Reserved for a parameter on every line when the first share's are
    // read, so that it never moves what it holds.
    mutable std::vector<Parameter> parameters_;
    mutable std::vector<Span> spans_;  // one per share
};

// Whether a line may be a section's header or go on with the next line:
// among the lines after a header, the only ones that shape the sections.
// A cutter that passes over every line anyway lists them for Build.
inline bool MayShapeSections(std::string_view line)
{
    const std::string_view text = Trim(line);
    return !text.empty() && (text.front() == '[' || text.back() == '\\');
}

// Where each line of bytes ends: at its line feed, or at the end for a last
// line without one. Text after the last line feed is a line only when not
// empty: "a\nb" and "a\nb\n" both have two lines.
std::vector<size_t> LineEnds(std::string_view bytes);

// The value and the line as Samba reads them: runs of blanks squeezed.
std::string SambaValue(const Parameter& parameter);
std::string SambaText(const Parameter& parameter);

// Samba's "copy = name": from that line on, every parameter that the
// share's own lines do not set has the value the share named had at that
// line (its default included), so the last copy wins and the share's own
// settings win over any copy. A copy counts only when the share named (as
// Samba finds it) is another share, not global, whose first header stands
// above the line; otherwise Samba refuses the whole file, and Velmora
// passes the line over.
//
// One step of the copies behind a share: the parameters of share that
// stand on lines before `before` apply.
struct CopyStep {
    const Share* share;
    int32_t before;
};

// The share itself (no line limit), then the share its last copy names (up
// to that line), then the share that one's last copy above that line
// names, and so on. Empty when the share copies nothing.
std::vector<CopyStep> CopyChain(const Reading& reading, const Share& share);

// Visits what Samba applies to share in an order where a later parameter
// wins over an earlier one of the same name: what its copies bring, the
// deepest first, then the share's own parameters.
template <typename Visit>
void ForEachApplied(const Reading& reading, const Share& share, Visit&& visit)
{
    const std::vector<CopyStep> chain = CopyChain(reading, share);
    if (chain.empty()) {
        for (const Parameter& parameter : reading.Parameters(share))
            visit(parameter);
        return;
    }
    for (auto step = chain.rbegin(); step != chain.rend(); ++step)
        for (const Parameter& parameter : reading.Parameters(*step->share))
            if (parameter.first < step->before)
                visit(parameter);
}

// The value Samba reads last in share for a parameter named key (by
// Samba's identity), the share's copies included, or nullptr when nothing
// sets it. For a boolean parameter, only values that are booleans count.
const Parameter* LastSetting(const Reading& reading, const Share& share, std::string_view key);

}  // namespace velmora::samba

#endif
