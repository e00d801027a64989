#include "smbconf/SambaReading.h"

#include <algorithm>
#include <cctype>

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

// The key under which byName_ files a section name: lower case, and the
// global section's two names as one.
std::string nameKey(std::string_view name)
{
    if (IsGlobalSection(name))
        return "global";
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

// Links item, about to be stored at index at, behind the list last ends.
template <typename Item>
void link(std::vector<Item>& items, uint32_t& first, uint32_t& last, const Item& item)
{
    const auto at = static_cast<uint32_t>(items.size());
    items.push_back(item);
    if (last != kNoIndex)
        items[last].next = at;
    else
        first = at;
    last = at;
}

}  // namespace

size_t Reading::shareNamed(std::string_view name, bool headerless)
{
    const auto [it, added] = byName_.try_emplace(headerless ? std::string("global") : nameKey(name), shares_.size());
    if (added) {
        Share& share = shares_.emplace_back();
        share.name = headerless ? std::string_view("global") : name;
        share.global = headerless || IsGlobalSection(name);
    }
    return it->second;
}

void Reading::addSection(size_t share, const SectionRange& section)
{
    link(sections_, shares_[share].firstSection, shares_[share].lastSection, section);
}

void Reading::addParameter(size_t share, const Parameter& parameter)
{
    link(parameters_, shares_[share].firstParameter, shares_[share].lastParameter, parameter);
}

void Reading::Build(int32_t count, const LineAt& lineAt, bool endsWithLineFeed)
{
    shares_.clear();
    sections_.clear();
    parameters_.clear();
    byName_.clear();
    joined_.clear();
    joinedToAbove_.assign(static_cast<size_t>(count), false);
    // At most one parameter a line: one allocation, and no slack, for files
    // of many thousand shares.
    parameters_.reserve(static_cast<size_t>(count));
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t open = kNone;  // the share of the section being read
    // A "\" continues only where a line feed follows it.
    const auto continues = [&](int32_t i, std::string_view line) {
        return Continues(line) && (i + 1 < count || endsWithLineFeed);
    };
    for (int32_t i = 0; i < count; ++i) {
        const std::string_view line = lineAt(i);
        if (Trim(line).empty() || IsComment(line))
            continue;
        Parameter read;
        read.first = i;
        read.text = line;
        const std::string_view content = skipLeadingBlanks(line);
        if (continues(i, line) || HasBlankRun(Trim(content))) {
            // Samba's own reading: blanks squeezed, continued lines joined.
            std::string& text = joined_.emplace_back(line.substr(0, line.size() - content.size()));
            AppendSqueezed(text, content);
            // What goes on is the text read so far: 'x\\' joined with
            // an empty line still ends in "\".
            for (bool goesOn = continues(i, line); goesOn && ++i < count;) {
                joinedToAbove_[static_cast<size_t>(i)] = true;
                DropContinuation(text);
                AppendSqueezed(text, lineAt(i));
                goesOn = continues(i, text);
            }
            if (i == count) {
                DropContinuation(text);  // a "\" and line feed end the file
                i = count - 1;
            }
            read.text = text;
        }
        read.last = i;
        if (IsHeader(read.text)) {
            if (open != kNone)
                sections_[shares_[open].lastSection].last = read.first - 1;
            const std::string_view name = SectionName(read.text);
            open = shareNamed(name, false);
            addSection(open, {read.first, read.first, count - 1, name});
            continue;
        }
        const size_t eq = read.text.find('=');
        if (eq == std::string_view::npos)
            continue;  // Samba ignores a line without "="
        const std::string_view key = Trim(read.text.substr(0, eq));
        const std::string_view value = Trim(read.text.substr(eq + 1));
        read.keyAt = static_cast<uint32_t>(key.data() - read.text.data());
        read.keyLength = static_cast<uint32_t>(key.size());
        read.valueAt = static_cast<uint32_t>(value.data() - read.text.data());
        read.valueLength = static_cast<uint32_t>(value.size());
        if (open == kNone) {
            // Before the first header: Samba's global section.
            open = shareNamed({}, true);
            addSection(open, {-1, 0, count - 1, {}});
        }
        addParameter(open, read);
    }
}

const Share* Reading::Find(std::string_view name) const
{
    const auto it = byName_.find(nameKey(name));
    return it == byName_.end() ? nullptr : &shares_[it->second];
}

bool Reading::NamedExactly(const Share& share, std::string_view name) const
{
    for (const SectionRange& section : Sections(share))
        if (section.header >= 0 && section.name == name)
            return true;
    return false;
}

const Parameter* LastSetting(const Reading& reading, const Share& share, std::string_view key)
{
    const ParameterId wanted = Identify(key);
    const bool boolean = IsBoolean(wanted);
    const Parameter* found = nullptr;
    for (const Parameter& parameter : reading.Parameters(share)) {
        const ParameterId id = Identify(parameter.key());
        if (id == wanted && (!boolean || BooleanValue(id, parameter.value())))
            found = &parameter;
    }
    return found;
}

}  // namespace velmora::samba
