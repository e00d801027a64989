#include "smbconf/SambaReading.h"

#include <algorithm>

#include "smbconf/SambaDialect.h"

namespace velmora::samba {
namespace {

std::string_view skipLeadingBlanks(std::string_view line)
{
    size_t first = 0;
    while (first < line.size() && IsBlank(line[first]))
        ++first;
    return line.substr(first);
}

// FNV-1a of bytes, each lowered first when lower is set.
size_t fnv1a(std::string_view bytes, bool lower)
{
    size_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(lower ? LowerAscii(c) : c);
        hash *= 1099511628211ull;
    }
    return hash;
}

// A hash of a section name that agrees with SameSection: names it finds
// equal hash alike (both names of the global section hash as "global"). An
// ASCII name is hashed lowered as it stands; SectionKey, which allocates,
// is for the rare name beyond ASCII.
size_t nameHash(std::string_view name)
{
    if ((name.size() == 6 || name.size() == 7) && IsGlobalSection(name))
        name = "global";
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 0x80)
            return fnv1a(SectionKey(name), false);
    return fnv1a(name, true);
}

// Links item, about to be stored at index at, behind the list last ends.
template <typename Item>
void link(std::vector<Item>& items, uint32_t& first, uint32_t& last, Item&& item)
{
    const auto at = static_cast<uint32_t>(items.size());
    items.push_back(std::move(item));
    if (last != kNoIndex)
        items[last].next = at;
    else
        first = at;
    last = at;
}

}  // namespace

// The slot of byName_ that holds the share Samba takes name for, or the
// empty slot where it would go.
size_t Reading::slotOf(std::string_view name) const
{
    const size_t mask = byName_.size() - 1;
    size_t slot = nameHash(name) & mask;
    while (byName_[slot] != kNoIndex && !SameSection(shares_[byName_[slot]].name, name))
        slot = (slot + 1) & mask;
    return slot;
}

// An open-addressing table of share indices, kept at most half full, so
// that a file of many thousand shares costs no allocation per share.
void Reading::growNames()
{
    std::vector<uint32_t> old(std::max<size_t>(16, byName_.size() * 2), kNoIndex);
    old.swap(byName_);
    for (const uint32_t index : old)
        if (index != kNoIndex)
            byName_[slotOf(shares_[index].name)] = index;
}

size_t Reading::shareNamed(std::string_view name, bool headerless)
{
    if (headerless)
        name = "global";
    if (2 * (shares_.size() + 1) > byName_.size())
        growNames();
    const size_t slot = slotOf(name);
    if (byName_[slot] == kNoIndex) {
        byName_[slot] = static_cast<uint32_t>(shares_.size());
        Share& share = shares_.emplace_back();
        share.name = name;
        share.global = IsGlobalSection(name);
    }
    return byName_[slot];
}

void Reading::addSection(size_t share, SectionRange section)
{
    link(sections_, shares_[share].firstSection, shares_[share].lastSection, std::move(section));
}

std::string_view Reading::lineAt(int32_t i) const
{
    const size_t k = static_cast<size_t>(i);
    const size_t start = k == 0 ? 0 : (*lineEnds_)[k - 1] + 1;
    return bytes_.substr(start, (*lineEnds_)[k] - start);
}

// Samba's own reading of the line at i, which goes on (goesOn) or is a
// header with runs of blanks: blanks squeezed, continued lines joined.
// Leaves i at the last line read; the index of the text in joined_.
size_t Reading::join(int32_t& i, bool goesOn)
{
    const auto count = static_cast<int32_t>(lineEnds_->size());
    const int32_t first = i;
    const std::string_view line = lineAt(i);
    const std::string_view content = skipLeadingBlanks(line);
    std::string& text = joined_.emplace_back(line.substr(0, line.size() - content.size()));
    AppendSqueezed(text, content);
    // What goes on is the text read so far: 'x\\' joined with an empty
    // line still ends in "\". A "\" continues only where a line feed
    // follows it.
    for (bool more = goesOn; more && ++i < count;) {
        joinedToAbove_[static_cast<size_t>(i)] = true;
        DropContinuation(text);
        AppendSqueezed(text, lineAt(i));
        more = Continues(text) && (i + 1 < count || endsWithLineFeed_);
    }
    const bool atEnd = i == count;
    if (atEnd) {
        DropContinuation(text);  // a "\" and line feed end the file
        i = count - 1;
    }
    joins_.push_back({first, i, joined_.size() - 1, atEnd});
    return joined_.size() - 1;
}

// Finds the shares and their sections. Only the lines before the first
// header are looked at more closely: Samba's global share is there only
// when one of them sets something.
void Reading::Build(std::string_view bytes, const std::vector<size_t>& lineEnds, bool endsWithLineFeed,
                    const std::vector<int32_t>* shaping)
{
    bytes_ = bytes;
    lineEnds_ = &lineEnds;
    endsWithLineFeed_ = endsWithLineFeed;
    const auto count = static_cast<int32_t>(lineEnds.size());
    shares_.clear();
    sections_.clear();
    // Sized for a share every eight lines, kept at most half full: a file of
    // many thousand shares is read without growing it.
    size_t slots = 16;
    while (slots < static_cast<size_t>(lineEnds.size()) / 4)
        slots *= 2;
    byName_.assign(slots, kNoIndex);
    shares_.reserve(slots / 2);
    sections_.reserve(slots / 2);
    joined_.clear();
    joins_.clear();
    joinedToAbove_.assign(static_cast<size_t>(count), false);
    parameters_.clear();
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t open = kNone;  // the share of the section being read
    size_t next = 0;  // into shaping
    for (int32_t i = 0; i < count; ++i) {
        if (shaping != nullptr && open != kNone) {
            while (next < shaping->size() && (*shaping)[next] < i)
                ++next;
            if (next == shaping->size())
                break;
            i = (*shaping)[next];
        }
        const std::string_view trimmed = Trim(lineAt(i));
        if (trimmed.empty() || trimmed.front() == '#' || trimmed.front() == ';')
            continue;  // blank, or a comment, which never continues
        const int32_t first = i;
        std::string_view logical = trimmed;  // the text Samba reads, trimmed
        std::string_view name = trimmed.front() == '[' ? SectionName(trimmed) : std::string_view();
        const bool goesOn = trimmed.back() == '\\' && (i + 1 < count || endsWithLineFeed);
        if (goesOn || HasBlankRun(name)) {
            logical = Trim(joined_[join(i, goesOn)]);  // may be empty: '\' and an empty line
            name = !logical.empty() && logical.front() == '[' ? SectionName(logical) : std::string_view();
        }
        if (!logical.empty() && logical.front() == '[') {
            if (open != kNone)
                sections_[shares_[open].lastSection].last = first - 1;
            open = shareNamed(name, false);
            addSection(open, {first, first, count - 1, name});
        } else if (open == kNone && logical.find('=') != std::string_view::npos) {
            // Before the first header: Samba's global section.
            open = shareNamed({}, true);
            addSection(open, {-1, 0, count - 1, {}});
        }
    }
    spans_.assign(shares_.size(), Span());
}

ParameterList Reading::Parameters(const Share& share) const
{
    const auto index = static_cast<size_t>(&share - shares_.data());
    if (!spans_[index].read)
        readParameters(index);
    // The list never grows past what it reserved: the pointers stay good.
    return {parameters_.data() + spans_[index].first, parameters_.data() + spans_[index].end};
}

void Reading::ReadAllParameters() const
{
    for (size_t share = 0; share < shares_.size(); ++share)
        if (!spans_[share].read)
            readParameters(share);
}

// Reads the parameters of every section of the share, line by line as
// Build read them: a line Samba joined is taken as joined.
void Reading::readParameters(size_t share) const
{
    if (parameters_.capacity() < lineEnds_->size())
        parameters_.reserve(lineEnds_->size());  // at most one a line
    Span& span = spans_[share];
    span.first = parameters_.size();
    for (const SectionRange& section : Sections(shares_[share])) {
        auto joined = std::lower_bound(joins_.begin(), joins_.end(), section.first,
                                       [](const Joined& j, int32_t line) { return j.first < line; });
        for (int32_t i = section.first; i <= section.last; ++i) {
            Parameter read;
            read.first = i;
            read.text = lineAt(i);
            std::string_view logical = Trim(read.text);
            if (joined != joins_.end() && joined->first == i) {
                // What a line joins onto its "\" is read on, whatever it
                // starts with: '\' + '# x = y' sets "# x".
                read.text = joined_[joined->text];
                logical = Trim(read.text);
                i = joined->last;
                ++joined;
            } else if (!logical.empty() && (logical.front() == '#' || logical.front() == ';')) {
                continue;  // a comment
            }
            read.last = i;
            if (logical.empty() || logical.front() == '[')
                continue;  // blank, or the section's header
            const size_t eq = logical.find('=');
            if (eq == std::string_view::npos)
                continue;  // Samba ignores a line without "="
            const std::string_view key = Trim(logical.substr(0, eq));
            const std::string_view value = Trim(logical.substr(eq + 1));
            read.keyAt = static_cast<uint32_t>(key.data() - read.text.data());
            read.keyLength = static_cast<uint32_t>(key.size());
            read.valueAt = static_cast<uint32_t>(value.data() - read.text.data());
            read.valueLength = static_cast<uint32_t>(value.size());
            parameters_.push_back(read);
        }
    }
    span.end = parameters_.size();
    span.read = true;
}

int Reading::EmptyLinesAtEnd() const
{
    if (lineEnds_ == nullptr || lineEnds_->empty())
        return 0;
    const auto last = static_cast<int32_t>(lineEnds_->size()) - 1;
    if (!joins_.empty() && joins_.back().last == last) {
        // A line that ran into the end went on: one "\" more than its text.
        const Joined& joined = joins_.back();
        return EmptyLinesToEnd(joined_[joined.text]) + (joined.atEnd ? 1 : 0);
    }
    return EmptyLinesToEnd(lineAt(last));
}

std::vector<size_t> LineEnds(std::string_view bytes)
{
    std::vector<size_t> ends;
    for (size_t start = 0; start < bytes.size();) {
        const size_t stop = std::min(bytes.find('\n', start), bytes.size());
        ends.push_back(stop);
        start = stop + 1;
    }
    return ends;
}

const Share* Reading::Find(std::string_view name) const
{
    if (byName_.empty())
        return nullptr;
    const uint32_t index = byName_[slotOf(name)];
    return index == kNoIndex ? nullptr : &shares_[index];
}

bool Reading::NamedExactly(const Share& share, std::string_view name) const
{
    for (const SectionRange& section : Sections(share))
        if (section.header >= 0 && section.name == name)
            return true;
    return false;
}

std::string SambaValue(const Parameter& parameter)
{
    std::string value;
    AppendSqueezed(value, parameter.value());
    return value;
}

std::string SambaText(const Parameter& parameter)
{
    const std::string_view content = skipLeadingBlanks(parameter.text);
    std::string text(parameter.text.substr(0, parameter.text.size() - content.size()));
    AppendSqueezed(text, content);
    return text;
}

namespace {

// The share a "copy" line names, when the copy counts (see CopyChain).
const Share* copySource(const Reading& reading, const Share& into, const Parameter& copy)
{
    // Samba reads the name as a C string: a NUL byte ends it.
    const std::string name = SambaValue(copy);
    const Share* source = reading.Find(name.c_str());
    if (source == nullptr || source == &into || source->global)
        return nullptr;
    const SectionRange& first = *reading.Sections(*source).begin();
    return first.header >= 0 && first.header < copy.first ? source : nullptr;
}

}  // namespace

std::vector<CopyStep> CopyChain(const Reading& reading, const Share& share)
{
    std::vector<CopyStep> chain;
    CopyStep step{&share, INT32_MAX};
    // Each step looks only above the copy line of the one before: the chain
    // ends.
    while (!step.share->global) {
        const Parameter* copy = nullptr;
        const Share* source = nullptr;
        for (const Parameter& parameter : reading.Parameters(*step.share)) {
            if (parameter.first >= step.before)
                break;
            if (!NamesParameter(parameter.key(), "copy"))
                continue;
            if (const Share* named = copySource(reading, *step.share, parameter)) {
                copy = &parameter;
                source = named;
            }
        }
        if (copy == nullptr)
            break;
        if (chain.empty())
            chain.push_back(step);
        step = CopyStep{source, copy->first};
        chain.push_back(step);
    }
    return chain;
}

const Parameter* LastSetting(const Reading& reading, const Share& share, std::string_view key)
{
    const ParameterId wanted = Identify(key);
    const bool boolean = IsBoolean(wanted);
    const Parameter* found = nullptr;
    ForEachApplied(reading, share, [&](const Parameter& parameter) {
        const ParameterId id = Identify(parameter.key());
        if (id == wanted && (!boolean || BooleanValue(id, parameter.value())))
            found = &parameter;
    });
    return found;
}

}  // namespace velmora::samba
