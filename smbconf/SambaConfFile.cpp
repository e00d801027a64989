#include "smbconf/SambaConfFile.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "common/Log.h"
#include "common/Paths.h"
#include "smbconf/TextView.h"

// The parse is the cost of every request, and a file server may define
// thousands of shares: the file is read once, straight into one buffer; each
// line is copied once into lines, which is allocated once at its final size;
// each parameter line is copied once more, into a list allocated once for
// its section; and the buffer is given back before the sections are built.
namespace {

// Owns a descriptor; closes it on every path out (a failed close is ignored,
// as nothing was written through it).
struct Descriptor {
    explicit Descriptor(int value) : fd(value) {}
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd;
};

// The bytes of a file, in a buffer that is not cleared before it is filled.
struct Content {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
    size_t capacity = 0;

    void grow(size_t newCapacity)
    {
        std::unique_ptr<char[]> larger(new char[newCapacity]);
        if (size > 0)
            std::memcpy(larger.get(), bytes.get(), size);
        bytes = std::move(larger);
        capacity = newCapacity;
    }
};

// Reads fd to its end. The buffer is sized by fstat with one byte to spare,
// so that a regular file is read without growing it and the end is seen at
// once; a file that grows meanwhile is still read whole. False on a read
// error (EISDIR for a directory in the file's place included): the caller
// then keeps nothing.
bool readAll(int fd, Content& content)
{
    struct stat st {};
    const bool sized = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
    content.grow(sized ? static_cast<size_t>(st.st_size) + 1 : 65536);
    for (;;) {
        if (content.size == content.capacity)
            content.grow(content.capacity * 2);
        const ssize_t got = read(fd, content.bytes.get() + content.size, content.capacity - content.size);
        if (got == 0)
            return true;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        content.size += static_cast<size_t>(got);
    }
}

// The lines of text: one per line feed, and one more for text after the
// last line feed.
size_t countLines(const char* cursor, const char* end)
{
    size_t count = 0;
    while (cursor < end) {
        const void* found = std::memchr(cursor, '\n', static_cast<size_t>(end - cursor));
        cursor = found != nullptr ? static_cast<const char*>(found) + 1 : end;
        ++count;
    }
    return count;
}

// Cuts content at each line feed and appends the lines; text after the last
// one is a line only when not empty. "a\nb" and "a\nb\n" both give {a, b}.
void splitLines(const Content& content, std::vector<std::string>& lines)
{
    const char* cursor = content.bytes.get();
    const char* end = cursor + content.size;
    lines.reserve(lines.size() + countLines(cursor, end));
    while (cursor < end) {
        const void* found = std::memchr(cursor, '\n', static_cast<size_t>(end - cursor));
        const char* stop = found != nullptr ? static_cast<const char*>(found) : end;
        lines.emplace_back(cursor, static_cast<size_t>(stop - cursor));
        cursor = stop + 1;
    }
}

// Appends the section whose header is lines[header] and whose range ends at
// lines[last], with the parameter lines at the given indices (which are
// then forgotten). The name drops the first and the last character of the
// trimmed header, whatever they are.
void appendSection(const std::vector<std::string>& lines, int32_t header, int32_t last,
                   std::vector<int32_t>& parameters, std::vector<SambaSection>& sections)
{
    const std::string_view text = velmora::trimView(lines[header]);
    SambaSection& section = sections.emplace_back(
        std::string(text.size() > 1 ? text.substr(1, text.size() - 2) : std::string_view()));
    section.startLine = header;
    section.endLine = last;
    section.properties.reserve(parameters.size());
    for (const int32_t index : parameters)
        section.AddProperty(lines[index]);
    parameters.clear();
}

}  // namespace

int SambaConfFile::Init()
{
    velmora::trace("comimg to SambaConfFile::Init ..............");
    velmora::openVelmoraLog();
    Descriptor file(open(velmora::kSmbConfPath, O_RDONLY | O_CLOEXEC));
    velmora::openVelmoraLogMasked();
    if (file.fd < 0) {
        velmora::trace("conffile is null so returning null");
        return -1;
    }
    {
        Content content;  // given back before the sections are built
        if (!readAll(file.fd, content))
            return -1;
        const size_t before = lines.size();
        splitLines(content, lines);
        lineCount += static_cast<int32_t>(lines.size() - before);
    }
    classifyLines();
    return 0;
}

// Comments ('#') and blank lines belong to the open section's range only;
// a '[' line opens a new section; anything else is a parameter line of the
// open section (lines before the first header belong to none). The open
// section's parameter lines are noted by index and copied when it closes,
// so that each section's list is allocated exactly once.
void SambaConfFile::classifyLines()
{
    std::vector<int32_t> parameters;
    int32_t header = -1;
    const int32_t count = static_cast<int32_t>(lines.size());
    for (int32_t i = 0; i < count; ++i) {
        velmora::trace("Comimg to trim .............");
        const std::string_view text = velmora::trimView(lines[i]);
        if (text.empty() || text.front() == '#')
            continue;
        if (text.front() != '[') {
            if (header >= 0)
                parameters.push_back(i);
            continue;
        }
        if (header >= 0)
            appendSection(lines, header, i - 1, parameters, sections);
        header = i;
    }
    if (header >= 0)
        appendSection(lines, header, count - 1, parameters, sections);
}

std::vector<SambaSection> SambaConfFile::GetAllSectionInfo() const
{
    velmora::trace("comimg to SambaConfFile::GetAllSectionInfo ..............");
    return sections;
}

SambaSection SambaConfFile::GetSectionByName(const char* name) const
{
    velmora::trace("comimg to SambaConfFile::GetSectionByName ..............");
    velmora::openVelmoraLogMasked();
    const SambaSection* found = FindSection(name);
    if (found != nullptr) {
        velmora::trace("returning sectionName");
        return *found;
    }
    velmora::trace("returning tempSection");
    return SambaSection();
}

const SambaSection* SambaConfFile::FindSection(const char* name) const
{
    for (const SambaSection& section : sections) {
        if (strcasecmp(section.name.c_str(), name) == 0)
            return &section;
    }
    return nullptr;
}

int SambaConfFile::SectionExists(const char* name) const
{
    velmora::trace("Comimg to SambaConfFile::SectionExists.......... ");
    for (const SambaSection& section : sections) {
        if (section.name == name)
            return 1;
    }
    velmora::trace("section %s does not exists ", name);
    return 0;
}
