#ifndef VELMORA_SMBCONF_SAMBAREADING_H
#define VELMORA_SMBCONF_SAMBAREADING_H

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

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
    uint32_t next = kNoIndex;  // the share's next parameter

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
    uint32_t firstParameter = kNoIndex, lastParameter = kNoIndex;
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

class Reading {
public:
    // Reads the file's bytes, cut into lines at lineEnds (where each line's
    // line feed stands, or the end for a last line without one).
    // endsWithLineFeed: whether a line feed follows the last line (a "\"
    // there only continues when one does). Replaces any earlier reading;
    // its views point into bytes, which must outlive it.
    void Build(std::string_view bytes, const std::vector<size_t>& lineEnds, bool endsWithLineFeed);

    // Every share, global included, in the order of its first header (the
    // global share first when lines before the first header set anything).
    const std::vector<Share>& Shares() const { return shares_; }

    // The share that Samba takes name for, or nullptr.
    const Share* Find(std::string_view name) const;

    Linked<SectionRange> Sections(const Share& share) const { return {sections_, share.firstSection}; }
    Linked<Parameter> Parameters(const Share& share) const { return {parameters_, share.firstParameter}; }

    // True when a header of the share is exactly name (case counts).
    bool NamedExactly(const Share& share, std::string_view name) const;

    // True when line i is read as part of a line above it (it continues
    // that line).
    bool JoinedToAbove(int32_t i) const { return i >= 0 && static_cast<size_t>(i) < joinedToAbove_.size() && joinedToAbove_[static_cast<size_t>(i)]; }

private:
    // The index of the share that name (or, headerless, the lines before
    // the first header) belongs to, added when new.
    size_t shareNamed(std::string_view name, bool headerless);
    size_t slotOf(std::string_view name) const;
    void growNames();
    void addSection(size_t share, SectionRange section);
    void addParameter(size_t share, Parameter parameter);

    std::vector<Share> shares_;
    std::vector<SectionRange> sections_;
    std::vector<Parameter> parameters_;
    std::vector<uint32_t> byName_;  // share indices by name (SameSection)
    std::deque<std::string> joined_;  // the texts of lines that continue
    std::vector<bool> joinedToAbove_;
};

// The value and the line as Samba reads them: runs of blanks squeezed.
std::string SambaValue(const Parameter& parameter);
std::string SambaText(const Parameter& parameter);

// The value Samba reads last in share for a parameter named key (by
// Samba's identity), or nullptr when none of its lines sets it. For a
// boolean parameter, only values that are booleans count.
const Parameter* LastSetting(const Reading& reading, const Share& share, std::string_view key);

}  // namespace velmora::samba

#endif
